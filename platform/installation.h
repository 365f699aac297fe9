#pragma once

#include <QLatin1String>
#include <QString>

// Where one copy of the program keeps its files, handed to the features that
// read or write them. Files the program reads (Data, Anketa, the manual,
// news.ini) sit in the program folder; files it writes on its own (the
// first-start marker, mes.txt, allmes.txt) go there too when that folder can
// be written and is not an installed one, and to the user's data folder
// otherwise, so that nothing the program keeps is silently lost in a read-only
// installation and no user's files land in a shared one.
class Installation
{
public:
    // The file the first start writes: while it is missing, the program opens
    // on its manual. Written where writePath puts it, looked up by existingPath.
    static constexpr QLatin1String firstStartMarker{"run.ini"};

    // Whether the files the program writes go to the program folder: as the
    // folder allows (asked at each write), or always, or never.
    enum class ProgramFolderWrites { AsAllowed, Always, Never };

    // The copy that is running: the executable's folder and the user's data folder.
    static Installation ofRunningProgram();

    explicit Installation(QString programFolder, QString userDataFolder = defaultUserDataFolder(),
                          ProgramFolderWrites writes = ProgramFolderWrites::AsAllowed);

    const QString &programFolder() const { return m_programFolder; }
    // Where the files the program writes go when the program folder cannot take them.
    const QString &userDataFolder() const { return m_userDataFolder; }

    // A file or folder the program reads: program folder + "/" + name.
    QString readPath(const QString &name) const;
    // A file the program writes on its own. Never empty.
    QString writePath(const QString &name) const;
    // A file the program writes and later reads back: where it was written if it
    // exists there, in the program folder otherwise.
    QString existingPath(const QString &name) const;

    // One folder named after the program in the user's data location
    // (~/.local/share/palmora).
    static QString defaultUserDataFolder();
    static bool isWritable(const QString &folder);

private:
    bool writesToProgramFolder() const;
    bool installedHere() const;

    QString m_programFolder;
    QString m_userDataFolder;
    ProgramFolderWrites m_writes;
};
