#include "platform/programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {
QString &pathOverride()
{
    static QString value;
    return value;
}
QString &fallbackOverride()
{
    static QString value;
    return value;
}
int &writableOverride()
{
    static int value = 0;
    return value;
}
} // namespace

QString ProgramFolder::path()
{
    if (!pathOverride().isEmpty())
        return pathOverride();
    return QCoreApplication::applicationDirPath();
}

QString ProgramFolder::readPath(const QString &name)
{
    return path() + QLatin1Char('/') + name;
}

bool ProgramFolder::isWritable(const QString &folder)
{
    // The permission bits do not tell the whole story (read-only mounts, ACLs,
    // root ignoring bits): try to create a file.
    QTemporaryFile probe(folder + QStringLiteral("/.palmora-write-probe-XXXXXX"));
    return probe.open();
}

QString ProgramFolder::fallbackFolder()
{
    if (!fallbackOverride().isEmpty())
        return fallbackOverride();
    // One folder named after the program (~/.local/share/palmora), whatever
    // organisation and application names the executable sets.
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/palmora");
}

namespace {
// An installed program folder names itself in this file. Whoever starts the
// program from there, root included, keeps its files in the data folder; a
// copy of the folder made elsewhere writes beside itself as the build does.
bool installedHere()
{
    QFile marker(ProgramFolder::readPath(QStringLiteral(".installed-at")));
    if (!marker.open(QIODevice::ReadOnly))
        return false;
    const QString named = QString::fromUtf8(marker.readLine(4096)).trimmed();
    const QString here = QFileInfo(ProgramFolder::path()).canonicalFilePath();
    return !named.isEmpty() && QFileInfo(named).canonicalFilePath() == here;
}

bool programFolderWritable()
{
    if (writableOverride() != 0)
        return writableOverride() > 0;
    return !installedHere() && ProgramFolder::isWritable(ProgramFolder::path());
}
} // namespace

QString ProgramFolder::writePath(const QString &name)
{
    if (programFolderWritable())
        return readPath(name);
    const QString folder = fallbackFolder();
    QDir().mkpath(folder);
    return folder + QLatin1Char('/') + name;
}

QString ProgramFolder::existingPath(const QString &name)
{
    // The fallback folder is the user's, shared by every copy of the program:
    // a copy that writes beside itself must not read another copy's files.
    const QString beside = readPath(name);
    if (programFolderWritable())
        return beside;
    const QString fallback = fallbackFolder() + QLatin1Char('/') + name;
    return QFileInfo::exists(fallback) ? fallback : beside;
}

void ProgramFolder::setPathForTesting(const QString &folder)
{
    pathOverride() = folder;
}

void ProgramFolder::setFallbackForTesting(const QString &folder)
{
    fallbackOverride() = folder;
}

void ProgramFolder::setWritableForTesting(int writable)
{
    writableOverride() = writable;
}
