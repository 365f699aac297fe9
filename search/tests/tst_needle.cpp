#include "platform/textcodec.h"
#include "search/casefold.h"
#include "search/needle.h"

#include <QRandomGenerator>
#include <QTest>

// The vector scan against folding the text and comparing position by
// position, on random texts long enough to cross every register edge, from
// every start, in both forms a text is searched in.
class TestNeedle : public QObject
{
    Q_OBJECT

    // The first start at or after from where the folded text holds the
    // folded needle, or -1.
    template <typename Unit, typename Fold>
    static qint64 plainFind(const Unit *text, qint64 size, const Unit *needle, qint64 m, qint64 from, Fold fold)
    {
        if (m == 0)
            return -1;
        for (qint64 x = from; x + m <= size; ++x) {
            qint64 k = 0;
            while (k < m && fold(text[x + k]) == needle[k])
                ++k;
            if (k == m)
                return x;
        }
        return -1;
    }

private Q_SLOTS:
    void findsWhatFoldingFinds_data()
    {
        QTest::addColumn<QString>("needle");
        QTest::addColumn<QString>("alphabet");
        QTest::newRow("one letter") << QStringLiteral("ж") << QStringLiteral("жЖx ");
        QTest::newRow("a rare and a common letter") << QStringLiteral("жи") << QStringLiteral("жЖиИ ");
        QTest::newRow("doubled letter") << QStringLiteral("аа") << QStringLiteral("аАб");
        QTest::newRow("longer than a register")
            << QStringLiteral("линиялиниялиниялиниялиниялиниялиния") << QStringLiteral("линЛИНя");
        QTest::newRow("yo is not ye") << QStringLiteral("ёж") << QStringLiteral("ёЁеЕжЖ");
        QTest::newRow("latin i and its dotted capital") << QStringLiteral("ii") << QStringLiteral("iIİı");
        QTest::newRow("kelvin sign") << QStringLiteral("k") << QStringLiteral("kK\u212A ");
        QTest::newRow("three cases of one letter") << QStringLiteral("ǆa") << QStringLiteral("ǆǅǄaA");
        QTest::newRow("sigma") << QStringLiteral("σς") << QStringLiteral("σΣςx");
        QTest::newRow("not in Windows-1251") << QStringLiteral("✓a") << QStringLiteral("✓aA");
        QTest::newRow("blank and punctuation") << QStringLiteral(" ум ") << QStringLiteral(" умУМ,");
        QTest::newRow("surrogates") << QStringLiteral("\U0001F60Aя") << QStringLiteral("\U0001F60AяЯ");
        QTest::newRow("unassigned byte") << QString(QChar(0xFFFD)) << QString(QChar(0xFFFD)) + QStringLiteral("a");
    }
    void findsWhatFoldingFinds()
    {
        QFETCH(QString, needle);
        QFETCH(QString, alphabet);
        const QString folded = CaseFold::fold(needle);
        const Needle prepared(folded);
        QCOMPARE(prepared.length(), folded.size());
        QByteArray foldedBytes;
        const bool inCp1251 = CaseFold::toCp1251(folded, foldedBytes);
        const auto foldUnit = [](char16_t c) { return CaseFold::fold(c); };
        const auto foldByte = [](char b) { return char(CaseFold::foldCp1251(static_cast<unsigned char>(b))); };
        QRandomGenerator random(7);
        for (int round = 0; round < 400; ++round) {
            QString text;
            const int length = int(random.bounded(140));
            // Mostly the needle's own letters, so that it occurs often.
            for (int i = 0; i < length; ++i)
                text += random.bounded(3) ? alphabet[int(random.bounded(int(alphabet.size())))] : QChar(u'.');
            if (random.bounded(2))
                text.insert(int(random.bounded(int(text.size()) + 1)), needle.toUpper());
            const auto *units = reinterpret_cast<const char16_t *>(text.utf16());
            const auto *pattern = reinterpret_cast<const char16_t *>(folded.utf16());
            const QByteArray bytes = TextCodec::toCp1251(text);
            for (qint64 from = 0; from <= text.size() + 1; ++from) {
                QCOMPARE(prepared.find(units, text.size(), from),
                         plainFind(units, text.size(), pattern, folded.size(), from, foldUnit));
                const qint64 expected = inCp1251 ? plainFind(bytes.constData(), bytes.size(), foldedBytes.constData(),
                                                             foldedBytes.size(), from, foldByte)
                                                 : -1;
                QCOMPARE(prepared.find(bytes.constData(), bytes.size(), from), expected);
            }
        }
    }

    void anEmptyNeedleIsNeverFound()
    {
        const Needle empty{QString()};
        QCOMPARE(empty.find("abc", 3, 0), -1);
        QCOMPARE(empty.find(u"abc", 3, 0), -1);
    }
};

QTEST_GUILESS_MAIN(TestNeedle)
#include "tst_needle.moc"
