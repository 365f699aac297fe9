#include "news/messagestore.h"
#include "platform/programfolder.h"
#include "platform/safefile.h"
#include "platform/testsupport/faildevice.h"
#include "platform/testsupport/temporaryinstallation.h"
#include "platform/textcodec.h"

#include <QFile>
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
    void cleanup()
    {
        m_install.reset();
    }

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
        QCOMPARE(MessageStore::readBack(QStringLiteral("mes.txt")), expected);
    }

    void missingFileReadsEmpty()
    {
        QVERIFY(!MessageStore::exists(QStringLiteral("allmes.txt")));
        QCOMPARE(MessageStore::readBack(QStringLiteral("allmes.txt")), QString());
    }

    void sameMessage_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("same");
        QTest::newRow("equal") << QStringLiteral("[news]\r\nА") << QStringLiteral("[news]\r\nА") << true;
        QTest::newRow("LF against CR LF") << QStringLiteral("[news]\nА\nБ") << QStringLiteral("[news]\r\nА\r\nБ") << true;
        QTest::newRow("trailing line breaks") << QStringLiteral("[news]\r\nА\r\n\r\n") << QStringLiteral("[news]\r\nА") << true;
        QTest::newRow("same length, other text") << QStringLiteral("[news]\r\nСбор в 18:00")
                                                  << QStringLiteral("[news]\r\nСбор в 19:00") << false;
        QTest::newRow("inner blank line counts") << QStringLiteral("[news]\r\n\r\nА") << QStringLiteral("[news]\r\nА") << false;
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

        QVERIFY(!MessageStore::store(QStringLiteral("[news]\r\nНовое"), QDateTime::currentDateTime(), failingSafeFile(5)));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), oldPage);
        QVERIFY(!MessageStore::exists(QStringLiteral("allmes.txt")));
    }

    void unwritableProgramFolderUsesTheFallback()
    {
        ProgramFolder::setWritableForTesting(-1);
        QVERIFY(MessageStore::store(QStringLiteral("[news]\r\nНовое"), QDateTime::currentDateTime()));
        QVERIFY(QFile::exists(m_install->fallback.filePath(QStringLiteral("allmes.txt"))));
        QVERIFY(!QFile::exists(m_install->program.filePath(QStringLiteral("allmes.txt"))));
        // Read back by the same read-only copy that wrote it.
        QCOMPARE(MessageStore::readBack(QStringLiteral("mes.txt")), QStringLiteral("[news]\r\nНовое"));
        ProgramFolder::setWritableForTesting(0);
    }

private:
    std::unique_ptr<TemporaryInstallation> m_install;
};

QTEST_MAIN(TestMessageStore)
#include "tst_messagestore.moc"
