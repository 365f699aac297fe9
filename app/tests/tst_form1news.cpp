#include "app/form1.h"
#include "controls/xpb.h"
#include "news/tests/testhttpserver.h"
#include "platform/eventloop.h"
#include "platform/testsupport/fakedialogs.h"
#include "platform/testsupport/namedcontrol.h"
#include "platform/testsupport/temporaryinstallation.h"
#include "platform/textcodec.h"

#include <QAbstractButton>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The news fetch as the main window makes it: at start-up and from the news button.
class TestForm1News : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_install = std::make_unique<TemporaryInstallation>();
        QVERIFY(m_install->isValid());
    }
    void cleanup() { m_install.reset(); }

    void withoutNewsIniOnlyTheButtonReports()
    {
        FakeDialogs dialogs;
        Form1 window(m_install->installation(), dialogs);
        window.load();
        QVERIFY(dialogs.messages.isEmpty());

        namedControl<XpB>(window, "Command9")->click();
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].text,
                 QStringLiteral("Неудается подключиться к серверу, проверьте соединение с Internet."));
    }

    void startUpAnnouncesBeforeTheWindowIsShown()
    {
        TestHttpServer server;
        QVERIFY(server.isListening());
        TestHttpServer::Answer page;
        page.body = TextCodec::toCp1251(u"[news]\r\nДобро пожаловать");
        page.contentType = "text/plain; charset=windows-1251";
        server.setAnswer(QStringLiteral("/news.txt"), page);
        QFile ini(m_install->program.filePath(QStringLiteral("news.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(server.url(QStringLiteral("/news.txt")).toEncoded() + "\r\n");
        ini.close();

        FakeDialogs dialogs;
        Form1 window(m_install->installation(), dialogs);
        bool shownDuringMessage = true;
        dialogs.onMessage = [&](const QString &) { shownDuringMessage = window.isVisible(); };
        window.load();

        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].text, QStringLiteral("Новости:\r\n\r\n\r\nДобро пожаловать"));
        QVERIFY(!shownDuringMessage);
        QVERIFY(namedControl<QPlainTextEdit>(window, "Text4")
                    ->toPlainText()
                    .contains(QStringLiteral("\nДобро пожаловать\n")));

        // Pressing the button again finds nothing new and says nothing.
        namedControl<XpB>(window, "Command9")->click();
        QCOMPARE(dialogs.messages.size(), 1);
    }

private:
    std::unique_ptr<TemporaryInstallation> m_install;
};

QTEST_MAIN(TestForm1News)
#include "tst_form1news.moc"
