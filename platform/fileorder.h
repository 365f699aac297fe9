#pragma once

#include <QString>
#include <QStringList>

// The order in which the Windows file system lists a folder: names compared
// character by character after upper-casing, ordinally. Everything the
// program lists from a folder (the articles, the questionnaire topics) comes
// in this order, so every platform and every run shows them alike.
class FileOrder
{
public:
    // The key that orders a name; names with equal keys (possible where case
    // matters) keep a fixed order by lessThan.
    static QString key(const QString &name) { return name.toUpper(); }
    static bool lessThan(const QString &a, const QString &b) { return lessThan(key(a), a, key(b), b); }
    // The same with the keys made beforehand, for sorting many names.
    static bool lessThan(const QString &keyA, const QString &a, const QString &keyB, const QString &b)
    {
        const int c = QString::compare(keyA, keyB, Qt::CaseSensitive);
        return c != 0 ? c < 0 : QString::compare(a, b, Qt::CaseSensitive) < 0;
    }
    static void sort(QStringList &names);
};
