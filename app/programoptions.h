#pragma once

#include <QLocale>
#include <QStringList>

#include <optional>

class QTextStream;

// The few options palmora answers before it needs a display: --help and
// --version. Everything else on the command line is left to Qt.
class ProgramOptions
{
public:
    // The exit status when the program has answered and should end; nothing
    // when it should go on and open its windows.
    static std::optional<int> handle(const QStringList &arguments, QTextStream &out,
                                     const QLocale &locale = QLocale::system());
};
