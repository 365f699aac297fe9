#include "platform/rtfreader.h"
#include "platform/textcodec.h"
#include "search/articletext.h"
#include "search/highlights.h"
#include "search/knowledgebase.h"
#include "search/querysplit.h"
#include "search/searchengine.h"
#include "search/searchrun.h"
#include "search/tests/referencesearch.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// The fast engine against the plain reference on generated texts and queries
// made to hit the algorithm's corners: overlapping words, words equal to the
// first or starting with it, words exactly the interval after an anchor,
// whole-word items, capitals and Ё.
class TestDifferential : public QObject
{
    Q_OBJECT

private:
    QRandomGenerator m_random{20240611};
    // For what was added later, so that the cases drawn from m_random stay as they were.
    QRandomGenerator m_more{20250115};
    QTemporaryDir m_dir;
    int m_file = 0;

    int below(int n) { return int(m_random.bounded(n)); }

    QString pieceOfText()
    {
        static const QStringList pieces = {
            QStringLiteral("ум"),   QStringLiteral("УМ"),    QStringLiteral("умум"),  QStringLiteral("ума"),
            QStringLiteral("ли"),   QStringLiteral("линия"), QStringLiteral("Линия"), QStringLiteral("лилия"),
            QStringLiteral("ёж"),   QStringLiteral("Ёж"),    QStringLiteral("еж"),    QStringLiteral("ЁЁ"),
            QStringLiteral("palm"), QStringLiteral("PALM"),  QStringLiteral("a"),     QStringLiteral("aa"),
            QStringLiteral(" "),    QStringLiteral(" "),     QStringLiteral(" "),     QStringLiteral(", "),
            QStringLiteral("!"),    QStringLiteral("\r\n"),  QStringLiteral("-"),     QStringLiteral("«»"),
        };
        return pieces[below(int(pieces.size()))];
    }

    QString text()
    {
        QString t;
        const int n = below(60);
        for (int i = 0; i < n; ++i)
            t += pieceOfText();
        return t;
    }

    QString word(const QString &text, const QString &first)
    {
        QString w;
        switch (below(6)) {
        case 0: // a piece of the text itself
            if (!text.isEmpty()) {
                const int at = below(int(text.size()));
                w = text.mid(at, 1 + below(4)).trimmed();
            }
            break;
        case 1:
            w = first;
            break;
        case 2:
            w = first + pieceOfText().trimmed();
            break;
        case 3:
            w = first.left(qMax<qsizetype>(1, first.size() - 1));
            break;
        default:
            w = pieceOfText().trimmed();
            break;
        }
        if (below(3) == 0)
            w = w.toUpper();
        if (below(4) == 0)
            w += u'!';
        return w.remove(u',').remove(u'\r').remove(u'\n').remove(u'"');
    }

    QString query(const QString &text)
    {
        QStringList words;
        const int n = 1 + below(4);
        for (int i = 0; i < n; ++i)
            words.append(word(text, words.isEmpty() ? QString() : words.first()));
        if (words.first().isEmpty())
            words.first() = pieceOfText().trimmed();
        QString q = words.join(below(5) == 0 ? QStringLiteral("  ") : QStringLiteral(" "));
        if (below(10) == 0)
            q.prepend(u' ');
        return q;
    }

    QString writeFile(const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(QString::number(++m_file));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot write a fixture");
        return path;
    }

