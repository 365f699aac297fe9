#include "platform/filehead.h"
#include "platform/textcodec.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestFileHead : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Where a cut may fall without splitting a character.
    void characterBoundary_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qsizetype>("at");
        QTest::addColumn<qsizetype>("boundary");
        const QByteArray utf8 = QStringLiteral("жизнь").toUtf8(); // two bytes a letter
        QTest::newRow("UTF-8, between letters") << utf8 << qsizetype(4) << qsizetype(4);
        QTest::newRow("UTF-8, inside a letter") << utf8 << qsizetype(5) << qsizetype(4);
        QTest::newRow("UTF-8, after a lead byte") << utf8 << qsizetype(3) << qsizetype(2);
        QTest::newRow("three-byte character whole") << QByteArray("a\xE2\x84\x96"
                                                                  "b")
                                                    << qsizetype(4) << qsizetype(4);
        QTest::newRow("three-byte character cut") << QByteArray("a\xE2\x84\x96"
                                                                "b")
                                                  << qsizetype(3) << qsizetype(1);
        QTest::newRow("four-byte character cut") << QByteArray("a\xF0\x9F\x98\x80", 5) << qsizetype(4) << qsizetype(1);
        QTest::newRow("Windows-1251 loses a letter at most")
            << TextCodec::toCp1251(u"жизнь") << qsizetype(3) << qsizetype(2);
        QTest::newRow("Windows-1251 letters from 0x80 to 0xBF are kept")
            << TextCodec::toCp1251(u"ё№ёё") << qsizetype(3) << qsizetype(3);
        QTest::newRow("ASCII") << QByteArray("abcdef") << qsizetype(3) << qsizetype(3);
        QTest::newRow("at the end") << utf8 << utf8.size() << utf8.size();
    }
    void characterBoundary()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qsizetype, at);
        QFETCH(qsizetype, boundary);
        QCOMPARE(FileHead::characterBoundary(bytes, at), boundary);
    }

    void readsOnlyTheBeginning()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("big.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("0123456789");
        QVERIFY(file.resize(qint64(4) << 30)); // 4 GB, a hole after the first bytes
        file.close();
        const FileHead::Head head = FileHead::read(path, 4);
        QVERIFY(head.readable);
        QVERIFY(head.cut);
        QCOMPARE(head.bytes, QByteArray("0123"));
        QCOMPARE(head.fileSize, qint64(4) << 30);
        QCOMPARE(FileHead::sizeText(head.fileSize), QStringLiteral("4,0 ГБ"));

        QVERIFY(QFile::resize(path, 10));
        const FileHead::Head whole = FileHead::read(path, 10);
        QVERIFY(!whole.cut);
        QCOMPARE(whole.bytes, QByteArray("0123456789"));
        QCOMPARE(FileHead::read(dir.path(), 10).readable, false);
        QCOMPARE(FileHead::read(dir.filePath(QStringLiteral("missing")), 10).readable, false);
    }

    void sizeText_data()
    {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("kilobytes") << qint64(1536) << QStringLiteral("1,5 КБ");
        QTest::newRow("many kilobytes") << qint64(500 * 1024) << QStringLiteral("500 КБ");
        QTest::newRow("megabytes") << qint64(200) * 1024 * 1024 << QStringLiteral("200,0 МБ");
        QTest::newRow("gigabytes") << (qint64(3) << 30) << QStringLiteral("3,0 ГБ");
    }
    void sizeText()
    {
        QFETCH(qint64, bytes);
        QFETCH(QString, text);
        QCOMPARE(FileHead::sizeText(bytes), text);
    }
};

QTEST_GUILESS_MAIN(TestFileHead)
#include "tst_filehead.moc"
