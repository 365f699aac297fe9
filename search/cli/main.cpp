#include "search/searchtool.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return SearchTool::run(QCoreApplication::arguments(), Installation::ofRunningProgram(), out, err);
}
