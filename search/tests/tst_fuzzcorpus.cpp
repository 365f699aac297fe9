#include "search/tests/fuzzchecks.h"

#include <QDir>
#include <QFile>
#include <QTest>

// Replays the fuzz targets' seed corpus through the same checks.
class TestFuzzCorpus : public QObject
{
    Q_OBJECT

    static void replay(const QString &folder, bool (*check)(const uint8_t *, std::size_t))
    {
        const QDir dir(QStringLiteral(PALMORA_TEST_DATA_DIR "/fuzz/") + folder);
        const QStringList files = dir.entryList(QDir::Files);
        QVERIFY(!files.isEmpty());
        for (const QString &name : files) {
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray bytes = f.readAll();
            QVERIFY2(check(reinterpret_cast<const uint8_t *>(bytes.constData()), std::size_t(bytes.size())),
                     qPrintable(name));
        }
    }

private Q_SLOTS:
    void fieldReader() { replay(QStringLiteral("fieldreader"), FuzzChecks::fieldReader); }
    void scan() { replay(QStringLiteral("scan"), FuzzChecks::scan); }
};

QTEST_GUILESS_MAIN(TestFuzzCorpus)
#include "tst_fuzzcorpus.moc"
