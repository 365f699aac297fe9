#include "platform/safefile.h"
#include "platform/testsupport/faildevice.h"
#include "platform/testsupport/unwritablefolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}
} // namespace

class TestSafeFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void replacesTheWholeFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("allmes.txt"));
        QVERIFY(SafeFile().write(path, QByteArray(1000, 'a')));
        QVERIFY(SafeFile().write(path, "short"));
        QCOMPARE(readAll(path), QByteArray("short"));
    }

    void failureHalfWayKeepsTheOldFileByteForByte_data()
    {
        QTest::addColumn<qint64>("failAfter");
        QTest::newRow("nothing fits") << qint64(0);
        QTest::newRow("five bytes fit") << qint64(5);
        QTest::newRow("all but the last byte") << qint64(4095);
    }
    void failureHalfWayKeepsTheOldFileByteForByte()
    {
        QFETCH(qint64, failAfter);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("allmes.txt"));
        const QByteArray old = "old archive\r\n";
        QVERIFY(SafeFile().write(path, old));
        QString error;
        QVERIFY(!failingSafeFile(failAfter).write(path, QByteArray(4096, 'n'), &error));
        QCOMPARE(error, QStringLiteral("No space left on device"));
        QCOMPARE(readAll(path), old);
        // No temporary file is left behind.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("allmes.txt")});
    }

    void contentWrittenInPiecesArrivesWhole()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("allmes.txt"));
        QVERIFY(SafeFile().write(path, [](QIODevice &out) {
            for (int i = 0; i < 3; ++i)
                out.write("ab");
            return true;
        }));
        QCOMPARE(readAll(path), QByteArray("ababab"));
        // A producer that gives up leaves the old file.
        QVERIFY(!SafeFile().write(path, [](QIODevice &out) { return out.write("x") < 0; }));
        QCOMPARE(readAll(path), QByteArray("ababab"));
    }

    void writableFileInReadOnlyFolderIsOverwrittenInPlace()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("итог.txt"));
        QVERIFY(SafeFile().write(path, "old text, longer than the new one"));
        UnwritableFolder readOnly(dir.path());
        if (!readOnly.isEffective())
            QSKIP("the folder cannot be made read-only here");
        QVERIFY(SafeFile().write(path, "new"));
        QCOMPARE(readAll(path), QByteArray("new"));
        // A file that does not exist yet still cannot be made there.
        QVERIFY(!SafeFile().write(dir.filePath(QStringLiteral("другой.txt")), "x"));
    }

    void missingFolderFails()
    {
        QTemporaryDir dir;
        QVERIFY(!SafeFile().write(dir.filePath(QStringLiteral("no/such/file.txt")), "x"));
    }
};

QTEST_GUILESS_MAIN(TestSafeFile)
#include "tst_safefile.moc"
