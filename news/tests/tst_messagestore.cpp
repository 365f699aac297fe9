#include "news/messagestore.h"
#include "news/tests/fuzzchecks.h"
#include "platform/safefile.h"
#include "platform/testsupport/faildevice.h"
#include "platform/testsupport/peakmemory.h"
#include "platform/testsupport/temporaryinstallation.h"
#include "platform/testsupport/unwritablefolder.h"
#include "platform/textcodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestMessageStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_install = std::make_unique<TemporaryInstallation>();
        QVERIFY(m_install->isValid());
    }
    void cleanup() { m_install.reset(); }

    void readBack_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("CR LF lines") << QByteArray("a\r\nb\r\n") << QStringLiteral("a\r\nb");
        QTest::newRow("no final line break") << QByteArray("a\r\nb") << QStringLiteral("a\r\nb");
        QTest::newRow("LF lines") << QByteArray("a\nb\n") << QStringLiteral("a\r\nb");
        QTest::newRow("blank last line is kept") << QByteArray("a\r\n\r\n") << QStringLiteral("a\r\n");
        QTest::newRow("empty file") << QByteArray() << QString();
        QTest::newRow("Windows-1251") << QByteArray("\xcd\xee\xe2\xee\xf1\xf2\xe8\r\n") << QStringLiteral("Новости");
    }
    void readBack()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        QFile file(m_install->program.filePath(QStringLiteral("mes.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        QCOMPARE(messages().readBack(QStringLiteral("mes.txt")), expected);
    }

    void missingFileReadsEmpty()
    {
        QVERIFY(!messages().exists(QStringLiteral("allmes.txt")));
        QCOMPARE(messages().readBack(QStringLiteral("allmes.txt")), QString());
    }

    void sameMessage_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("same");
        QTest::newRow("equal") << QStringLiteral("[news]\r\nА") << QStringLiteral("[news]\r\nА") << true;
        QTest::newRow("LF against CR LF")
            << QStringLiteral("[news]\nА\nБ") << QStringLiteral("[news]\r\nА\r\nБ") << true;
        QTest::newRow("trailing line breaks")
            << QStringLiteral("[news]\r\nА\r\n\r\n") << QStringLiteral("[news]\r\nА") << true;
        QTest::newRow("same length, other text")
            << QStringLiteral("[news]\r\nСбор в 18:00") << QStringLiteral("[news]\r\nСбор в 19:00") << false;
        QTest::newRow("inner blank line counts")
            << QStringLiteral("[news]\r\n\r\nА") << QStringLiteral("[news]\r\nА") << false;
        QTest::newRow("case counts") << QStringLiteral("[news] а") << QStringLiteral("[news] А") << false;
        QTest::newRow("nothing stored yet") << QStringLiteral("[news]") << QString() << false;
    }
    void sameMessage()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, same);
        QCOMPARE(MessageStore::sameMessage(a, b), same);
        QCOMPARE(MessageStore::sameMessage(b, a), same);
    }

    void dateLine_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Russian") << QStringLiteral("ru_RU") << QStringLiteral("[06.05.2025  09:05:07]");
        QTest::newRow("English, 12-hour clock") << QStringLiteral("en_US") << QStringLiteral("[5/6/25  9:05:07 AM]");
        QTest::newRow("German") << QStringLiteral("de_DE") << QStringLiteral("[06.05.25  09:05:07]");
    }
    void dateLine()
    {
        QFETCH(QString, locale);
        QFETCH(QString, expected);
        const QDateTime when(QDate(2025, 5, 6), QTime(9, 5, 7));
        QCOMPARE(MessageStore::dateLine(when, QLocale(locale)), expected);
    }

    // A page must never be recorded as seen unless its message reached the archive.
    void failedArchiveLeavesThePageUnrecorded()
    {
        const QByteArray oldPage = TextCodec::toCp1251(u"[news]\r\nСтарое\r\n");
        QFile file(m_install->program.filePath(QStringLiteral("mes.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(oldPage);
        file.close();

        QVERIFY(!messages().store(QStringLiteral("[news]\r\nНовое"), QDateTime::currentDateTime(), failingSafeFile(5)));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), oldPage);
        QVERIFY(!messages().exists(QStringLiteral("allmes.txt")));
    }

    // A store that fails says why, and leaves both files as they were.
    void failedStoreSaysWhy_data()
    {
        QTest::addColumn<bool>("readOnlyArchive");
        QTest::addColumn<QString>("reason");
        QTest::newRow("read-only archive") << true << QStringLiteral("Файл «%1» доступен только для чтения.");
        QTest::newRow("disk fills half-way") << false << QStringLiteral("На диске не хватает места для файла «%1».");
    }
    void failedStoreSaysWhy()
    {
        QFETCH(bool, readOnlyArchive);
        QFETCH(QString, reason);
        const QByteArray oldArchive = TextCodec::toCp1251(u"##\r\nСтарое\r\n");
        writeProgramFile("allmes.txt", oldArchive);
        const QString archive = m_install->program.filePath(QStringLiteral("allmes.txt"));
        if (readOnlyArchive)
            QVERIFY(QFile::setPermissions(archive, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        QString why;
        QVERIFY(!messages().store(QStringLiteral("[news]\r\nНовое"), QDateTime::currentDateTime(),
                                  readOnlyArchive ? SafeFile() : failingSafeFile(5), &why));
        QCOMPARE(why, reason.arg(QDir::toNativeSeparators(archive)));
        QCOMPARE(programFile("allmes.txt"), oldArchive);
        QVERIFY(!messages().exists(QStringLiteral("mes.txt")));
    }

    void unwritableProgramFolderUsesTheFallback()
    {
        const MessageStore readOnlyCopy(m_install->installation(Installation::ProgramFolderWrites::Never));
        QVERIFY(readOnlyCopy.store(QStringLiteral("[news]\r\nНовое"), QDateTime::currentDateTime()));
        QVERIFY(QFile::exists(m_install->fallback.filePath(QStringLiteral("allmes.txt"))));
        QVERIFY(!QFile::exists(m_install->program.filePath(QStringLiteral("allmes.txt"))));
        // Read back by the same read-only copy that wrote it.
        QCOMPARE(readOnlyCopy.readBack(QStringLiteral("mes.txt")), QStringLiteral("[news]\r\nНовое"));
    }

    // What the news tab shows of an archive grown over the years: its newest
    // lines, up to the bound, and whether older ones were left out.
    void newestPart_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("maxBytes");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("cut");
        QTest::newRow("within the bound")
            << QByteArray("a\r\nb\r\n") << qint64(100) << QStringLiteral("a\r\nb") << false;
        QTest::newRow("exactly the bound")
            << QByteArray("a\r\nb\r\n") << qint64(6) << QStringLiteral("a\r\nb") << false;
        QTest::newRow("cut at the last whole line")
            << QByteArray("один\r\nдва\r\nтри\r\n") << qint64(19) << QStringLiteral("один\r\nдва") << true;
        QTest::newRow("cut in Windows-1251")
            << TextCodec::toCp1251(u"один\r\nдва\r\nтри\r\n") << qint64(12) << QStringLiteral("один\r\nдва") << true;
        QTest::newRow("a first line longer than the bound") << QByteArray(50, 'x') + "\r\n"
                                                            << qint64(10) << QString() << true;
    }
    void newestPart()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, maxBytes);
        QFETCH(QString, shown);
        QFETCH(bool, cut);
        writeProgramFile("allmes.txt", bytes);
        bool wasCut = !cut;
        QCOMPARE(messages().newestPart(QStringLiteral("allmes.txt"), maxBytes, &wasCut), shown);
        QCOMPARE(wasCut, cut);
    }

    void holds_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("holds");
        QTest::newRow("the same page") << TextCodec::toCp1251(u"[news]\r\nА\r\n") << true;
        QTest::newRow("another page") << TextCodec::toCp1251(u"[news]\r\nБ\r\n") << false;
        QTest::newRow("the page, then a great deal more")
            << TextCodec::toCp1251(u"[news]\r\nА\r\n") + QByteArray(10 * 1024 * 1024, '\n') + "x" << false;
    }
    void holds()
    {
        QFETCH(QByteArray, stored);
        QFETCH(bool, holds);
        writeProgramFile("mes.txt", stored);
        QCOMPARE(messages().holds(QStringLiteral("mes.txt"), QStringLiteral("[news]\r\nА")), holds);
    }

    void holdsNothingWhenMissingOrAFolder()
    {
        QVERIFY(!messages().holds(QStringLiteral("mes.txt"), QStringLiteral("[news]")));
        QVERIFY(QDir(m_install->program.path()).mkdir(QStringLiteral("mes.txt")));
        QVERIFY(!messages().holds(QStringLiteral("mes.txt"), QStringLiteral("[news]")));
    }

    // The new entry goes in front of the old archive, which keeps every byte
    // but its final line break, whatever its line breaks or code page.
    void newEntryInFrontOfTheOldArchive_data()
    {
        QTest::addColumn<QByteArray>("old");
        QTest::addColumn<QByteArray>("kept");
        QTest::newRow("CR LF at the end") << QByteArray("#\r\nстарое\r\n") << QByteArray("#\r\nстарое");
        QTest::newRow("LF at the end") << QByteArray("a\nb\n") << QByteArray("a\nb");
        QTest::newRow("no line break at the end") << QByteArray("a\r\nb") << QByteArray("a\r\nb");
        QTest::newRow("two line breaks at the end") << QByteArray("a\r\n\r\n") << QByteArray("a\r\n");
        QTest::newRow("a lone line break") << QByteArray("\r\n") << QByteArray();
        QTest::newRow("empty") << QByteArray() << QByteArray();
    }
    void newEntryInFrontOfTheOldArchive()
    {
        QFETCH(QByteArray, old);
        QFETCH(QByteArray, kept);
        writeProgramFile("allmes.txt", old);
        const QDateTime when(QDate(2025, 5, 6), QTime(9, 5, 7));
        QVERIFY(messages().store(QStringLiteral("[news]\r\nНовое"), when));
        const QByteArray entry = TextCodec::toCp1251(MessageStore::entry(QStringLiteral("\r\nНовое"), when));
        QCOMPARE(programFile("allmes.txt"), entry + kept + "\r\n");
    }

    // An archive grown to tens of megabytes goes through the new one piece by
    // piece: the program does not grow by its size.
    void largeArchiveStreamsThrough()
    {
        QByteArray piece;
        for (int i = 0; i < 1000; ++i)
            piece += TextCodec::toCp1251(
                u"##############################################\r\n[01.02.2024  10:00:00]\r\nСтарое\r\n");
        QFile file(m_install->program.filePath(QStringLiteral("allmes.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        const qint64 size = 64 * 1024 * 1024;
        while (file.size() < size)
            QVERIFY(file.write(piece) == piece.size());
        file.close();
        const qint64 written = QFileInfo(file).size();

        PeakMemory memory;
        const bool measured = memory.start();
        QVERIFY(messages().store(QStringLiteral("[news]\r\nНовое"), QDateTime::currentDateTime()));
        const qint64 grown = memory.grown();
        if (measured)
            QVERIFY2(grown < 16 * 1024 * 1024, qPrintable(QString::number(grown)));

        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(
            file.size(),
            written
                + TextCodec::toCp1251(MessageStore::entry(QStringLiteral("\r\nНовое"), QDateTime::currentDateTime()))
                      .size());
        const QByteArray head = file.read(200);
        QVERIFY(head.startsWith(QByteArray(46, '#') + "\r\n["));
        QVERIFY(head.contains(TextCodec::toCp1251(u"\r\n\r\nНовое\r\n##")));
        QVERIFY(file.seek(file.size() - piece.size()));
        QCOMPARE(file.readAll(), piece);
    }

    // Where no temporary file can be made beside the archive it is written in
    // place: the old archive must still follow the new entry.
    void archiveWrittenInPlaceKeepsTheOldOne()
    {
        const QByteArray old = TextCodec::toCp1251(
            u"##############################################\r\n[01.02.2024  10:00:00]\r\nСтарое\r\n");
        writeProgramFile("allmes.txt", old);
        writeProgramFile("mes.txt", "[news]\r\n");
        // The program folder's files may be written, but no new file made there.
        const MessageStore inPlace(m_install->installation(Installation::ProgramFolderWrites::Always));
        {
            UnwritableFolder readOnly(m_install->program.path());
            if (!readOnly.isEffective())
                QSKIP("the folder cannot be made read-only here");
            QVERIFY(inPlace.store(QStringLiteral("[news]\r\nНовое"), QDateTime::currentDateTime()));
        }
        const QByteArray archive = programFile("allmes.txt");
        QVERIFY(archive.endsWith(old.chopped(2) + "\r\n"));
        QVERIFY(archive.contains(TextCodec::toCp1251(u"\r\nНовое\r\n")));
        QVERIFY(archive.size() > old.size() + 60);
    }

    // The fuzz target's seed corpus, through the same check.
    void fuzzSeedsPass()
    {
        QCOMPARE(
            FuzzChecks::failingSeeds(QStringLiteral(PALMORA_TEST_DATA_DIR "/fuzz/messagestore"), FuzzChecks::archive),
            QStringList());
    }

private:
    MessageStore messages() const { return MessageStore(m_install->installation()); }
    void writeProgramFile(const char *name, const QByteArray &bytes)
    {
        QFile file(m_install->program.filePath(QLatin1String(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), qint64(bytes.size()));
    }
    QByteArray programFile(const char *name) const
    {
        QFile file(m_install->program.filePath(QLatin1String(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    std::unique_ptr<TemporaryInstallation> m_install;
};

QTEST_MAIN(TestMessageStore)
#include "tst_messagestore.moc"
