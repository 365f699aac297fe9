#include "platform/tests/fuzzchecks.h"
#include "platform/textcodec.h"

#include <QTest>

class TestTextCodec : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void decodes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        // «Линия жизни» in Windows-1251.
        QTest::newRow("cp1251") << QByteArray("\xcb\xe8\xed\xe8\xff \xe6\xe8\xe7\xed\xe8")
                                << QStringLiteral("Линия жизни");
        QTest::newRow("cp1251 yo and quotes") << QByteArray("\xa8\xb8 \xab\xbb \x96") << QStringLiteral("Ёё «» –");
        QTest::newRow("utf8 without mark") << QStringLiteral("Линия жизни").toUtf8() << QStringLiteral("Линия жизни");
        QTest::newRow("utf8 with mark") << QByteArray("\xef\xbb\xbf") + QStringLiteral("ёж").toUtf8()
                                        << QStringLiteral("ёж");
        QTest::newRow("ascii") << QByteArray("palm\r\n") << QStringLiteral("palm\r\n");
        QTest::newRow("empty") << QByteArray() << QString();
        // A lone lead byte at the end is not UTF-8.
        QTest::newRow("truncated utf8 reads as cp1251") << QByteArray("ab\xd0") << QStringLiteral("abР");
        QTest::newRow("overlong is not utf8") << QByteArray("\xc0\xaf") << QStringLiteral("АЇ");
        // What a Windows editor saves as "Unicode": the mark says the byte order and is dropped.
        const QString text = QStringLiteral("Линия жизни\r\n𝄞");
        QByteArray little("\xff\xfe");
        QByteArray big("\xfe\xff");
        for (QChar c : text) {
            little += char(c.unicode() & 0xFF);
            little += char(c.unicode() >> 8);
            big += char(c.unicode() >> 8);
            big += char(c.unicode() & 0xFF);
        }
        QTest::newRow("utf16 little-endian") << little << text;
        QTest::newRow("utf16 big-endian") << big << text;
        QTest::newRow("utf16 cut to an odd length") << little + 'x' << text;
        QTest::newRow("utf16 mark alone") << QByteArray("\xff\xfe") << QString();
        QTest::newRow("utf16 second mark stays")
            << QByteArray("\xff\xfe\xff\xfe\x41\x00", 6) << QStringLiteral("\uFEFFA");
    }
    void decodes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(TextCodec::decode(bytes), text);
    }

    void cp1251RoundTripsEveryAssignedByte()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b) {
            if (b != 0x98)
                all.append(char(b));
        }
        QCOMPARE(TextCodec::toCp1251(TextCodec::fromCp1251(all)), all);
    }

    void unrepresentableCharactersBecomeQuestionMarks()
    {
        QCOMPARE(TextCodec::toCp1251(QStringLiteral("a☺б")), QByteArray("a?\xe1"));
    }

    // The fuzz target's seed corpus, through the same check.
    void fuzzSeedsPass()
    {
        QCOMPARE(
            FuzzChecks::failingSeeds(QStringLiteral(PALMORA_TEST_DATA_DIR "/fuzz/textcodec"), FuzzChecks::textCodec),
            QStringList());
    }
};

QTEST_APPLESS_MAIN(TestTextCodec)
#include "tst_textcodec.moc"
