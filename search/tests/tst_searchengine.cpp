#include "platform/rtfreader.h"
#include "platform/textcodec.h"
#include "search/articletext.h"
#include "search/casefold.h"
#include "search/highlights.h"
#include "search/querysplit.h"
#include "search/searchengine.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestSearchEngine : public QObject
{
    Q_OBJECT

    static bool words(const QString &text, const QString &query, qint64 interval = 100)
    {
        return SearchEngine::wordTest(*ArticleText::fromString(text), WordQuery(QuerySplit::Do_S(query), interval));
    }
    static bool phrases(const QString &text, const QString &query)
    {
        return SearchEngine::phraseTest(*ArticleText::fromString(text), PhraseQuery(QuerySplit::Do_P(query)));
    }
    static QString at(int offset, const QString &what) { return QString(offset, u'х') + what; }

    QTemporaryDir m_dir;

    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return QString();
        f.write(bytes);
        return path;
    }

private Q_SLOTS:
    void wordMode_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("query");
        QTest::addColumn<int>("interval");
        QTest::addColumn<bool>("matches");
        QTest::newRow("close words") << QStringLiteral("Линия жизни длинная") << QStringLiteral("линия жизни") << 100
                                     << true;
        QTest::newRow("second word only before the first")
            << QStringLiteral("жизни линия") << QStringLiteral("линия жизни") << 100 << false;
        QTest::newRow("49 after") << QStringLiteral("линия") + at(44, QStringLiteral("жизни"))
                                  << QStringLiteral("линия жизни") << 50 << true;
        QTest::newRow("50 after") << QStringLiteral("линия") + at(45, QStringLiteral("жизни"))
                                  << QStringLiteral("линия жизни") << 50 << false;
        QTest::newRow("50 after, again later out of reach")
            << QStringLiteral("линия") + at(45, QStringLiteral("жизни")) + at(60, QStringLiteral("жизни"))
            << QStringLiteral("линия жизни") << 50 << false;
        QTest::newRow("whole word between blanks")
            << QStringLiteral("линия ум ясный") << QStringLiteral("линия ум!") << 100 << true;
        QTest::newRow("whole word before a comma")
            << QStringLiteral("линия ум, ясный") << QStringLiteral("линия ум!") << 100 << false;
        QTest::newRow("first word keeps its mark")
            << QStringLiteral("ум! линия") << QStringLiteral("ум! линия") << 100 << true;
        QTest::newRow("first word without the mark")
            << QStringLiteral("ум линия") << QStringLiteral("ум! линия") << 100 << false;
        QTest::newRow("text begins with the first word")
            << QStringLiteral("линия") << QStringLiteral("линия") << 100 << true;
        QTest::newRow("second word equal to the first")
            << QStringLiteral("линия") << QStringLiteral("линия линия") << 100 << true;
        QTest::newRow("second word starting with the first")
            << QStringLiteral("линия") << QStringLiteral("лин линия") << 100 << true;
        QTest::newRow("capitals and yo") << QStringLiteral("ЁЖИК ЛИНИЯ") << QStringLiteral("ёжик линия") << 100 << true;
        QTest::newRow("yo is not ye") << QStringLiteral("ежик линия") << QStringLiteral("ёжик линия") << 100 << false;
        QTest::newRow("latin capitals") << QStringLiteral("PALM reading") << QStringLiteral("palm READING") << 100
                                        << true;
        QTest::newRow("empty items are dropped")
            << QStringLiteral("линия жизни") << QStringLiteral(" линия  жизни ") << 100 << true;
        QTest::newRow("blanks only match nothing")
            << QStringLiteral("линия жизни") << QStringLiteral("   ") << 100 << false;
        QTest::newRow("empty article") << QString() << QStringLiteral("линия") << 100 << false;
        QTest::newRow("with a NUL") << QStringView(u"линия\0жизни", 11).toString() << QStringLiteral("линия жизни")
                                    << 100 << true;
    }
    void wordMode()
    {
        QFETCH(QString, text);
        QFETCH(QString, query);
        QFETCH(int, interval);
        QFETCH(bool, matches);
        QCOMPARE(words(text, query, interval), matches);
    }

    void anAbandonedAnchorMovesOnByOne()
    {
        // At 0 the second word sits exactly on the window's edge and the next
        // one is beyond it: abandoned, so the next anchor is searched from 1.
        QList<qint64> anchors;
        SearchEngine::proximityScan(*ArticleText::fromString(QStringLiteral("ааа       бб")),
                                    WordQuery(QuerySplit::Do_S(QStringLiteral("аа б")), 10), [&](const Cluster &c) {
                                        anchors.append(c.anchor);
                                        return true;
                                    });
        QCOMPARE(anchors, QList<qint64>{1});
    }

    void aClusterSkipsTheFirstWordAndOneCharacter()
    {
        // After the cluster at 0, the search resumes at 3: «аа» at 2 is no anchor.
        QList<qint64> anchors;
        SearchEngine::proximityScan(*ArticleText::fromString(QStringLiteral("аааааа")),
                                    WordQuery(QuerySplit::Do_S(QStringLiteral("аа а")), 100), [&](const Cluster &c) {
                                        anchors.append(c.anchor);
                                        return true;
                                    });
        QCOMPARE(anchors, (QList<qint64>{0, 3}));
    }

    void phraseMode_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("query");
        QTest::addColumn<bool>("matches");
        QTest::newRow("one of the phrases in capitals")
            << QStringLiteral("УМ") << QStringLiteral("линия жизни, ум") << true;
        QTest::newRow("whole phrase") << QStringLiteral("про линию жизни") << QStringLiteral("линию жизни") << true;
        QTest::newRow("phrase words apart")
            << QStringLiteral("линию и жизни") << QStringLiteral("линию жизни") << false;
        QTest::newRow("a single blank is no phrase") << QStringLiteral("a b") << QStringLiteral("\" \"") << false;
        QTest::newRow("two blanks are a phrase") << QStringLiteral("a  b") << QStringLiteral("\"  \"") << true;
        QTest::newRow("commas only") << QStringLiteral("a, b") << QStringLiteral(",,,") << false;
    }
    void phraseMode()
    {
        QFETCH(QString, text);
        QFETCH(QString, query);
        QFETCH(bool, matches);
        QCOMPARE(phrases(text, query), matches);
    }

    void phraseHighlights()
    {
        const Highlights h =
            Highlights::compute(QStringLiteral("Жизнь и жизнь"), QuerySplit::Do_P(QStringLiteral("жизн")), false, 100);
        QCOMPARE(h.jumps, (QList<qint64>{0, 8}));
        QCOMPARE(h.found, 2);
        QCOMPARE(h.marks, (QList<Highlights::Mark>{{0, 4}, {8, 4}}));
    }

    void wordHighlightsOfTwoClusters()
    {
        const QString text =
            QStringLiteral("Линия жизни. ") + QString(200, u'.') + QStringLiteral(" линия, а потом жизни");
        const Highlights h = Highlights::compute(text, QuerySplit::Do_S(QStringLiteral("линия жизни")), true, 100);
        const qint64 second = text.lastIndexOf(QStringLiteral("линия"));
        QCOMPARE(h.jumps, (QList<qint64>{0, second}));
        QCOMPARE(h.marks, (QList<Highlights::Mark>{{0, 5}, {6, 5}, {second, 5}, {text.size() - 5, 5}}));
    }

    void aWholeWordMarkStartsAtItsBlank()
    {
        const Highlights h = Highlights::compute(QStringLiteral("линия ум ясный"),
                                                 QuerySplit::Do_S(QStringLiteral("линия ум!")), true, 100);
        QCOMPARE(h.marks, (QList<Highlights::Mark>{{0, 5}, {5, 3}}));
    }

    void onlyTheFirstJumpsAreKept()
    {
        const Highlights h =
            Highlights::compute(QString(20000, u'я'), QuerySplit::Do_P(QStringLiteral("я")), false, 100);
        QCOMPARE(h.found, 20000);
        QCOMPARE(h.jumps.size(), Highlights::kMaxJumps);
        QCOMPARE(h.marks.size(), 20000);
        QCOMPARE(h.jumps.last(), 10000);
    }

    void foldingAgreesOnEveryCp1251Byte()
    {
        for (int b = 0; b < 256; ++b) {
            const QString decoded = TextCodec::fromCp1251(QByteArray(1, char(b)));
            const QString foldedByte = TextCodec::fromCp1251(QByteArray(1, char(CaseFold::foldCp1251(uchar(b)))));
            QCOMPARE(foldedByte.front().unicode(), CaseFold::fold(decoded.front().unicode()));
        }
        QCOMPARE(CaseFold::fold(u"ЁЛКА Palm"), QStringLiteral("ёлка palm"));
    }

    void aQueryThatCannotOccurInCp1251FindsNothing()
    {
        ArticleText::Options options;
        const QString path = write(QStringLiteral("cp1251.txt"), TextCodec::toCp1251(u"линия ? жизни"));
        QVERIFY(!SearchEngine::phraseTest(*ArticleText::forSearch(path, options),
                                          PhraseQuery(QuerySplit::Do_P(QStringLiteral("✓")))));
        QVERIFY(SearchEngine::phraseTest(*ArticleText::forSearch(path, options),
                                         PhraseQuery(QuerySplit::Do_P(QStringLiteral("ЖИЗНИ")))));
    }

    // Reading a file in small chunks gives exactly what reading it whole gives.
    void chunkedReadingIsExact_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QString text =
            QStringLiteral("Линия жизни, линия ума и ЛИНИЯ сердца; ёж Ёж ум ум! линия ум ясный ").repeated(40);
        QTest::newRow("cp1251") << TextCodec::toCp1251(text);
        QTest::newRow("utf-8") << text.toUtf8();
        QTest::newRow("utf-8 with mark") << QByteArray("\xEF\xBB\xBF") + text.toUtf8();
        QTest::newRow("ascii") << QByteArray("palm line, PALM line ").repeated(50);
        QTest::newRow("utf-8 spoilt at the end reads as cp1251") << text.toUtf8() + QByteArray("\xD0");
        QTest::newRow("binary") << QByteArray("\0\xFF\xCB\xE8\0", 5).repeated(300) + TextCodec::toCp1251(text);
        // "Unicode" as Windows editors save it, in either byte order.
        QByteArray little("\xFF\xFE");
        QByteArray big("\xFE\xFF");
        for (QChar c : text) {
            little += char(c.unicode() & 0xFF);
            little += char(c.unicode() >> 8);
            big += char(c.unicode() >> 8);
            big += char(c.unicode() & 0xFF);
        }
        QTest::newRow("utf-16 little-endian") << little;
        QTest::newRow("utf-16 big-endian") << big;
        QTest::newRow("utf-16 with an odd last byte") << little + 'x';
    }
    void chunkedReadingIsExact()
    {
        QFETCH(QByteArray, bytes);
        const QString path = write(QStringLiteral("chunks.txt"), bytes);
        const QString decoded = TextCodec::decode(bytes);
        for (const char *query : {"линия ум", "линия ум!", "ум жизни сердца", "palm line", "ёж ум"}) {
            const ItemTable words = QuerySplit::Do_S(QString::fromUtf8(query));
            const ItemTable phrases = QuerySplit::Do_P(QString::fromUtf8(query));
            const Highlights whole = Highlights::compute(decoded, words, true, 30);
            const Highlights wholePhrases = Highlights::compute(decoded, phrases, false, 30);
            for (qint64 chunk : {1, 2, 3, 5, 64, 1000}) {
                ArticleText::Options options;
                options.wholeReadLimit = 0;
                options.chunkBytes = chunk;
                const auto text = ArticleText::forPlainText(path, options);
                const Highlights h = Highlights::compute(*text, words, true, 30);
                QCOMPARE(h.jumps, whole.jumps);
                QCOMPARE(h.marks, whole.marks);
                const Highlights p = Highlights::compute(*text, phrases, false, 30);
                QCOMPARE(p.marks, wholePhrases.marks);
            }
        }
    }

    // Reading a file a small piece at a time, only as far as the scans ask,
    // gives exactly what reading it whole gives, wherever the encoding shows.
    void pieceReadingIsExact_data()
    {
        chunkedReadingIsExact_data();
        const QString text = QStringLiteral("Линия жизни, линия ума и ЛИНИЯ сердца; ёж Ёж ум ум! линия ум ясный ");
        QTest::newRow("ascii, then cp1251 late") << QByteArray("palm line ").repeated(30) + TextCodec::toCp1251(text);
        QTest::newRow("ascii, then utf-8 late") << QByteArray("palm line ").repeated(30) + text.toUtf8();
        QTest::newRow("utf-8 with mark, spoilt") << QByteArray("\xEF\xBB\xBF") + text.toUtf8() + QByteArray("\xD0 \xFF")
                + text.toUtf8() + QByteArray("\xE2\x82");
        QTest::newRow("utf-8 with two marks") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF") + text.toUtf8();
        QTest::newRow("utf-8 cut in a character") << text.toUtf8() + QByteArray("\xD0");
        QTest::newRow("rtf") << QByteArray(
            "{\\rtf1\\ansi\\ansicpg1251 \\'cb\\'e8\\'ed\\'e8\\'ff \\'f3\\'ec\\par palm line}");
    }
    void pieceReadingIsExact()
    {
        QFETCH(QByteArray, bytes);
        const QString path = write(QStringLiteral("pieces.txt"), bytes);
        const QString decoded = RtfReader::isRtf(bytes) ? RtfReader::displayedText(bytes) : TextCodec::decode(bytes);
        for (const char *query : {"линия ум", "линия ум!", "ум жизни сердца", "palm line", "ёж ум", "palm ум"}) {
            const ItemTable words = QuerySplit::Do_S(QString::fromUtf8(query));
            const ItemTable phrases = QuerySplit::Do_P(QString::fromUtf8(query));
            const Highlights whole = Highlights::compute(decoded, words, true, 30);
            const Highlights wholePhrases = Highlights::compute(decoded, phrases, false, 30);
            for (qint64 piece : {1, 2, 3, 5, 64, 1000}) {
                ArticleText::Options options;
                options.pieceBytes = piece;
                const auto text = ArticleText::forSearch(path, options);
                const Highlights h = Highlights::compute(*text, words, true, 30);
                QCOMPARE(h.jumps, whole.jumps);
                QCOMPARE(h.marks, whole.marks);
                QCOMPARE(SearchEngine::wordTest(*ArticleText::forSearch(path, options), WordQuery(words, 30)),
                         !whole.jumps.isEmpty());
                const Highlights p = Highlights::compute(*text, phrases, false, 30);
                QCOMPARE(p.marks, wholePhrases.marks);
                QCOMPARE(SearchEngine::phraseTest(*ArticleText::forSearch(path, options), PhraseQuery(phrases)),
                         !wholePhrases.jumps.isEmpty());
            }
        }
    }

    // A large file is taken as UTF-8 exactly when the whole of it would be,
    // however its last read falls.
    void largeFileEncodingIsDecidedAsForTheWhole_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QString text = QStringLiteral("Линия жизни ум € \U0001F60A palm ");
        QTest::newRow("utf-8") << text.toUtf8().repeated(3);
        QTest::newRow("one character") << QStringLiteral("ж").toUtf8();
        QTest::newRow("ascii") << QByteArray("palm line ").repeated(5);
        QTest::newRow("cp1251") << TextCodec::toCp1251(text).repeated(3);
        QTest::newRow("utf-8 cut in a character") << text.toUtf8().repeated(3) + QByteArray("\xE2\x82");
        QTest::newRow("utf-8 then a stray byte") << text.toUtf8().repeated(3) + QByteArray("\x80") + text.toUtf8();
        QTest::newRow("five continuation bytes") << QByteArray("\xD0\x80\x80\x80\x80\x80") + text.toUtf8();
        QTest::newRow("mark") << QByteArray("\xEF\xBB\xBF") + text.toUtf8();
        QTest::newRow("mark on ascii") << QByteArray("\xEF\xBB\xBFpalm line");
    }
    void largeFileEncodingIsDecidedAsForTheWhole()
    {
        QFETCH(QByteArray, bytes);
        const QString path = write(QStringLiteral("large.txt"), bytes);
        const bool expected = bytes.startsWith("\xEF\xBB\xBF") || TextCodec::looksLikeUtf8(bytes);
        // Chunks of every size up to past the end, so the last read ends in every character.
        for (qint64 chunk = 1; chunk <= bytes.size() + 1; ++chunk)
            QVERIFY2(ArticleText::fileIsUtf8(path, chunk) == expected, qPrintable(QString::number(chunk)));
        // And the search sees the text the whole file gives.
        const QString decoded = TextCodec::decode(bytes);
        ArticleText::Options chunked;
        chunked.wholeReadLimit = 0;
        chunked.chunkBytes = 5;
        for (const char *query : {"жизни", "palm", "€"}) {
            const ItemTable phrases = QuerySplit::Do_P(QString::fromUtf8(query));
            QCOMPARE(Highlights::compute(*ArticleText::forSearch(path, chunked), phrases, false, 30).marks,
                     Highlights::compute(decoded, phrases, false, 30).marks);
        }
    }

    void cancellingStops()
    {
        std::atomic_bool cancel{true};
        QVERIFY(!SearchEngine::wordTest(*ArticleText::fromString(QStringLiteral("линия")),
                                        WordQuery(QuerySplit::Do_S(QStringLiteral("линия")), 100), &cancel));
    }
};

QTEST_GUILESS_MAIN(TestSearchEngine)
#include "tst_searchengine.moc"
