#pragma once

#include <QLoggingCategory>

// Why an article could not be read. Quiet unless turned on:
// QT_LOGGING_RULES="palmora.search.info=true".
Q_DECLARE_LOGGING_CATEGORY(lcSearch)
