#pragma once

// Checks shared by the platform's fuzz targets and the tests that replay
// their seed corpora. Each returns false when the code went wrong on the input.

#include "platform/htmllimit.h"
#include "platform/htmltag.h"
#include "platform/linebreaks.h"
#include "platform/textcodec.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

#include <cstddef>
#include <cstdint>

namespace FuzzChecks {

// The names of the seeds in a folder that fail a check; a folder without
// seeds fails as a whole.
inline QStringList failingSeeds(const QString &folder, bool (*check)(const uint8_t *, std::size_t))
{
    const QDir dir(folder);
    const QStringList files = dir.entryList(QDir::Files);
    if (files.isEmpty())
        return {folder};
    QStringList failing;
    for (const QString &name : files) {
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::ReadOnly)) {
            failing.append(name);
            continue;
        }
        const QByteArray bytes = f.readAll();
        if (!check(reinterpret_cast<const uint8_t *>(bytes.constData()), std::size_t(bytes.size())))
            failing.append(name);
    }
    return failing;
}

// Bytes as UTF-16 code units, unpaired surrogates and all.
inline QString utf16Units(const uint8_t *data, std::size_t size)
{
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text[qsizetype(i / 2)] = QChar(char16_t(data[i] | (data[i + 1] << 8)));
    return text;
}

inline bool hasUnpairedSurrogate(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            return true;
    }
    return false;
}

// The deepest nesting of the kept elements in bounded HTML, and of tables
// among them. The bound writes every end tag out, so nesting is read from
// the tags alone; raw text runs to its end tag.
inline void nesting(QStringView html, int *deepest, int *deepestTables)
{
    QStringList open;
    int tables = 0;
    *deepest = 0;
    *deepestTables = 0;
    qsizetype i = 0;
    while ((i = html.indexOf(u'<', i)) >= 0) {
        if (html.sliced(i).startsWith(u"<!--")) {
            const qsizetype end = html.indexOf(u"-->", i + 4);
            i = end < 0 ? html.size() : end + 3;
            continue;
        }
        const bool closing = i + 1 < html.size() && html[i + 1] == u'/';
        const qsizetype nameStart = i + (closing ? 2 : 1);
        // Declarations are read as tags without a name, quoted parts and all.
        if (nameStart >= html.size()
            || !(html[nameStart].isLetter() || html[nameStart] == u'!' || html[nameStart] == u'?')) {
            ++i;
            continue;
        }
        const HtmlTag tag = HtmlTag::read(html, nameStart);
        const bool selfClosed = html.sliced(i, tag.end - i).endsWith(u"/>");
        i = tag.end;
        static const QStringList voids{QStringLiteral("area"),  QStringLiteral("base"),  QStringLiteral("br"),
                                       QStringLiteral("col"),   QStringLiteral("embed"), QStringLiteral("hr"),
                                       QStringLiteral("img"),   QStringLiteral("input"), QStringLiteral("link"),
                                       QStringLiteral("meta"),  QStringLiteral("param"), QStringLiteral("source"),
                                       QStringLiteral("track"), QStringLiteral("wbr")};
        if (tag.name.isEmpty() || selfClosed || voids.contains(tag.name))
            continue;
        if (closing) {
            const qsizetype at = open.lastIndexOf(tag.name);
            while (at >= 0 && open.size() > at) {
                if (open.takeLast() == QLatin1String("table"))
                    --tables;
            }
            continue;
        }
        open.append(tag.name);
        if (tag.name == QLatin1String("table"))
            ++tables;
        *deepest = std::max(*deepest, int(open.size()));
        *deepestTables = std::max(*deepestTables, tables);
        if (tag.name == QLatin1String("script") || tag.name == QLatin1String("style")
            || tag.name == QLatin1String("textarea") || tag.name == QLatin1String("title")) {
            const qsizetype close = HtmlTag::findEndTag(html, i, tag.name);
            i = close < 0 ? html.size() : close;
        }
    }
}

