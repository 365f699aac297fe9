#include "platform/installation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

Installation Installation::ofRunningProgram()
{
    return Installation(QCoreApplication::applicationDirPath());
}

Installation::Installation(QString programFolder, QString userDataFolder, ProgramFolderWrites writes)
    : m_programFolder(std::move(programFolder))
    , m_userDataFolder(std::move(userDataFolder))
    , m_writes(writes)
{}

QString Installation::readPath(const QString &name) const
{
    return m_programFolder + QLatin1Char('/') + name;
}

bool Installation::isWritable(const QString &folder)
{
    // The permission bits do not tell the whole story (read-only mounts, ACLs,
    // root ignoring bits): try to create a file.
    QTemporaryFile probe(folder + QStringLiteral("/.palmora-write-probe-XXXXXX"));
    return probe.open();
}

QString Installation::defaultUserDataFolder()
{
    // One folder named after the program, whatever organisation and
    // application names the executable sets.
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/palmora");
}

// An installed program folder names itself in this file. Whoever starts the
// program from there, root included, keeps its files in the data folder; a
// copy of the folder made elsewhere writes beside itself as the build does.
bool Installation::installedHere() const
{
    QFile marker(readPath(QStringLiteral(".installed-at")));
    if (!marker.open(QIODevice::ReadOnly))
        return false;
    const QString named = QString::fromUtf8(marker.readLine(4096)).trimmed();
    const QString here = QFileInfo(m_programFolder).canonicalFilePath();
    return !named.isEmpty() && QFileInfo(named).canonicalFilePath() == here;
}

bool Installation::writesToProgramFolder() const
{
    switch (m_writes) {
    case ProgramFolderWrites::Always:
        return true;
    case ProgramFolderWrites::Never:
        return false;
    case ProgramFolderWrites::AsAllowed:
        break;
    }
    return !installedHere() && isWritable(m_programFolder);
}

QString Installation::writePath(const QString &name) const
{
    if (writesToProgramFolder())
        return readPath(name);
    QDir().mkpath(m_userDataFolder);
    return m_userDataFolder + QLatin1Char('/') + name;
}

QString Installation::existingPath(const QString &name) const
{
    // The data folder is the user's, shared by every copy of the program: a
    // copy that writes beside itself must not read another copy's files.
    const QString beside = readPath(name);
    if (writesToProgramFolder())
        return beside;
    const QString kept = m_userDataFolder + QLatin1Char('/') + name;
    return QFileInfo::exists(kept) ? kept : beside;
}