    // An RTF document whose displayed text is the text: letters as \'hh
    // escapes or \uN with a fallback, breaks as \par, some empty groups.
    QByteArray toRtf(const QString &text)
    {
        QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 Times;}}\\uc1 ";
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t c = text[i].unicode();
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                rtf += below(2) ? "\\par\r\n" : "\\par ";
                ++i;
            } else if (c == u'\\' || c == u'{' || c == u'}') {
                rtf += '\\';
                rtf += char(c);
            } else if (c >= 0x20 && c < 0x7F) {
                rtf += char(c);
            } else if (const QByteArray b = TextCodec::toCp1251(QString(QChar(c))); below(2) && b != "?") {
                rtf += "\\'" + b.toHex();
            } else {
                rtf += "\\u" + QByteArray::number(c > 32767 ? int(c) - 65536 : int(c)) + (below(2) ? "?" : "\\'3f");
            }
            if (below(8) == 0)
                rtf += below(2) ? "{}" : "{\\*\\bkmkstart x}";
        }
        return rtf + "}";
    }

    // Every way the engine can hold the same text.
    std::vector<std::unique_ptr<ArticleText>> holders(const QString &text, bool withFiles)
    {
        std::vector<std::unique_ptr<ArticleText>> out;
        out.push_back(ArticleText::fromString(text));
        if (!withFiles)
            return out;
        ArticleText::Options whole;
        ArticleText::Options chunked;
        chunked.wholeReadLimit = 0;
        chunked.chunkBytes = 1 + below(7);
        const QByteArray cp1251 = TextCodec::toCp1251(text);
        out.push_back(ArticleText::forSearch(writeFile(cp1251), whole));
        out.push_back(ArticleText::forSearch(writeFile(cp1251), chunked));
        // UTF-8 read in chunks that cut its characters apart.
        const QString utf8Path = writeFile(text.toUtf8());
        if (ArticleText::fileIsUtf8(utf8Path, chunked.chunkBytes))
            out.push_back(ArticleText::forSearch(utf8Path, chunked));
        // Read in small pieces, as far as the scans ask, in each encoding.
        ArticleText::Options pieces;
        pieces.pieceBytes = 1 + int(m_more.bounded(7));
        out.push_back(ArticleText::forSearch(writeFile(cp1251), pieces));
        out.push_back(ArticleText::forSearch(writeFile(text.toUtf8()), pieces));
        out.push_back(ArticleText::forSearch(writeFile("\xEF\xBB\xBF" + text.toUtf8()), pieces));
        // RTF read whole, and streamed to a spill file read in chunks.
        if (!text.contains(QRegularExpression(QStringLiteral("\r(?!\n)|(?<!\r)\n")))) {
            const QString rtfPath = writeFile(toRtf(text));
            out.push_back(ArticleText::forSearch(rtfPath, whole));
            out.push_back(ArticleText::forSearch(rtfPath, chunked));
        }
        return out;
    }

    static QStringList itemsOf(const ItemTable &t)
    {
        QStringList items;
        for (int i = 1; i <= t.count; ++i)
            items.append(t.slot[i]);
        return items;
    }

