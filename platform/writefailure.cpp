#include "platform/writefailure.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <initializer_list>

namespace {

QString folderOf(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absolutePath());
}

} // namespace

WriteFailure::WriteFailure(Reason reason, QString path, QString detail)
    : m_reason(reason)
    , m_path(std::move(path))
    , m_detail(std::move(detail))
{}

WriteFailure WriteFailure::fromErrno(int number, const QString &path)
{
    switch (number) {
    case 0:
        return WriteFailure(Reason::Other, path);
    case ENOSPC:
    case EDQUOT:
        return WriteFailure(Reason::DiskFull, path);
    case EFBIG:
        return WriteFailure(Reason::TooLarge, path);
    case EACCES:
    case EPERM:
        return WriteFailure(Reason::NoPermission, path);
    case ENOENT:
    case ENOTDIR:
        return WriteFailure(Reason::NoFolder, path);
    case EROFS:
        return WriteFailure(Reason::ReadOnlyDisk, path);
    case EISDIR:
    case ENXIO:
        return WriteFailure(Reason::NotAFile, path);
    default:
        return WriteFailure(Reason::Other, path, qt_error_string(number));
    }
}

WriteFailure WriteFailure::fromErrorString(const QString &text, const QString &path)
{
    // Qt's file devices word a failed call as qt_error_string does: the same
    // words name the same error.
    for (const int number : {ENOSPC, EDQUOT, EFBIG, EACCES, EPERM, ENOENT, ENOTDIR, EROFS, EISDIR}) {
        if (text == qt_error_string(number) || text.endsWith(QStringLiteral(": ") + qt_error_string(number)))
            return fromErrno(number, path);
    }
    return WriteFailure(Reason::Other, path, text);
}

QString WriteFailure::message() const
{
    const QString file = QDir::toNativeSeparators(m_path);
    switch (m_reason) {
    case Reason::None:
        return QString();
    case Reason::ReadOnlyFile:
        return QStringLiteral("Файл «%1» доступен только для чтения.").arg(file);
    case Reason::DiskFull:
        return QStringLiteral("На диске не хватает места для файла «%1».").arg(file);
    case Reason::TooLarge:
        return QStringLiteral("Файл «%1» слишком велик для этого диска.").arg(file);
    case Reason::NoPermission:
        return QStringLiteral("Нет прав на запись в папку «%1».").arg(folderOf(m_path));
    case Reason::NoFilePermission:
        return QStringLiteral("Нет прав на запись в файл «%1».").arg(file);
    case Reason::NoFolder:
        return QStringLiteral("Папки «%1» нет.").arg(folderOf(m_path));
    case Reason::ReadOnlyDisk:
        return QStringLiteral("Диск с папкой «%1» доступен только для чтения.").arg(folderOf(m_path));
    case Reason::NotAFile:
        return QStringLiteral("«%1» — не файл: под этим именем папка или устройство.").arg(file);
    case Reason::Other:
        break;
    }
    if (m_detail.isEmpty())
        return QStringLiteral("Файл «%1» не удалось записать.").arg(file);
    return QStringLiteral("Файл «%1» не удалось записать: %2.").arg(file, m_detail);
}
