#include "programfolder.h"

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
    QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (folder.isEmpty())
        folder = QDir::homePath() + QStringLiteral("/.local/share/Palmora");
    return folder;
}

QString ProgramFolder::writePath(const QString &name)
{
    const bool writable = writableOverride() != 0 ? writableOverride() > 0 : isWritable(path());
    if (writable)
        return readPath(name);
    const QString folder = fallbackFolder();
    QDir().mkpath(folder);
    return folder + QLatin1Char('/') + name;
}

QString ProgramFolder::existingPath(const QString &name)
{
    const QString beside = readPath(name);
    if (QFileInfo::exists(beside))
        return beside;
    const QString fallback = fallbackFolder() + QLatin1Char('/') + name;
    if (QFileInfo::exists(fallback))
        return fallback;
    return beside;
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
