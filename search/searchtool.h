#pragma once

#include "platform/installation.h"

#include <QLocale>
#include <QStringList>

class QTextStream;

// The command-line search, palmora-search:
//   palmora-search [--data DIR] [--phrase] [--interval N] QUERY
//   palmora-search [--data DIR] [--phrase] [--interval N] --show NAME QUERY
//   palmora-search --text FILE
//   palmora-search --help | --version
// Exit status 0 when something was found, 1 when nothing was, 2 on an error.
class SearchTool
{
public:
    enum Status { Found = 0, NothingFound = 1, Error = 2 };

    // arguments as the program received them, its own name first; the
    // knowledge base is the installation's unless --data names one; messages
    // are Russian when the locale is.
    static int run(const QStringList &arguments, const Installation &installation, QTextStream &out, QTextStream &err,
                   const QLocale &locale = QLocale::system());
};
