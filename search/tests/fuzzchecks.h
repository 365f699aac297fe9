#pragma once

// Checks shared by the fuzz targets and the test that replays their seed
// corpus. Each returns false when the engine went wrong on the input.

#include "search/articletext.h"
#include "search/fieldreader.h"
#include "search/querysplit.h"
#include "search/tests/referencesearch.h"
#include "search/searchengine.h"
#include "platform/textcodec.h"

#include <cstddef>
#include <cstdint>

namespace FuzzChecks {

// The field reader on any text: no more fields than asked for, and the split
// tables stay within their 100 slots with slot 0 empty.
inline bool fieldReader(const uint8_t *data, std::size_t size)
{
    const QString text = TextCodec::decode(QByteArrayView(data, qsizetype(size)));
    const QStringList all = FieldReader::read(text);
    const QStringList first = FieldReader::read(text, 100);
    if (first.size() > 100 || all.mid(0, 100) != first)
        return false;
    for (const ItemTable &t : {QuerySplit::Do_P(text), QuerySplit::Do_S(text)}) {
        if (t.count < 0 || t.count > 100 || !t.slot[0].isEmpty())
            return false;
    }
    return QuerySplit::Do_P(text).count == first.size();
}

// Input: one byte of interval, one of mode, the query up to a line feed, then
// the article text (Windows-1251). The engine must agree with the reference.
inline bool scan(const uint8_t *data, std::size_t size)
{
    if (size < 2)
        return true;
    const qint64 interval = 1 + data[0] % 64;
    const bool wordMode = data[1] & 1;
    const QByteArrayView rest(data + 2, qsizetype(size - 2));
    const qsizetype cut = rest.indexOf('\n');
    const QString query = TextCodec::fromCp1251(cut < 0 ? rest : rest.first(cut));
    const QByteArrayView bytes = cut < 0 ? QByteArrayView() : rest.sliced(cut + 1);
    const QString text = TextCodec::fromCp1251(bytes);

    // The same text held as characters and as Windows-1251 bytes.
    const auto asString = ArticleText::fromString(text);
    QStringList items;
    if (wordMode) {
        const ItemTable words = QuerySplit::Do_S(query);
        for (int i = 1; i <= words.count; ++i)
            items.append(words.slot[i]);
        const auto expected = Reference::proximityScan(text, items, interval);
        const WordQuery prepared(words, interval);
        QList<qint64> anchors;
        SearchEngine::proximityScan(*asString, prepared, [&](const Cluster &c) {
            anchors.append(c.anchor + 1);
            return true;
        });
        QList<qint64> expectedAnchors;
        for (const auto &c : expected)
            expectedAnchors.append(c.anchor);
        return anchors == expectedAnchors && SearchEngine::wordTest(*asString, prepared) == !expected.isEmpty();
    }
    const ItemTable phrases = QuerySplit::Do_P(query);
    for (int i = 1; i <= phrases.count; ++i)
        items.append(phrases.slot[i]);
    const auto expected = Reference::phraseOccurrences(text, items);
    const PhraseQuery prepared(phrases);
    qsizetype k = 0;
    bool same = true;
    SearchEngine::phraseOccurrences(*asString, prepared, [&](int i, qint64 at) {
        same = same && k < expected.size() && expected[k].phrase == prepared.phrases()[i].item - 1
               && expected[k].at == at + 1;
        ++k;
        return same;
    });
    return same && k == expected.size() && SearchEngine::phraseTest(*asString, prepared) == !expected.isEmpty();
}

} // namespace FuzzChecks
