#include "controls/accesskey.h"

namespace {

const QChar kAmpersand = QLatin1Char('&');

} // namespace

QChar AccessKey::of(const QString &caption)
{
    if (caption.size() <= 1)
        return {};
    const qsizetype a = caption.indexOf(kAmpersand);
    if (a < 0 || a + 1 >= caption.size())
        return {};
    if (caption.at(a + 1) != kAmpersand)
        return caption.at(a + 1).toLower();
    // A doubled ampersand first: the next one decides, and only if it is single.
    const qsizetype b = caption.indexOf(kAmpersand, a + 2);
    if (b < 0 || b + 1 >= caption.size() || caption.at(b + 1) == kAmpersand)
        return {};
    return caption.at(b + 1).toLower();
}

QString AccessKey::plainText(const QString &caption)
{
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == kAmpersand) {
            if (i + 1 >= caption.size())
                break;
            ++i;
        }
        text.append(caption.at(i));
    }
    return text;
}
