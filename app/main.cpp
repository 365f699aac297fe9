#include "form3.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Palmora"));
    QApplication::setOrganizationName(QStringLiteral("Palmora"));

    Form3 splash;
    splash.start();
    return QApplication::exec();
}
