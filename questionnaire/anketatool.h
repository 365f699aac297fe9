#pragma once

#include <QLocale>
#include <QStringList>

class QTextStream;

// The command-line reading of a questionnaire workbook, palmora-anketa:
//   palmora-anketa FILE.xls           the topic as the window asks it
//   palmora-anketa --cells FILE.xls   the cells the questionnaire reads
//   palmora-anketa --help | --version
// Exit status 0 when the workbook was read, 2 when it cannot be or on a
// wrong option.
class AnketaTool
{
public:
    enum Status { Read = 0, Error = 2 };

    // arguments as the program received them, its own name first; messages
    // are Russian when the locale is.
    static int run(const QStringList &arguments, QTextStream &out, QTextStream &err,
                   const QLocale &locale = QLocale::system());

    // A cell on one line: tab, line break, carriage return and backslash as
    // \t, \n, \r and \\.
    static QString escaped(const QString &cell);
};