private Q_SLOTS:
    void wordModeMatchesReference()
    {
        QVERIFY(m_dir.isValid());
        for (int round = 0; round < 3000; ++round) {
            const QString t = text();
            const QString q = query(t);
            const qint64 interval = 1 + below(below(2) ? 12 : 40);
            const ItemTable words = QuerySplit::Do_S(q);
            const auto expected = Reference::proximityScan(t, itemsOf(words), interval);
            const WordQuery prepared(words, interval);
            for (const auto &holder : holders(t, round % 3 == 0)) {
                QList<Cluster> got;
                SearchEngine::proximityScan(*holder, prepared, [&](const Cluster &c) {
                    got.append(c);
                    return true;
                });
                const QString context = QStringLiteral("text «%1» query «%2» interval %3").arg(t, q).arg(interval);
                QVERIFY2(got.size() == expected.size(), qPrintable(context));
                for (qsizetype c = 0; c < got.size(); ++c) {
                    QVERIFY2(got[c].anchor + 1 == expected[c].anchor, qPrintable(context));
                    for (qsizetype i = 0; i < prepared.words().size(); ++i) {
                        // Reference slots count the empty items the engine drops.
                        const auto &w = prepared.words()[i];
                        const qsizetype slot = expected[c].pos.size() == words.count ? w.item - 1 : i;
                        QVERIFY2(got[c].positions[i] + 1 == expected[c].pos[slot], qPrintable(context));
                    }
                }
                QCOMPARE(SearchEngine::wordTest(*holder, prepared), !expected.isEmpty());
            }
        }
    }

    void phraseModeMatchesReference()
    {
        for (int round = 0; round < 2000; ++round) {
            const QString t = text();
            QString q = query(t);
            q.replace(QStringLiteral("  "), QStringLiteral(","));
            if (below(3) == 0)
                q.replace(u' ', u',');
            const ItemTable phrases = QuerySplit::Do_P(q);
            const auto expected = Reference::phraseOccurrences(t, itemsOf(phrases));
            const PhraseQuery prepared(phrases);
            for (const auto &holder : holders(t, round % 3 == 0)) {
                QList<Reference::Occurrence> got;
                SearchEngine::phraseOccurrences(*holder, prepared, [&](int i, qint64 at) {
                    got.append(Reference::Occurrence{prepared.phrases()[i].item - 1, at + 1});
                    return true;
                });
                const QString context = QStringLiteral("text «%1» phrases «%2»").arg(t, q);
                QVERIFY2(got.size() == expected.size(), qPrintable(context));
                for (qsizetype k = 0; k < got.size(); ++k) {
                    QVERIFY2(got[k].phrase == expected[k].phrase && got[k].at == expected[k].at, qPrintable(context));
                }
                QCOMPARE(SearchEngine::phraseTest(*holder, prepared), !expected.isEmpty());
            }
        }
    }

    void highlightsFollowTheClusters()
    {
        for (int round = 0; round < 500; ++round) {
            const QString t = text();
            const QString q = query(t);
            const qint64 interval = 1 + below(20);
            const ItemTable words = QuerySplit::Do_S(q);
            const auto clusters = Reference::proximityScan(t, itemsOf(words), interval);
            QStringList kept = itemsOf(words);
            if (!kept.isEmpty() && kept.first().isEmpty())
                kept.removeAll(QString());
            QList<qint64> jumps;
            QList<Highlights::Mark> marks;
            for (const auto &c : clusters) {
                jumps.append(c.anchor - 1);
                for (qsizetype i = 0; i < c.pos.size(); ++i) {
                    if (!kept[i].isEmpty())
                        marks.append(Highlights::Mark{c.pos[i] - 1, kept[i].size()});
                }
            }
            const Highlights h = Highlights::compute(t, words, true, interval);
            QCOMPARE(h.found, qint64(clusters.size()));
            QCOMPARE(h.jumps, jumps);
            QCOMPARE(h.marks, marks);
            for (const auto &holder : holders(t, round % 5 == 0)) {
                const Highlights fromHolder = Highlights::compute(*holder, words, true, interval);
                QCOMPARE(fromHolder.found, h.found);
                QCOMPARE(fromHolder.jumps, h.jumps);
                QCOMPARE(fromHolder.marks, h.marks);
            }
        }
    }

    // Whole knowledge bases of generated articles in every form the search
    // reads, searched by the run on its worker threads: the list, in its
    // order, is what the reference finds in the articles one after another.
    void searchRunMatchesReference_data()
    {
        QTest::addColumn<int>("workers");
        QTest::newRow("1 worker") << 1;
        QTest::newRow("2 workers") << 2;
        QTest::newRow("8 workers") << 8;
    }
    void searchRunMatchesReference()
    {
        QFETCH(int, workers);
        // Every row searches the same knowledge bases.
        const QRandomGenerator kept = m_random;
        m_random.seed(20250116);
        m_more.seed(20250117);
        QVERIFY(m_dir.isValid());
        for (int round = 0; round < 40; ++round) {
            const QString data = m_dir.filePath(QStringLiteral("base%1-%2").arg(workers).arg(round));
            QVERIFY(QDir().mkpath(data));
            QStringList names;
            QStringList texts; // as the search reads them, "" for a folder
            QString sample;
            const int count = 1 + int(m_more.bounded(24));
            for (int i = 0; i < count; ++i) {
                QString t;
                const int pieces = int(m_more.bounded(60));
                for (int p = 0; p < pieces; ++p)
                    t += pieceOfText();
                if (t.contains(QRegularExpression(QStringLiteral("\r(?!\n)|(?<!\r)\n"))))
                    t.remove(u'\r').remove(u'\n');
                if (m_more.bounded(3) == 0)
                    sample = t;
                // Names that differ in case and in extension, to try the visiting order.
                const QString stem = QStringLiteral("%1%2").arg(QChar(m_more.bounded(2) ? u'a' : u'Я')).arg(i);
                QByteArray bytes;
                QString name;
                switch (m_more.bounded(6)) {
                case 0:
                    name = stem + QStringLiteral(".txt");
                    bytes = TextCodec::toCp1251(t);
                    break;
                case 1:
                    name = stem + QStringLiteral(".TXT");
                    bytes = t.toUtf8();
                    break;
                case 2:
                    name = stem + QStringLiteral(".htm");
                    bytes = "\xEF\xBB\xBF" + t.toUtf8();
                    break;
                case 3:
                    name = stem + QStringLiteral(".rtf");
                    bytes = toRtf(t);
                    break;
                case 4:
                    name = stem;
                    QVERIFY(QDir(data).mkdir(name));
                    names.append(name);
                    texts.append(QString());
                    continue;
                default:
                    name = stem + QStringLiteral(".txt");
                    bytes = TextCodec::toCp1251(t.toUpper());
                    break;
                }
                QFile f(QDir(data).filePath(name));
                QVERIFY(f.open(QIODevice::WriteOnly));
                QCOMPARE(f.write(bytes), bytes.size());
                names.append(name);
                texts.append(RtfReader::isRtf(bytes) ? RtfReader::displayedText(bytes) : TextCodec::decode(bytes));
            }
            const bool wordMode = m_more.bounded(3) != 0;
            QString q = query(sample);
            if (!wordMode)
                q.replace(QStringLiteral("  "), QStringLiteral(","));
            const qint64 interval = 1 + int(m_more.bounded(30));
            const ItemTable items = wordMode ? QuerySplit::Do_S(q) : QuerySplit::Do_P(q);

            // The reference: each article in visiting order, one after another.
            QList<int> order(names.size());
            for (int i = 0; i < order.size(); ++i)
                order[i] = i;
            std::sort(order.begin(), order.end(),
                      [&](int a, int b) { return KnowledgeBase::visitsBefore(names[a], names[b]); });
            QStringList expected;
            for (int i : order) {
                const bool matches = wordMode ? !Reference::proximityScan(texts[i], itemsOf(items), interval).isEmpty()
                                              : !Reference::phraseOccurrences(texts[i], itemsOf(items)).isEmpty();
                if (matches && !texts[i].isEmpty())
                    expected.append(names[i]);
            }

            SearchRun::Options whole;
            whole.workers = workers;
            SearchRun::Options pieces = whole;
            pieces.reading.pieceBytes = 1 + int(m_more.bounded(7));
            SearchRun::Options chunked = whole;
            chunked.reading.wholeReadLimit = 0;
            chunked.reading.chunkBytes = 1 + int(m_more.bounded(7));
            const KnowledgeBase base(data);
            for (const auto &options : {whole, pieces, chunked}) {
                QList<int> steps;
                QStringList handedOn;
                const QStringList found =
                    SearchRun::run(base, items, wordMode, interval, options, [&](const SearchRun::Step &s) {
                        steps.append(s.k);
                        if (s.matched)
                            handedOn.append(s.name);
                        return true;
                    });
                const QString context = QStringLiteral("round %1 query «%2» %3 mode, interval %4")
                                            .arg(round)
                                            .arg(q, wordMode ? QStringLiteral("word") : QStringLiteral("phrase"))
                                            .arg(interval);
                QVERIFY2(found == expected,
                         qPrintable(context
                                    + QStringLiteral(", read up to %1 bytes whole in pieces of %2: found %3")
                                          .arg(options.reading.wholeReadLimit)
                                          .arg(options.reading.pieceBytes)
                                          .arg(found.join(u'|'))));
                QCOMPARE(handedOn, expected);
                QCOMPARE(steps.size(), names.size());
                for (int k = 0; k < steps.size(); ++k)
                    QCOMPARE(steps[k], k + 1);
            }
        }
        m_random = kept;
    }
};

QTEST_GUILESS_MAIN(TestDifferential)
#include "tst_differential.moc"
