#pragma once

#include <QStringList>

class QTextStream;

// The command-line search, palmora-search:
//   palmora-search [--data DIR] [--phrase] [--interval N] QUERY
//   palmora-search [--data DIR] [--phrase] [--interval N] --show NAME QUERY
// Exit status 0 when something was found, 1 when nothing was, 2 on a usage error.
class SearchTool
{
public:
    enum Status { Found = 0, NothingFound = 1, UsageError = 2 };

    // arguments as the program received them, its own name first.
    static int run(const QStringList &arguments, QTextStream &out, QTextStream &err);
};
