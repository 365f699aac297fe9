#pragma once

#include <QString>

// What the busy notice of the photo and search tab reads while a search runs
// or an article is read, and before either has ever run.
inline QString busyNoticeText()
{
    return QStringLiteral("Обработка данных.......");
}
