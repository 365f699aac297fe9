#include "app/form1.h"
#include "app/form3.h"
#include "platform/eventloop.h"
#include "platform/testsupport/fakedialogs.h"
#include "platform/testsupport/namedcontrol.h"
#include "platform/testsupport/temporaryinstallation.h"
#include "platform/widgets/richtextbox.h"
#include "platform/widgets/xtab.h"

#include <QFile>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int startAndReportTab(const Installation &installation, Dialogs &dialogs)
{
    Form1 window(installation, dialogs);
    window.load();
    return namedControl<XTab>(window, "XTab1")->currentTab();
}

// A start that must ask nothing of the user.
int startAndReportTab(const Installation &installation)
{
    FakeDialogs dialogs;
    const int tab = startAndReportTab(installation, dialogs);
    // A message would make the tab's number -1, failing the comparison.
    return dialogs.messages.isEmpty() ? tab : -1;
}

// Records when watched windows are shown and hidden.
class VisibilityLog : public QObject
{
public:
    QStringList events;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            events << watched->objectName() + QStringLiteral(" shown");
        else if (event->type() == QEvent::Hide)
            events << watched->objectName() + QStringLiteral(" hidden");
        return false;
    }
};

} // namespace

class TestStartup : public QObject
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
        QFile::setPermissions(m_install->program.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_install.reset();
    }

    void firstStartOpensTheInstructionAndWritesTheMarker()
    {
        FakeDialogs dialogs;
        QCOMPARE(startAndReportTab(installation(), dialogs), int(Form1::tabInstruction));
        QCOMPARE(readAll(m_install->program.filePath(Installation::firstStartMarker)), QByteArray("done\r\n"));
        QVERIFY(dialogs.messages.isEmpty());
    }

    void laterStartsOpenThePhotoTab()
    {
        QCOMPARE(startAndReportTab(installation()), int(Form1::tabInstruction));
        QCOMPARE(startAndReportTab(installation()), int(Form1::tabPhotoAndSearch));
        QCOMPARE(startAndReportTab(installation()), int(Form1::tabPhotoAndSearch));
    }

    void deletingTheMarkerMakesTheNextStartAFirstOne()
    {
        startAndReportTab(installation());
        QVERIFY(QFile::remove(m_install->program.filePath(Installation::firstStartMarker)));
        QCOMPARE(startAndReportTab(installation()), int(Form1::tabInstruction));
    }

    void aMarkerWithOtherTextStillMarksALaterStart()
    {
        QFile f(m_install->program.filePath(Installation::firstStartMarker));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QCOMPARE(startAndReportTab(installation()), int(Form1::tabPhotoAndSearch));
    }

    void readOnlyProgramFolderKeepsTheMarkerInTheFallback()
    {
        FakeDialogs dialogs;
        QFile::setPermissions(m_install->program.path(), QFile::ReadOwner | QFile::ExeOwner);
        // Root ignores the bits: there the folder is declared read-only instead.
        const Installation readOnly = installation(Installation::isWritable(m_install->program.path())
                                                       ? Installation::ProgramFolderWrites::Never
                                                       : Installation::ProgramFolderWrites::AsAllowed);
        QCOMPARE(startAndReportTab(readOnly, dialogs), int(Form1::tabInstruction));
        QVERIFY(!QFile::exists(m_install->program.filePath(Installation::firstStartMarker)));
        QCOMPARE(readAll(fallback() + QLatin1Char('/') + Installation::firstStartMarker), QByteArray("done\r\n"));
        QVERIFY(dialogs.messages.isEmpty());
        // The marker in the fallback counts on the next start.
        QCOMPARE(startAndReportTab(readOnly, dialogs), int(Form1::tabPhotoAndSearch));
    }

    // Nowhere to write the marker: the start goes on as a first one, and why is
    // logged for whoever turns the program's log on.
    void anUnwritableMarkerIsLogged()
    {
        FakeDialogs dialogs;
        // A file stands where the user's data folder would be made.
        QFile blocker(fallback());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString marker = fallback() + QLatin1Char('/') + Installation::firstStartMarker;
        QLoggingCategory::setFilterRules(QStringLiteral("palmora.app.info=true"));
        QTest::ignoreMessage(
            QtInfoMsg,
            QRegularExpression(
                QStringLiteral("^first-start marker not written to %1 - \\S").arg(QRegularExpression::escape(marker))));
        QCOMPARE(startAndReportTab(installation(Installation::ProgramFolderWrites::Never), dialogs),
                 int(Form1::tabInstruction));
        QLoggingCategory::setFilterRules(QString());
        QVERIFY(!QFile::exists(marker));
        QVERIFY(dialogs.messages.isEmpty());
    }

    void missingManualAndDataLeaveTheWindowUsable()
    {
        FakeDialogs dialogs;
        Form1 window(installation(), dialogs);
        window.load();
        QVERIFY(namedControl<RichTextBox>(window, "RichTextBox2")->text().isEmpty());
        QVERIFY(dialogs.messages.isEmpty());
    }

    void presentManualIsLoaded()
    {
        QFile manual(m_install->program.filePath(QStringLiteral("инструкция.rtf")));
        QVERIFY(manual.open(QIODevice::WriteOnly));
        manual.write("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}");
        manual.close();
        Form1 window(installation());
        window.load();
        QCOMPARE(namedControl<RichTextBox>(window, "RichTextBox2")->text(), QStringLiteral("Привет"));
        manual.remove();
    }

    void searchIntervalStartsAtTheDefault()
    {
        Form1 window(installation());
        window.load();
        QCOMPARE(window.searchState().Search_Int, SearchInterval::kDefault);
    }

    void splashIsShownFirstAndHiddenBeforeTheMainWindow()
    {
        FakeDialogs dialogs;
        VisibilityLog log;
        Form3 splash(installation(), dialogs, 20);
        splash.installEventFilter(&log);
        connect(&splash, &Form3::mainWindowCreated, this, [&](Form1 *window) { window->installEventFilter(&log); });
        splash.start();
        QVERIFY(splash.tickCount() >= 1);
        QCOMPARE(log.events,
                 (QStringList{QStringLiteral("Form3 shown"), QStringLiteral("Form3 hidden"),
                              QStringLiteral("Form1 shown")}));
        QVERIFY(splash.mainWindow()->isVisible());
    }

    // The main window is built during the splash's second and loads after it.
    void mainWindowIsBuiltWhileTheSplashShows()
    {
        FakeDialogs dialogs;
        Form3 splash(installation(), dialogs, 20);
        bool splashOnScreen = false;
        bool loadedEarly = true;
        connect(&splash, &Form3::mainWindowCreated, this, [&](Form1 *) {
            splashOnScreen = splash.isVisible();
            // Not yet loaded: the load writes the first-start marker.
            loadedEarly = QFile::exists(m_install->program.filePath(Installation::firstStartMarker));
        });
        splash.start();
        QVERIFY(splashOnScreen);
        QVERIFY(!loadedEarly);
        QVERIFY(QFile::exists(m_install->program.filePath(Installation::firstStartMarker)));
        QVERIFY(splash.mainWindow()->isVisible());
    }

private:
    // The user's data folder does not exist until something is written there.
    QString fallback() const { return m_install->fallback.filePath(QStringLiteral("palmora")); }
    Installation installation(
        Installation::ProgramFolderWrites writes = Installation::ProgramFolderWrites::AsAllowed) const
    {
        return m_install->installation(writes, fallback());
    }

    std::unique_ptr<TemporaryInstallation> m_install;
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
