#include "platform/eventloop.h"
#include "app/form3.h"
#include "app/russiantranslations.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Palmora"));
    QApplication::setOrganizationName(QStringLiteral("Palmora"));
    // Desktops find the menu entry, and its icon, for the window by this name.
    QApplication::setDesktopFileName(QStringLiteral("ru.velmaris.palmora"));
    RussianTranslations::install();

    Form3 splash;
    splash.start();
    // Closed during the start-up: there is no loop left to leave.
    if (EventLoop::quitRequested())
        return 0;
    return QApplication::exec();
}
