#include "news/messagestore.h"
#include "news/news.h"
#include "news/tests/testhttpserver.h"
#include "platform/eventloop.h"
#include "platform/safefile.h"
#include "platform/testsupport/faildevice.h"
#include "platform/testsupport/fakedialogs.h"
#include "platform/testsupport/peakmemory.h"
#include "platform/testsupport/temporaryinstallation.h"
#include "platform/textcodec.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QLoggingCategory>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

const QString kNoConnection = QStringLiteral("Неудается подключиться к серверу, проверьте соединение с Internet.");
const QString kHashes = QString(46, QLatin1Char('#'));
const QString kPath = QStringLiteral("/news.txt");

TestHttpServer::Answer plain(const QByteArray &body, const QByteArray &contentType = "text/plain; charset=windows-1251")
{
    TestHttpServer::Answer answer;
    answer.body = body;
    answer.contentType = contentType;
    return answer;
}

TestHttpServer::Answer plain(const QString &text)
{
    return plain(TextCodec::toCp1251(text));
}

// The archive with every date line replaced by "[DATE]", after checking that
// each names a moment of the fetch in the system's short date and long time formats.
QString withDatesMasked(const QString &archive, const QDateTime &from, const QDateTime &to)
{
    static const QRegularExpression dateLine(QStringLiteral("^\\[[^\r\n]*\\](?=\r?$)"),
                                             QRegularExpression::MultilineOption);
    const QLocale locale = QLocale::system();
    QStringList moments;
    for (QDateTime t = from.addSecs(-1); t <= to.addSecs(1); t = t.addSecs(1))
        moments << MessageStore::dateLine(t, locale);
    QString masked = archive;
    auto it = dateLine.globalMatch(archive);
    while (it.hasNext()) {
        const QString line = it.next().captured(0);
        if (!moments.contains(line))
            return QStringLiteral("unexpected date line: ") + line;
        masked.replace(line, QStringLiteral("[DATE]"));
    }
    return masked;
}

} // namespace

