#include "questionnaire/anketatool.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return AnketaTool::run(QCoreApplication::arguments(), out, err);
}
