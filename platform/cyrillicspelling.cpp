#include "platform/cyrillicspelling.h"

namespace {

bool isCyrillic(QChar c)
{
    return c.script() == QChar::Script_Cyrillic;
}

bool isLatin(QChar c)
{
    return c.script() == QChar::Script_Latin && c.isLetter();
}

// The Latin letters drawn like a Cyrillic one.
QChar cyrillicTwin(QChar c)
{
    static const char16_t latin[] = u"aceopxyABCEHKMOPTX";
    static const char16_t cyrillic[] = u"асеорхуАВСЕНКМОРТХ";
    for (int i = 0; latin[i]; ++i) {
        if (c == QChar(latin[i]))
            return QChar(cyrillic[i]);
    }
    return c;
}

// Calls f(begin, end) for each run of letters.
template <typename F>
void forEachWord(const QString &text, F f)
{
    qsizetype i = 0;
    while (i < text.size()) {
        if (!text.at(i).isLetter()) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < text.size() && text.at(end).isLetter())
            ++end;
        f(i, end);
        i = end;
    }
}

bool isMixed(const QString &text, qsizetype begin, qsizetype end)
{
    bool cyrillic = false;
    bool latin = false;
    for (qsizetype i = begin; i < end; ++i) {
        cyrillic = cyrillic || isCyrillic(text.at(i));
        latin = latin || isLatin(text.at(i));
    }
    return cyrillic && latin;
}

} // namespace

QString CyrillicSpelling::spoken(const QString &text)
{
    QString result = text;
    forEachWord(text, [&](qsizetype begin, qsizetype end) {
        if (!isMixed(text, begin, end))
            return;
        for (qsizetype i = begin; i < end; ++i)
            result[i] = cyrillicTwin(text.at(i));
    });
    return result;
}

QString CyrillicSpelling::firstMixedWord(const QString &text)
{
    QString found;
    forEachWord(text, [&](qsizetype begin, qsizetype end) {
        if (found.isEmpty() && isMixed(text, begin, end))
            found = text.mid(begin, end - begin);
    });
    return found;
}
