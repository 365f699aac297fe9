#pragma once

// Checks shared by the fuzz targets and the test that replays their seed
// corpus. Each returns false when the engine went wrong on the input.

#include "platform/rtfreader.h"
#include "platform/textcodec.h"
#include "search/articletext.h"
#include "search/fieldreader.h"
#include "search/knowledgebase.h"
#include "search/querysplit.h"
#include "search/searchengine.h"
#include "search/searchrun.h"
#include "search/tests/referencesearch.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

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

// Whether the reference finds the query in a text.
inline bool referenceMatches(const QString &text, const QStringList &items, bool wordMode, qint64 interval)
{
    return wordMode ? !Reference::proximityScan(text, items, interval).isEmpty()
                    : !Reference::phraseOccurrences(text, items).isEmpty();
}

// The article's bytes, and the same text as UTF-8, as the files of a knowledge
// base searched by the run on 1, 2 and 8 worker threads: each lists what the
// reference finds, in visiting order.
inline bool runAgrees(QByteArrayView bytes, const QString &text, const ItemTable &split, const QStringList &items,
                      bool wordMode, qint64 interval)
{
    static QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("Data"));
    if (!dir.isValid() || !QDir().mkpath(data))
        return false;
    const QByteArray utf8 = text.toUtf8();
    const QList<std::pair<QString, QByteArrayView>> files = {{QStringLiteral("1.txt"), bytes},
                                                             {QStringLiteral("2.txt"), utf8}};
    QStringList expected;
    for (const auto &[name, content] : files) {
        QFile f(QDir(data).filePath(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(content.data(), content.size()) != content.size())
            return false;
        // The search reads a file as it is read whole, whatever it was made from.
        const QString read = RtfReader::isRtf(content) ? RtfReader::displayedText(content) : TextCodec::decode(content);
        if (!read.isEmpty() && referenceMatches(read, items, wordMode, interval))
            expected.append(name);
    }
    for (int workers : {1, 2, 8}) {
        SearchRun::Options options;
        options.workers = workers;
        if (SearchRun::run(KnowledgeBase(data), split, wordMode, interval, options) != expected)
            return false;
    }
    return true;
}

// Input: one byte of interval, one of mode, the query up to a line feed, then
// the article text (Windows-1251). The engine must agree with the reference,
// and so must the whole run over that article as a knowledge-base file.
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
        return anchors == expectedAnchors && SearchEngine::wordTest(*asString, prepared) == !expected.isEmpty()
            && runAgrees(bytes, text, words, items, wordMode, interval);
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
    return same && k == expected.size() && SearchEngine::phraseTest(*asString, prepared) == !expected.isEmpty()
        && runAgrees(bytes, text, phrases, items, wordMode, interval);
}

} // namespace FuzzChecks
