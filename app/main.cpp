#include "app/form1.h"
#include "app/form3.h"
#include "app/programoptions.h"
#include "app/russiantranslations.h"
#include "platform/eventloop.h"
#include "platform/widgets/windowaccessible.h"

#include <QApplication>
#include <QEvent>
#include <QTextStream>

#include <clocale>
#include <cstdio>
#include <ctime>

namespace {

void printMoment(const char *name)
{
    timespec now = {};
    clock_gettime(CLOCK_REALTIME, &now);
    std::fprintf(stderr, "palmora-startup %s %lld\n", name, now.tv_sec * 1'000'000'000LL + now.tv_nsec);
    std::fflush(stderr);
}

// With PALMORA_STARTUP_TIMES set, the wall-clock times at which a window first
// paints and first hides go to standard error ("palmora-startup splash
// 1733900000123456789"), for the start-up benchmark. Nothing of it runs otherwise.
class WindowMoments : public QObject
{
public:
    WindowMoments(QWidget *window, const char *name)
        : QObject(window)
        , m_window(window)
        , m_name(name)
        , m_hidden(QByteArray(name) + "-hidden")
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_painted && event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->window() == m_window) {
            m_painted = true;
            printMoment(m_name);
        } else if (m_painted && event->type() == QEvent::Hide && watched == m_window) {
            printMoment(m_hidden.constData());
            QCoreApplication::instance()->removeEventFilter(this);
        }
        return false;
    }

private:
    QWidget *m_window;
    const char *m_name;
    QByteArray m_hidden;
    bool m_painted = false;
};

} // namespace

int main(int argc, char *argv[])
{
    // Help and version need no display, so they come before the application.
    std::setlocale(LC_ALL, "");
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QTextStream out(stdout);
    if (const std::optional<int> status = ProgramOptions::handle(arguments, out))
        return *status;

    // Before the application: the accessibility bridge reads its name at once.
    WindowAccessible::install(QStringLiteral("Пальмора"));
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Palmora"));
    QApplication::setOrganizationName(QStringLiteral("Palmora"));
    // Desktops find the menu entry, and its icon, for the window by this name.
    QApplication::setDesktopFileName(QStringLiteral("ru.velmaris.palmora"));
    Form3 splash(Installation::ofRunningProgram());
    // Qt's own texts are for the main window's dialogs, not the splash.
    QObject::connect(&splash, &Form3::shown, &splash, [] { RussianTranslations::install(); });
    if (qEnvironmentVariableIsSet("PALMORA_STARTUP_TIMES")) {
        new WindowMoments(&splash, "splash");
        QObject::connect(&splash, &Form3::mainWindowCreated, &splash,
                         [](Form1 *window) { new WindowMoments(window, "main"); });
    }
    splash.start();
    // Closed during the start-up: there is no loop left to leave.
    if (EventLoop::quitRequested())
        return 0;
    return QApplication::exec();
}
