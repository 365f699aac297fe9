#include "platform/safefile.h"

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
    void cleanup() { SafeFile::setFailAfterBytesForTesting(-1); }

    void replacesTheWholeFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("allmes.txt"));
        QVERIFY(SafeFile::write(path, QByteArray(1000, 'a')));
        QVERIFY(SafeFile::write(path, "short"));
        QCOMPARE(readAll(path), QByteArray("short"));
    }

    void failureHalfWayKeepsTheOldFileByteForByte()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("allmes.txt"));
        const QByteArray old = "old archive\r\n";
        QVERIFY(SafeFile::write(path, old));
        SafeFile::setFailAfterBytesForTesting(5);
        QString error;
        QVERIFY(!SafeFile::write(path, QByteArray(4096, 'n'), &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(readAll(path), old);
        // No temporary file is left behind.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("allmes.txt")});
    }

    void missingFolderFails()
    {
        QTemporaryDir dir;
        QVERIFY(!SafeFile::write(dir.filePath(QStringLiteral("no/such/file.txt")), "x"));
    }
};

QTEST_GUILESS_MAIN(TestSafeFile)
#include "tst_safefile.moc"
