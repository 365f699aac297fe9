#include "app/form3.h"
#include "app/programoptions.h"
#include "app/russiantranslations.h"
#include "platform/eventloop.h"
#include "platform/widgets/windowaccessible.h"

#include <QApplication>
#include <QTextStream>

#include <clocale>

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
    RussianTranslations::install();

    Form3 splash(Installation::ofRunningProgram());
    splash.start();
    // Closed during the start-up: there is no loop left to leave.
    if (EventLoop::quitRequested())
        return 0;
    return QApplication::exec();
}
