#include "search/articletext.h"
#include "search/highlights.h"
#include "search/querysplit.h"
#include "search/tests/referencesearch.h"
#include "search/searchengine.h"
#include "platform/textcodec.h"

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
    QTemporaryDir m_dir;
    int m_file = 0;

    int below(int n) { return int(m_random.bounded(n)); }

    QString pieceOfText()
    {
        static const QStringList pieces = {
            QStringLiteral("ум"), QStringLiteral("УМ"), QStringLiteral("умум"), QStringLiteral("ума"),
            QStringLiteral("ли"), QStringLiteral("линия"), QStringLiteral("Линия"), QStringLiteral("лилия"),
            QStringLiteral("ёж"), QStringLiteral("Ёж"), QStringLiteral("еж"), QStringLiteral("ЁЁ"),
            QStringLiteral("palm"), QStringLiteral("PALM"), QStringLiteral("a"), QStringLiteral("aa"),
            QStringLiteral(" "), QStringLiteral(" "), QStringLiteral(" "), QStringLiteral(", "),
            QStringLiteral("!"), QStringLiteral("\r\n"), QStringLiteral("-"), QStringLiteral("«»"),
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
};

QTEST_GUILESS_MAIN(TestDifferential)
#include "tst_differential.moc"
