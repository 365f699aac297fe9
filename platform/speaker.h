#pragma once

#include <QLocale>
#include <QString>

// The command-line tools' messages: in Russian under a Russian locale, in
// English otherwise.
class Speaker
{
public:
    explicit Speaker(const QLocale &locale)
        : m_russian(locale.language() == QLocale::Russian)
    {}
    QString operator()(const char *english, const char *russian) const
    {
        return QString::fromUtf8(m_russian ? russian : english);
    }

private:
    bool m_russian;
};
