#pragma once

#include <QChar>
#include <QString>

// A caption's access key and the text it shows. One "&" marks the next
// character as the access key; two in a row stand for a literal ampersand.
class AccessKey
{
public:
    // The access key in lower case, or a null character when there is none.
    // Only the first ampersand, or the one after a leading doubled pair,
    // can mark it.
    static QChar of(const QString &caption);

    // The caption as shown and spoken: marking ampersands dropped, doubled
    // ones shown once.
    static QString plainText(const QString &caption);
};