// Input: one byte choosing the character bound, then the page as a file holds it.
// The bounded page keeps within the bound (but for the end tags that close
// what was left open),
// nests no deeper than allowed, and bounding it again changes nothing.
inline bool htmlBound(const uint8_t *data, std::size_t size)
{
    if (size == 0)
        return true;
    static constexpr qsizetype bounds[] = {16, 64, 300, 1200, HtmlLimit::maxCharacters};
    const qsizetype maxChars = bounds[data[0] % std::size(bounds)];
    const QString html = TextCodec::decode(QByteArrayView(data + 1, qsizetype(size - 1)));
    const HtmlLimit::Result once = HtmlLimit::bound(html, maxChars);
    QStringView kept = once.html;
    while (kept.endsWith(u'>')) {
        const qsizetype lt = kept.lastIndexOf(u'<');
        if (lt < 0 || !kept.sliced(lt).startsWith(u"</"))
            break;
        kept = kept.first(lt);
    }
    if (kept.size() > maxChars)
        return false;
    int deepest = 0;
    int deepestTables = 0;
    nesting(once.html, &deepest, &deepestTables);
    if (deepest > HtmlLimit::maxDepth || deepestTables > HtmlLimit::maxTableDepth)
        return false;
    const HtmlLimit::Result twice = HtmlLimit::bound(once.html, maxChars);
    // Only the end tags it wrote may make it longer than the bound a second time.
    return twice.html == once.html && !twice.flattened && !twice.broken;
}

// Any bytes: decoding never makes more characters than bytes. A valid text
// encoded then decoded gives it back: the bytes' own UTF-16 units as a text,
// in UTF-8 (a byte-order mark of its own aside) and, where every character
// has a Windows-1251 byte, in Windows-1251; and Windows-1251 bytes decoded
// then encoded give them back. UTF-8 is recognised as Qt's decoder reads it.
inline bool textCodec(const uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (TextCodec::decode(bytes).size() > bytes.size())
        return false;

    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString strict = utf8.decode(bytes);
    const bool validUtf8 = !utf8.hasError();
    const bool nonAscii = std::any_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) >= 0x80; });
    if (TextCodec::looksLikeUtf8(bytes) != (validUtf8 && nonAscii))
        return false;
    if (TextCodec::looksLikeUtf8(bytes) && !bytes.startsWith("\xEF\xBB\xBF")
        && (TextCodec::decode(bytes) != strict || TextCodec::decode(bytes).toUtf8() != bytes))
        return false;

    if (!bytes.contains('\x98') && TextCodec::toCp1251(TextCodec::fromCp1251(bytes)) != bytes)
        return false;

    const QString text = utf16Units(data, size);
    if (!hasUnpairedSurrogate(text) && !text.startsWith(QChar(0xFEFF)) && TextCodec::decode(text.toUtf8()) != text)
        return false;
    const QByteArray cp1251 = TextCodec::toCp1251(text);
    if (!cp1251.contains('?') && TextCodec::fromCp1251(cp1251) != text)
        return false;
    return true;
}

// Input: one byte choosing the longest line, then the text as UTF-16 units.
// Taking the inserted line feeds out gives the text back; none splits a
// surrogate pair or stands before a break of the text's own; no line runs
// longer than the bound (a pair that straddles it adds one).
inline bool lineBreaks(const uint8_t *data, std::size_t size)
{
    if (size == 0)
        return true;
    const qsizetype max = data[0] < 200 ? qsizetype(data[0]) : LineBreaks::maxLine;
    const QString text = utf16Units(data + 1, size - 1);
    bool broken = false;
    const QString out = LineBreaks::bound(text, max, &broken);
    if (broken != (out != text))
        return false;
    qsizetype i = 0;
    for (qsizetype j = 0; j < out.size(); ++j) {
        if (i < text.size() && out[j] == text[i]) {
            ++i;
            continue;
        }
        // An inserted break: between two characters of the text, neither a
        // break of its own nor the halves of a pair.
        if (out[j] != u'\n' || i == 0 || i >= text.size() || text[i] == u'\n' || text[i] == u'\r'
            || (text[i - 1].isHighSurrogate() && text[i].isLowSurrogate()))
            return false;
    }
    if (i != text.size())
        return false;
    qsizetype line = 0;
    for (const QChar c : out) {
        line = c == u'\n' || c == u'\r' ? 0 : line + 1;
        if (line > std::max<qsizetype>(max, 1) + 1)
            return false;
    }
    return true;
}

} // namespace FuzzChecks
