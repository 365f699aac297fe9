#include "search/searchtool.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

int main(int argc, char *argv[])
{
    // A standard stream started closed stays unusable: no article or folder
    // the search opens may take its number and receive the output.
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) < 0 && ::open("/dev/null", O_RDONLY) != fd)
            return 2;
    }
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return SearchTool::run(QCoreApplication::arguments(), Installation::ofRunningProgram(), out, err);
}
