#include "platform/safefile.h"
#include "platform/testsupport/faildevice.h"
#include "platform/testsupport/filesizelimit.h"
#include "platform/testsupport/unwritablefolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

mode_t modeOf(const QString &path)
{
    struct stat st = {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

void setMode(const QString &path, mode_t mode)
{
    QVERIFY(::chmod(QFile::encodeName(path).constData(), mode) == 0);
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
        QTest::addColumn<bool>("inPlace");
        for (const bool inPlace : {false, true}) {
            const char *where = inPlace ? ", in place" : "";
            QTest::addRow("nothing fits%s", where) << qint64(0) << inPlace;
            QTest::addRow("five bytes fit%s", where) << qint64(5) << inPlace;
            QTest::addRow("all but the last byte%s", where) << qint64(4095) << inPlace;
        }
    }
    void failureHalfWayKeepsTheOldFileByteForByte()
    {
        QFETCH(qint64, failAfter);
        QFETCH(bool, inPlace);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("allmes.txt"));
        const QByteArray old = "old archive\r\n";
        QVERIFY(SafeFile().write(path, old));
        QString error;
        {
            std::unique_ptr<UnwritableFolder> readOnly;
            if (inPlace) {
                readOnly = std::make_unique<UnwritableFolder>(dir.path());
                QVERIFY(readOnly->isEffective());
            }
            QVERIFY(!failingSafeFile(failAfter).write(path, QByteArray(4096, 'n'), &error));
        }
        QCOMPARE(error, QStringLiteral("На диске не хватает места для файла «%1».").arg(path));
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

    // A disk that fills during an in-place write: the room for the new content
    // is taken before the old file changes, or nothing changes at all.
    void fullDiskInPlaceKeepsTheOldFileByteForByte_data()
    {
        QTest::addColumn<int>("oldSize");
        QTest::addColumn<int>("newSize");
        QTest::addColumn<int>("room");
        QTest::addColumn<bool>("fits");
        QTest::newRow("new content past the room") << 300 << 8192 << 1000 << false;
        QTest::newRow("shorter content fits") << 800 << 500 << 1000 << true;
        QTest::newRow("longer content fits") << 100 << 900 << 1000 << true;
    }
    void fullDiskInPlaceKeepsTheOldFileByteForByte()
    {
        QFETCH(int, oldSize);
        QFETCH(int, newSize);
        QFETCH(int, room);
        QFETCH(bool, fits);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("итог.txt"));
        QByteArray old(oldSize, 'o');
        old[0] = 'O';
        QVERIFY(SafeFile().write(path, old));
        const QByteArray fresh(newSize, 'n');
        QString error;
        bool written = false;
        {
            UnwritableFolder readOnly(dir.path());
            QVERIFY(readOnly.isEffective());
            FileSizeLimit disk{rlim_t(room)};
            QVERIFY(disk.isEffective());
            written = SafeFile().write(path, fresh, &error);
        }
        QCOMPARE(written, fits);
        QCOMPARE(readAll(path), fits ? fresh : old);
        QCOMPARE(error.isEmpty(), fits);
    }

    // A small file system that is really full.
    void fullFileSystemInPlaceKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString mountPoint = dir.filePath(QStringLiteral("disk"));
        QVERIFY(QDir().mkpath(mountPoint));
        if (::mount("palmora-test", QFile::encodeName(mountPoint).constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("no small file system can be mounted here");
        const QString path = mountPoint + QStringLiteral("/palm.jpg");
        const QByteArray old(8 * 1024, 'o');
        QVERIFY(SafeFile().write(path, old));
        {
            // Whatever room is left goes to another file.
            QFile filler(mountPoint + QStringLiteral("/filler"));
            QVERIFY(filler.open(QIODevice::WriteOnly));
            const QByteArray block(4096, 'f');
            while (filler.write(block) == block.size() && filler.flush()) {
            }
        }
        QString error;
        bool written = true;
        {
            UnwritableFolder readOnly(mountPoint);
            QVERIFY(readOnly.isEffective());
            written = SafeFile().write(path, QByteArray(64 * 1024, 'n'), &error);
        }
        const QByteArray after = readAll(path);
        ::umount(QFile::encodeName(mountPoint).constData());
        QVERIFY(!written);
        QVERIFY(!error.isEmpty());
        QCOMPARE(after, old);
    }

    // A read-only file is kept, even for root, who could write it.
    void readOnlyFileIsRefused_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("0444") << 0444;
        QTest::newRow("0400") << 0400;
    }
    void readOnlyFileIsRefused()
    {
        QFETCH(int, mode);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("palm.jpg"));
        QVERIFY(SafeFile().write(path, "old"));
        setMode(path, mode_t(mode));
        QString error;
        QVERIFY(!SafeFile().write(path, "new", &error));
        QCOMPARE(error, QStringLiteral("Файл «%1» доступен только для чтения.").arg(path));
        QCOMPARE(readAll(path), QByteArray("old"));
        QCOMPARE(modeOf(path), mode_t(mode));
    }

    void replacedFileKeepsItsMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("0640") << 0640;
        QTest::newRow("0600") << 0600;
        QTest::newRow("0604") << 0604;
        QTest::newRow("0755") << 0755;
    }
    void replacedFileKeepsItsMode()
    {
        QFETCH(int, mode);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("итог.txt"));
        QVERIFY(SafeFile().write(path, "old"));
        setMode(path, mode_t(mode));
        QVERIFY(SafeFile().write(path, "new"));
        QCOMPARE(readAll(path), QByteArray("new"));
        QCOMPARE(modeOf(path), mode_t(mode));
    }

    // Each failure names its own reason, never a guess at another.
    void failureNamesItsReason_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("message");
        QTest::newRow("full disk (/dev/full)")
            << QStringLiteral("/dev/full") << QStringLiteral("На диске не хватает места для файла «/dev/full».");
        QTest::newRow("read-only file") << QStringLiteral("read-only")
                                        << QStringLiteral("Файл «%1» доступен только для чтения.");
        QTest::newRow("folder not writable")
            << QStringLiteral("locked folder") << QStringLiteral("Нет прав на запись в папку «%2».");
        QTest::newRow("file of another user in a locked folder")
            << QStringLiteral("locked file") << QStringLiteral("Нет прав на запись в файл «%1».");
        QTest::newRow("missing folder") << QStringLiteral("missing") << QStringLiteral("Папки «%2» нет.");
        QTest::newRow("a folder has the name")
            << QStringLiteral("folder") << QStringLiteral("«%1» — не файл: под этим именем папка или устройство.");
        QTest::newRow("file size limit") << QStringLiteral("limit")
                                         << QStringLiteral("Файл «%1» слишком велик для этого диска.");
    }
    void failureNamesItsReason()
    {
        QFETCH(QString, where);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("итог.txt"));
        std::unique_ptr<UnwritableFolder> locked;
        std::unique_ptr<FileSizeLimit> limit;
        if (where == QLatin1String("/dev/full")) {
            if (!QFileInfo(where).isWritable())
                QSKIP("/dev/full cannot be written here");
            path = where;
        } else if (where == QLatin1String("read-only")) {
            QVERIFY(SafeFile().write(path, "old"));
            setMode(path, 0444);
        } else if (where == QLatin1String("locked folder") || where == QLatin1String("locked file")) {
            if (where == QLatin1String("locked file")) {
                // Writable by its owner, who is not this user.
                QVERIFY(SafeFile().write(path, "old"));
                setMode(path, 0644);
                if (::geteuid() == 0 && ::chown(QFile::encodeName(path).constData(), 1, 1) != 0)
                    QSKIP("the file cannot be given to another user");
                if (::geteuid() != 0)
                    QSKIP("only root can give a file to another user");
            }
            locked = std::make_unique<UnwritableFolder>(dir.path());
            QVERIFY(locked->isEffective());
        } else if (where == QLatin1String("missing")) {
            path = dir.filePath(QStringLiteral("нет/итог.txt"));
        } else if (where == QLatin1String("folder")) {
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("итог.txt")));
        } else {
            limit = std::make_unique<FileSizeLimit>(rlim_t(1024));
            QVERIFY(limit->isEffective());
        }
        QString error;
        const bool written = SafeFile().write(path, QByteArray(64 * 1024, 'n'), &error);
        locked.reset();
        limit.reset();
        QVERIFY(!written);
        QCOMPARE(
            error,
            message.replace(QStringLiteral("%1"), path).replace(QStringLiteral("%2"), QFileInfo(path).absolutePath()));
    }

    void missingFolderFails()
    {
        QTemporaryDir dir;
        QVERIFY(!SafeFile().write(dir.filePath(QStringLiteral("no/such/file.txt")), "x"));
    }
};

QTEST_GUILESS_MAIN(TestSafeFile)
#include "tst_safefile.moc"
