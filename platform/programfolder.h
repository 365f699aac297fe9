#pragma once

#include <QString>

// Where the program's own files live. Files the program reads (Data, Anketa,
// the manual, news.ini) sit beside the executable; files it writes on its own
// (run.ini, mes.txt, allmes.txt) go there too when that folder can be written
// and is not an installed one, and to the user's application-data folder
// otherwise, so that nothing the program keeps is silently lost in a read-only
// installation and no user's files land in a shared one.
class ProgramFolder
{
public:
    // The folder that holds the executable (or the one set for a test).
    static QString path();
    // A file or folder the program reads: program folder + "/" + name.
    static QString readPath(const QString &name);
    // A file the program writes on its own. Never empty.
    static QString writePath(const QString &name);
    // A file the program writes and later reads back: where it was written if it
    // exists there, beside the executable otherwise.
    static QString existingPath(const QString &name);
    // The folder used when the program folder cannot be written.
    static QString fallbackFolder();
    static bool isWritable(const QString &folder);

    // Tests run the program on a folder of their own.
    static void setPathForTesting(const QString &folder);
    static void setFallbackForTesting(const QString &folder);
    // Root writes into read-only folders: a test there declares the folder
    // unwritable instead. 0 = ask the file system, 1 = writable, -1 = not.
    static void setWritableForTesting(int writable);
};