class TestNews : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_install = std::make_unique<TemporaryInstallation>();
        QVERIFY(m_install->isValid());
        m_server = std::make_unique<TestHttpServer>();
        QVERIFY(m_server->isListening());
        m_dialogs = std::make_unique<FakeDialogs>();
        m_window = std::make_unique<QWidget>();
        m_text4 = new QPlainTextEdit(m_window.get());
        m_news = makeNews(SafeFile());
    }
    void cleanup()
    {
        m_news.reset();
        m_window.reset();
        m_dialogs.reset();
        m_server.reset();
        m_install.reset();
    }

    void firstFetchCreatesTheFilesAndAnnounces_data()
    {
        QTest::addColumn<bool>("byUser");
        QTest::newRow("start-up") << false;
        QTest::newRow("news button") << true;
    }
    void firstFetchCreatesTheFilesAndAnnounces()
    {
        QFETCH(bool, byUser);
        const QString page = QStringLiteral("[news]\r\nВстреча клуба в субботу.\r\n");
        m_server->setAnswer(kPath, plain(page));
        writeIni(m_server->url(kPath).toString());

        const QDateTime before = QDateTime::currentDateTime();
        m_news->Get_Mes(byUser);
        const QDateTime after = QDateTime::currentDateTime();

        QCOMPARE(m_dialogs->messages.size(), 1);
        QCOMPARE(m_dialogs->messages[0].text, QStringLiteral("Новости:\r\n\r\n\r\nВстреча клуба в субботу.\r\n"));
        QCOMPARE(m_dialogs->messages[0].icon, Dialogs::Icon::Information);
        QCOMPARE(fileBytes("mes.txt"), TextCodec::toCp1251(page + QStringLiteral("\r\n")));
        const QString archive = TextCodec::fromCp1251(fileBytes("allmes.txt"));
        QCOMPARE(withDatesMasked(archive, before, after),
                 kHashes + QStringLiteral("\r\n[DATE]\r\n\r\nВстреча клуба в субботу.\r\n\r\n\r\n"));
        // The archive read back: its lines, without the final line break.
        QCOMPARE(m_text4->toPlainText(), archive.chopped(2).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }

    void samePageTwiceAnnouncesOnce_data()
    {
        QTest::addColumn<bool>("byUser");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("contentType");
        const QByteArray cp1251 = TextCodec::toCp1251(u"[news]\r\nВстреча клуба.\r\n");
        for (bool byUser : {false, true}) {
            const char *who = byUser ? "news button" : "start-up";
            QTest::addRow("%s, Windows-1251", who)
                << byUser << cp1251 << QByteArray("text/plain; charset=windows-1251");
            QTest::addRow("%s, LF line breaks", who)
                << byUser << QByteArray("[news]\nMeeting\n\n") << QByteArray("text/plain");
            // A character Windows-1251 cannot hold is stored as '?'.
            QTest::addRow("%s, outside the code page", who)
                << byUser << QStringLiteral("[news]\r\nГотово ✓").toUtf8() << QByteArray("text/plain; charset=utf-8");
            QTest::addRow("%s, html", who)
                << byUser << QByteArray("<html><body><p>[news]</p><p>Meeting</p></body></html>")
                << QByteArray("text/html");
        }
    }
    void samePageTwiceAnnouncesOnce()
    {
        QFETCH(bool, byUser);
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, contentType);
        m_server->setAnswer(kPath, plain(body, contentType));
        writeIni(m_server->url(kPath).toString());

        m_news->Get_Mes(byUser);
        const QByteArray archive = fileBytes("allmes.txt");
        m_news->Get_Mes(byUser);

        QCOMPARE(m_server->requests(kPath), 2);
        QCOMPARE(m_dialogs->messages.size(), 1);
        QVERIFY(m_dialogs->messages[0].text.startsWith(QStringLiteral("Новости:")));
        QCOMPARE(fileBytes("allmes.txt"), archive);
    }

    void markerInCapitalsIsAccepted()
    {
        m_server->setAnswer(kPath, plain(QStringLiteral("[NEWS]\r\nСобрание")));
        writeIni(m_server->url(kPath).toString());

        m_news->Get_Mes(true);

        QCOMPARE(messageTexts(), QStringList{QStringLiteral("Новости:\r\n\r\n\r\nСобрание")});
        QCOMPARE(TextCodec::fromCp1251(fileBytes("mes.txt")), QStringLiteral("[NEWS]\r\nСобрание\r\n"));
    }

    void noPageCountsAsNoConnection_data()
    {
        QTest::addColumn<bool>("byUser");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QByteArray>("body");
        const QByteArray news = TextCodec::toCp1251(u"[news]\r\nНовое");
        const QByteArray errorPage = QStringLiteral("<html><head><title>Ошибка</title></head>"
                                                    "<body><h1>Страница недоступна</h1></body></html>")
                                         .toUtf8();
        for (bool byUser : {false, true}) {
            const char *who = byUser ? "news button" : "start-up";
            QTest::addRow("%s, html error page", who)
                << byUser << 200 << QByteArray("text/html; charset=utf-8") << errorPage;
            QTest::addRow("%s, 404 with news text", who) << byUser << 404 << QByteArray("text/plain") << news;
            QTest::addRow("%s, 500 with news text", who) << byUser << 500 << QByteArray("text/plain") << news;
            QTest::addRow("%s, text without marker", who)
                << byUser << 200 << QByteArray("text/plain") << QByteArray("hello");
            QTest::addRow("%s, marker later in the text", who)
                << byUser << 200 << QByteArray("text/plain") << QByteArray("hello [news] x");
            QTest::addRow("%s, empty page", who) << byUser << 200 << QByteArray("text/plain") << QByteArray();
        }
    }
    void noPageCountsAsNoConnection()
    {
        QFETCH(bool, byUser);
        QFETCH(int, status);
        QFETCH(QByteArray, contentType);
        QFETCH(QByteArray, body);
        TestHttpServer::Answer answer = plain(body, contentType);
        answer.status = status;
        m_server->setAnswer(kPath, answer);
        writeIni(m_server->url(kPath).toString());
        const QByteArray oldPage = writeFile("mes.txt", TextCodec::toCp1251(u"[news]\r\nСтарое\r\n"));
        const QByteArray oldArchive = writeFile("allmes.txt", TextCodec::toCp1251(u"####\r\nСтарое\r\n"));

        m_news->Get_Mes(byUser);

        QCOMPARE(m_server->requests(kPath), 1);
        QCOMPARE(messageTexts(), byUser ? QStringList{kNoConnection} : QStringList());
        if (byUser)
            QCOMPARE(m_dialogs->messages[0].icon, Dialogs::Icon::Information);
        QCOMPARE(fileBytes("mes.txt"), oldPage);
        QCOMPARE(fileBytes("allmes.txt"), oldArchive);
        QCOMPARE(m_text4->toPlainText(), QStringLiteral("####\nСтарое"));
    }

    void refusedConnectionCountsAsNoConnection()
    {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
        const quint16 port = closed.serverPort();
        closed.close();
        writeIni(QStringLiteral("http://127.0.0.1:%1/news.txt").arg(port));

        m_news->Get_Mes(true);

        QCOMPARE(messageTexts(), QStringList{kNoConnection});
        QVERIFY(!QFile::exists(m_install->program.filePath(QStringLiteral("mes.txt"))));
    }

    // Why no page came is logged, for whoever turns the news log on.
    void aFailedFetchIsLoggedWithItsReason_data()
    {
        QTest::addColumn<int>("status"); // 0: nothing listens at the address
        QTest::addColumn<qint64>("size");
        QTest::addColumn<QString>("reason");
        QTest::newRow("refused connection") << 0 << qint64(10) << QStringLiteral("Connection refused");
        QTest::newRow("404") << 404 << qint64(10) << QStringLiteral("Not Found");
        QTest::newRow("too large") << 200 << qint64(1024 * 1024 + 1) << QStringLiteral("larger than 1048576 bytes");
    }
    void aFailedFetchIsLoggedWithItsReason()
    {
        QFETCH(int, status);
        QFETCH(qint64, size);
        QFETCH(QString, reason);
        QString address;
        if (status == 0) {
            QTcpServer closed;
            QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
            address = QStringLiteral("http://127.0.0.1:%1/news.txt").arg(closed.serverPort());
        } else {
            TestHttpServer::Answer answer = plain("[news]\r\n" + QByteArray(size - 8, 'x'));
            answer.status = status;
            m_server->setAnswer(kPath, answer);
            address = m_server->url(kPath).toString();
        }
        writeIni(address);
        QLoggingCategory::setFilterRules(QStringLiteral("palmora.news.info=true"));
        QTest::ignoreMessage(
            QtInfoMsg,
            QRegularExpression(
                QStringLiteral("^news not fetched from %1 - .*%2").arg(QRegularExpression::escape(address), reason)));
        m_news->Get_Mes(false);
        QLoggingCategory::setFilterRules(QString());
        QVERIFY(!QFile::exists(m_install->program.filePath(QStringLiteral("mes.txt"))));
    }

    void addressesThatAreNotFetched_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("blank first line") << QByteArray("\r\nhttp://127.0.0.1/news.txt\r\n");
        QTest::newRow("local file") << QByteArray("file:///etc/hostname\r\n");
        QTest::newRow("ftp") << QByteArray("ftp://127.0.0.1/news.txt\r\n");
    }
    void addressesThatAreNotFetched()
    {
        QFETCH(QByteArray, ini);
        writeFile("news.ini", ini);
        m_news->Get_Mes(true);
        QCOMPARE(messageTexts(), QStringList{kNoConnection});
        QVERIFY(!QFile::exists(m_install->program.filePath(QStringLiteral("mes.txt"))));
    }

    void onlyTheFirstLineIsTheAddress()
    {
        m_server->setAnswer(kPath, plain(QStringLiteral("[news]\r\nА")));
        writeFile("news.ini", m_server->url(kPath).toString().toLatin1() + "\r\nhttp://127.0.0.1:1/other\r\n");
        m_news->Get_Mes(false);
        QCOMPARE(messageTexts(), QStringList{QStringLiteral("Новости:\r\n\r\n\r\nА")});
    }

    void noNewsIni_data()
    {
        QTest::addColumn<bool>("byUser");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("start-up is silent") << false << QStringList();
        QTest::newRow("news button reports") << true << QStringList{kNoConnection};
    }
    void noNewsIni()
    {
        QFETCH(bool, byUser);
        QFETCH(QStringList, messages);
        writeFile("allmes.txt", TextCodec::toCp1251(u"Архив\r\n"));

        m_news->Get_Mes(byUser);

        QCOMPARE(messageTexts(), messages);
        QCOMPARE(m_text4->toPlainText(), QStringLiteral("Архив"));
    }

    void noArchiveLeavesTheNewsBoxAlone()
    {
        m_text4->setPlainText(QStringLiteral("прежний текст"));
        m_news->Get_Mes(false);
        QCOMPARE(m_text4->toPlainText(), QStringLiteral("прежний текст"));
    }

    // An archive grown to a gigabyte (or damaged so): the news tab shows its
    // newest part, says so, and the program does not grow by the archive.
    void hugeArchiveShowsItsNewestPart()
    {
        const QByteArray entry =
            TextCodec::toCp1251(kHashes + QStringLiteral("\r\n[01.02.2024  10:00:00]\r\n\r\nВстреча\r\n"));
        QFile archive(m_install->program.filePath(QStringLiteral("allmes.txt")));
        QVERIFY(archive.open(QIODevice::WriteOnly));
        const QByteArray newest =
            TextCodec::toCp1251(kHashes + QStringLiteral("\r\n[02.02.2024  10:00:00]\r\n\r\nНовейшее\r\n"));
        archive.write(newest);
        while (archive.size() < 2 * MessageStore::shownArchiveBytes)
            archive.write(entry);
        // The rest of the gigabyte takes no disk: a sparse file.
        QVERIFY(archive.resize(qint64(1) << 30));
        archive.close();

        PeakMemory memory;
        const bool measured = memory.start();
        m_news->Get_Mes(false);
        const QString shown = m_text4->toPlainText();
        if (measured)
            QVERIFY2(memory.grown() < 64 * 1024 * 1024, qPrintable(QString::number(memory.grown())));

        QVERIFY(shown.startsWith(TextCodec::fromCp1251(newest).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))));
        QVERIFY(shown.endsWith(QStringLiteral("(Архив новостей длиннее: здесь показаны только последние сообщения.)")));
        QVERIFY(shown.size() <= MessageStore::shownArchiveBytes + 100);
        QVERIFY(shown.size() > MessageStore::shownArchiveBytes / 2);
    }

    void twoNewMessagesGiveTwoEntriesLaterFirst()
    {
        writeIni(m_server->url(kPath).toString());
        const QDateTime before = QDateTime::currentDateTime();
        m_server->setAnswer(kPath, plain(QStringLiteral("[news]\r\nПервое")));
        m_news->Get_Mes(false);
        m_server->setAnswer(kPath, plain(QStringLiteral("[news]\r\nВторое")));
        m_news->Get_Mes(true);
        const QDateTime after = QDateTime::currentDateTime();

        QCOMPARE(
            messageTexts(),
            (QStringList{QStringLiteral("Новости:\r\n\r\n\r\nПервое"), QStringLiteral("Новости:\r\n\r\n\r\nВторое")}));
        const QString archive = TextCodec::fromCp1251(fileBytes("allmes.txt"));
        QCOMPARE(withDatesMasked(archive, before, after),
                 kHashes + QStringLiteral("\r\n[DATE]\r\n\r\nВторое\r\n") + kHashes
                     + QStringLiteral("\r\n[DATE]\r\n\r\nПервое\r\n\r\n"));
        QCOMPARE(m_text4->toPlainText(), archive.chopped(2).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }

    void sameLengthOtherTextIsAnnounced()
    {
        writeIni(m_server->url(kPath).toString());
        m_server->setAnswer(kPath, plain(QStringLiteral("[news]\r\nСбор в 18:00")));
        m_news->Get_Mes(false);
        m_server->setAnswer(kPath, plain(QStringLiteral("[news]\r\nСбор в 19:00")));
        m_news->Get_Mes(false);

        QCOMPARE(messageTexts(),
                 (QStringList{QStringLiteral("Новости:\r\n\r\n\r\nСбор в 18:00"),
                              QStringLiteral("Новости:\r\n\r\n\r\nСбор в 19:00")}));
        QCOMPARE(TextCodec::fromCp1251(fileBytes("mes.txt")), QStringLiteral("[news]\r\nСбор в 19:00\r\n"));
    }

    // A folder named mes.txt: the page cannot be kept, yet each message is
    // archived and announced once, and a later one still counts as new.
    void unkeepableLastPageArchivesEachMessageOnce()
    {
        QVERIFY(QDir(m_install->program.path()).mkdir(QStringLiteral("mes.txt")));
        writeIni(m_server->url(kPath).toString());
        m_server->setAnswer(kPath, plain(QStringLiteral("[news]\r\nВстреча в субботу")));
        m_news->Get_Mes(false);
        m_news->Get_Mes(false);
        m_news->Get_Mes(true);
        m_server->setAnswer(kPath, plain(QStringLiteral("[news]\r\nВстреча переносится")));
        m_news->Get_Mes(false);
        m_news->Get_Mes(false);

        QCOMPARE(messageTexts(),
                 (QStringList{QStringLiteral("Новости:\r\n\r\n\r\nВстреча в субботу"),
                              QStringLiteral("Новости:\r\n\r\n\r\nВстреча переносится")}));
        const QString archive = TextCodec::fromCp1251(fileBytes("allmes.txt"));
        QCOMPARE(archive.count(kHashes), 2);
        QVERIFY(archive.indexOf(QStringLiteral("переносится")) < archive.indexOf(QStringLiteral("в субботу")));
    }

    // The news button pressed again while the start-up fetch still waits.
    void secondFetchDuringTheFirstAnnouncesOnce()
    {
        writeIni(m_server->url(kPath).toString());
        TestHttpServer::Answer slow = plain(QStringLiteral("[news]\r\nОдно сообщение"));
        slow.delayMs = 500;
        m_server->setAnswer(kPath, slow);
        QTimer::singleShot(100, m_window.get(), [this, slow] {
            TestHttpServer::Answer quick = slow;
            quick.delayMs = 0;
            m_server->setAnswer(kPath, quick);
            m_news->Get_Mes(true);
        });

        m_news->Get_Mes(false);

        QCOMPARE(m_server->requests(kPath), 2);
        QCOMPARE(messageTexts(), QStringList{QStringLiteral("Новости:\r\n\r\n\r\nОдно сообщение")});
        QCOMPARE(TextCodec::fromCp1251(fileBytes("allmes.txt")).count(kHashes), 1);
    }

    void redirectIsFollowed()
    {
        TestHttpServer::Answer moved;
        moved.status = 302;
        moved.location = m_server->url(kPath).toEncoded();
        moved.body = "moved";
        m_server->setAnswer(QStringLiteral("/old"), moved);
        m_server->setAnswer(kPath, plain(QStringLiteral("[news]\r\nПереехали")));
        writeIni(m_server->url(QStringLiteral("/old")).toString());

        m_news->Get_Mes(true);

        QCOMPARE(messageTexts(), QStringList{QStringLiteral("Новости:\r\n\r\n\r\nПереехали")});
    }

    void silentServerEndsWithinTheBound()
    {
        TestHttpServer::Answer silent;
        silent.silent = true;
        m_server->setAnswer(kPath, silent);
        writeIni(m_server->url(kPath).toString());
        m_news->fetch().setTimeout(1000);

        QElapsedTimer clock;
        clock.start();
        m_news->Get_Mes(true);

        QVERIFY2(clock.elapsed() < 8000, "the fetch did not give up");
        QCOMPARE(m_server->requests(kPath), 1);
        QCOMPARE(messageTexts(), QStringList{kNoConnection});
    }

    // A server that sends its answer a byte at a time is cut off at the bound
    // like a silent one; one quick enough is read to the end.
    void tricklingServer_data()
    {
        QTest::addColumn<int>("byteEveryMs");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("slower than the bound") << 25 << false;
        QTest::newRow("within the bound") << 1 << true;
    }
    void tricklingServer()
    {
        QFETCH(int, byteEveryMs);
        QFETCH(bool, accepted);
        TestHttpServer::Answer trickle = plain(QStringLiteral("[news]\r\nВстреча клуба в субботу"));
        trickle.trickleMs = byteEveryMs;
        m_server->setAnswer(kPath, trickle);
        writeIni(m_server->url(kPath).toString());
        m_news->fetch().setTimeout(2000);

        QElapsedTimer clock;
        clock.start();
        m_news->Get_Mes(true);

        QVERIFY2(clock.elapsed() < 8000, "the fetch did not give up");
        QCOMPARE(messageTexts(),
                 QStringList{accepted ? QStringLiteral("Новости:\r\n\r\n\r\nВстреча клуба в субботу") : kNoConnection});
    }

    // Ending the program right after a fetch from a server that floods its
    // headers does not wait for the network to wind down.
    void closingAfterAHeaderFloodIsPrompt()
    {
        TestHttpServer::Answer flood;
        flood.floodHeaders = true;
        m_server->setAnswer(kPath, flood);
        writeIni(m_server->url(kPath).toString());
        m_news->fetch().setTimeout(1000);

        QElapsedTimer clock;
        clock.start();
        m_news->Get_Mes(false);
        QVERIFY2(clock.elapsed() < 8000, "the fetch did not give up");
        QVERIFY(m_dialogs->messages.isEmpty());

        clock.restart();
        m_news.reset();
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    }

    void pageSizeLimit_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("withLength");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("5 MB, length announced") << qint64(5 * 1024 * 1024) << true << false;
        QTest::newRow("5 MB, length not announced") << qint64(5 * 1024 * 1024) << false << false;
        QTest::newRow("one byte over 1 MB") << qint64(1024 * 1024 + 1) << false << false;
        QTest::newRow("exactly 1 MB") << qint64(1024 * 1024) << true << true;
    }
    void pageSizeLimit()
    {
        QFETCH(qint64, size);
        QFETCH(bool, withLength);
        QFETCH(bool, accepted);
        TestHttpServer::Answer answer = plain("[news]\r\n" + QByteArray(size - 8, 'x'));
        answer.withLength = withLength;
        m_server->setAnswer(kPath, answer);
        writeIni(m_server->url(kPath).toString());

        m_news->Get_Mes(true);

        QCOMPARE(m_dialogs->messages.size(), 1);
        QCOMPARE(m_dialogs->messages[0].text == kNoConnection, !accepted);
        QCOMPARE(QFile::exists(m_install->program.filePath(QStringLiteral("mes.txt"))), accepted);
    }

    // News that cannot be kept is announced with the reason, once in the run,
    // and still reaches the news tab; the old archive stays as it was.
    void unkeepableNewsIsAnnouncedWithItsReason_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("reason");
        QTest::newRow("disk fills half-way") << QStringLiteral("full") << QStringLiteral("не хватает места");
        QTest::newRow("read-only archive") << QStringLiteral("read-only") << QStringLiteral("только для чтения");
    }
    void unkeepableNewsIsAnnouncedWithItsReason()
    {
        QFETCH(QString, failure);
        QFETCH(QString, reason);
        writeIni(m_server->url(kPath).toString());
        const QByteArray oldPage = writeFile("mes.txt", TextCodec::toCp1251(u"[news]\r\nСтарое\r\n"));
        const QByteArray oldArchive = writeFile(
            "allmes.txt",
            TextCodec::toCp1251(kHashes + QStringLiteral("\r\n[01.02.2024  10:00:00]\r\n\r\nСтарое\r\n\r\n")));
        const QString archivePath = m_install->program.filePath(QStringLiteral("allmes.txt"));
        if (failure == QLatin1String("read-only"))
            QVERIFY(QFile::setPermissions(archivePath, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        else
            m_news = makeNews(failingSafeFile(20));
        m_server->setAnswer(kPath, plain(QStringLiteral("[news]\r\nНовое сообщение")));

        m_news->Get_Mes(false);
        m_news->Get_Mes(true);

        QCOMPARE(fileBytes("allmes.txt"), oldArchive);
        QCOMPARE(fileBytes("mes.txt"), oldPage);
        QCOMPARE(m_dialogs->messages.size(), 1);
        const QString text = m_dialogs->messages[0].text;
        QVERIFY2(text.startsWith(QStringLiteral("Новости:\r\n\r\n\r\nНовое сообщение\r\n\r\n"
                                                "Это сообщение не удалось сохранить в архив новостей")),
                 qPrintable(text));
        QVERIFY2(text.contains(reason), qPrintable(text));
        // The news tab shows it in front of the old archive.
        const QString shown = m_text4->toPlainText();
        QVERIFY2(shown.indexOf(QStringLiteral("Новое сообщение")) >= 0
                     && shown.indexOf(QStringLiteral("Новое сообщение")) < shown.indexOf(QStringLiteral("Старое")),
                 qPrintable(shown));
        QVERIFY(shown.startsWith(kHashes));
    }

    void unkeptNewsIsKeptOnceTheDiskHasRoom()
    {
        writeIni(m_server->url(kPath).toString());
        const QByteArray oldArchive = writeFile(
            "allmes.txt",
            TextCodec::toCp1251(kHashes + QStringLiteral("\r\n[01.02.2024  10:00:00]\r\n\r\nСтарое\r\n\r\n")));
        m_server->setAnswer(kPath, plain(QStringLiteral("[news]\r\nНовое сообщение")));

        const auto diskFull = std::make_shared<bool>(true);
        m_news = makeNews(fillingSafeFile(diskFull, 20));
        m_news->Get_Mes(false);
        QCOMPARE(fileBytes("allmes.txt"), oldArchive);

        // Not recorded as seen, so once the disk has room it is kept after
        // all, without a second announcement in the same run.
        *diskFull = false;
        m_news->Get_Mes(false);
        QCOMPARE(m_dialogs->messages.size(), 1);
        const QString archive = TextCodec::fromCp1251(fileBytes("allmes.txt"));
        QVERIFY(archive.endsWith(TextCodec::fromCp1251(oldArchive)));
        QCOMPARE(archive.count(kHashes), 2);
        QVERIFY(archive.contains(QStringLiteral("\r\nНовое сообщение\r\n")));
        QCOMPARE(TextCodec::fromCp1251(fileBytes("mes.txt")), QStringLiteral("[news]\r\nНовое сообщение\r\n"));
        QCOMPARE(m_text4->toPlainText().count(QStringLiteral("Новое сообщение")), 1);

        // And the next start knows it.
        News nextStart(m_install->installation(), m_text4, m_window.get(), *m_dialogs);
        nextStart.Get_Mes(false);
        QCOMPARE(m_dialogs->messages.size(), 1);
    }

    // Only mes.txt failing: the archive has the message, so the next start
    // does not announce it again.
    void archivedButUnrecordedPageIsNotAnnouncedAgain()
    {
        writeIni(m_server->url(kPath).toString());
        writeFile("mes.txt", TextCodec::toCp1251(u"[news]\r\nСтарое\r\n"));
        QVERIFY(QFile::setPermissions(m_install->program.filePath(QStringLiteral("mes.txt")), QFile::ReadOwner));
        m_server->setAnswer(kPath, plain(QStringLiteral("[news]\r\nНовое сообщение")));
        m_news->Get_Mes(false);
        News nextStart(m_install->installation(), m_text4, m_window.get(), *m_dialogs);
        nextStart.Get_Mes(false);
        QCOMPARE(messageTexts(), QStringList{QStringLiteral("Новости:\r\n\r\n\r\nНовое сообщение")});
        QCOMPARE(TextCodec::fromCp1251(fileBytes("allmes.txt")).count(kHashes), 1);
    }

private:
    void writeIni(const QString &address)
    {
        writeFile("news.ini", TextCodec::toCp1251(address + QStringLiteral("\r\n")));
    }
    QByteArray writeFile(const char *name, const QByteArray &bytes)
    {
        QFile file(m_install->program.filePath(QLatin1String(name)));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", name);
        return bytes;
    }
    QByteArray fileBytes(const char *name) const
    {
        QFile file(m_install->program.filePath(QLatin1String(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList messageTexts() const
    {
        QStringList texts;
        for (const auto &message : m_dialogs->messages)
            texts << message.text;
        return texts;
    }

    std::unique_ptr<News> makeNews(SafeFile files)
    {
        return std::make_unique<News>(m_install->installation(), m_text4, m_window.get(), *m_dialogs, std::move(files));
    }

    std::unique_ptr<TemporaryInstallation> m_install;
    std::unique_ptr<TestHttpServer> m_server;
    std::unique_ptr<FakeDialogs> m_dialogs;
    std::unique_ptr<QWidget> m_window;
    QPlainTextEdit *m_text4 = nullptr;
    std::unique_ptr<News> m_news;
};

QTEST_MAIN(TestNews)
#include "tst_news.moc"
