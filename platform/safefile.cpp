#include "platform/safefile.h"

#include "platform/writefailure.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Why no new file can be made in the folder of path.
WriteFailure folderFailure(const QString &path, const QString &qtText)
{
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (!folder.isDir())
        return WriteFailure(WriteFailure::Reason::NoFolder, path);
    if (QFileInfo(path).isDir())
        return WriteFailure(WriteFailure::Reason::NotAFile, path);
    // Asked with the effective rights, as the write itself was.
    if (::faccessat(AT_FDCWD, QFile::encodeName(folder.filePath()).constData(), W_OK | X_OK, AT_EACCESS) != 0)
        return WriteFailure::fromErrno(errno, path);
    return WriteFailure::fromErrorString(qtText, path);
}

// A device such as /dev/null or /dev/full has no old content to keep and
// cannot be replaced by a file: it is written as it is.
bool writeDevice(const QString &path, const QByteArray &bytes, WriteFailure *failure)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *failure = WriteFailure::fromErrno(errno, path);
        return false;
    }
    qint64 at = 0;
    while (at < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.constData() + at, size_t(bytes.size() - at));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            *failure = WriteFailure::fromErrno(written < 0 ? errno : ENOSPC, path);
            ::close(fd);
            return false;
        }
        at += written;
    }
    if (::close(fd) != 0 && errno != EINTR) {
        *failure = WriteFailure::fromErrno(errno, path);
        return false;
    }
    return true;
}

// Holds the whole new content before an in-place write touches the old file:
// in memory while it is small, in a temporary file beyond that.
class Spool : public QIODevice
{
public:
    static constexpr qint64 inMemory = 64 * 1024 * 1024;

    Spool() { open(QIODevice::WriteOnly); }

    qint64 total() const { return m_total; }

    // Writes the content to fd from its start; false with errno set on failure.
    bool copyTo(int fd)
    {
        if (!m_file)
            return writeAll(fd, m_memory.constData(), m_memory.size(), 0);
        if (!m_file->flush() || !m_file->seek(0))
            return false;
        QByteArray piece(1024 * 1024, Qt::Uninitialized);
        qint64 at = 0;
        while (at < m_total) {
            const qint64 got = m_file->read(piece.data(), piece.size());
            if (got <= 0) {
                errno = EIO;
                return false;
            }
            if (!writeAll(fd, piece.constData(), got, at))
                return false;
            at += got;
        }
        return true;
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        if (!m_file && m_memory.size() + size > inMemory) {
            m_file = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/palmora-XXXXXX"));
            if (!m_file->open() || m_file->write(m_memory) != m_memory.size()) {
                setErrorString(m_file->errorString());
                return -1;
            }
            m_memory = QByteArray();
        }
        if (m_file) {
            if (m_file->write(data, size) != size) {
                setErrorString(m_file->errorString());
                return -1;
            }
        } else {
            m_memory.append(data, size);
        }
        m_total += size;
        return size;
    }

private:
    static bool writeAll(int fd, const char *data, qint64 size, qint64 offset)
    {
        while (size > 0) {
            const ssize_t written = ::pwrite(fd, data, size_t(size), off_t(offset));
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return false;
            data += written;
            size -= written;
            offset += written;
        }
        return true;
    }

    QByteArray m_memory;
    std::unique_ptr<QTemporaryFile> m_file;
    qint64 m_total = 0;
};

} // namespace

SafeFile::SafeFile(Channel channel)
    : m_channel(std::move(channel))
{}

bool SafeFile::write(const QString &path, const Producer &produce, QString *error, const Finisher &finish) const
{
    const auto fail = [&](const WriteFailure &failure) {
        if (error)
            *error = failure.message();
        return false;
    };
    // A read-only file is not replaced, whoever runs the program: root may
    // write anything, so the mode bits decide, not whether a write would work.
    struct stat old = {};
    const bool found = ::stat(QFile::encodeName(path).constData(), &old) == 0;
    const bool existed = found && S_ISREG(old.st_mode);
    if (existed && !(old.st_mode & S_IWUSR))
        return fail(WriteFailure(WriteFailure::Reason::ReadOnlyFile, path));
    if (found && S_ISCHR(old.st_mode)) {
        QBuffer content;
        content.open(QIODevice::WriteOnly);
        WriteFailure failure;
        if (!produceThrough(content, produce, &failure, path))
            return fail(failure);
        return writeDevice(path, content.data(), &failure) || fail(failure);
    }
    if (found && !existed)
        return fail(WriteFailure(WriteFailure::Reason::NotAFile, path));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        // No temporary file can be made beside an existing file: written in place.
        if (existed && QFileInfo(path).isFile())
            return writeInPlace(path, produce, error, finish);
        return fail(folderFailure(path, file.errorString()));
    }
    const auto cancel = [&](const WriteFailure &failure) {
        file.cancelWriting();
        return fail(failure);
    };

    WriteFailure failure;
    if (!produceThrough(file, produce, &failure, path))
        return cancel(failure);
    if (file.error() != QFileDevice::NoError || !file.flush())
        return cancel(WriteFailure::fromErrorString(file.errorString(), path));
    if (finish)
        finish(file);
    if (existed) {
        // The new file takes the old one's owner where the program may give
        // it one, and then its mode exactly.
        if (::geteuid() == 0) {
            [[maybe_unused]] const int owned = ::fchown(file.handle(), old.st_uid, old.st_gid);
        }
        if (::fchmod(file.handle(), old.st_mode & 07777) != 0)
            return cancel(WriteFailure::fromErrno(errno, path));
    }
    if (!file.commit())
        return fail(WriteFailure::fromErrorString(file.errorString(), path));
    return true;
}

bool SafeFile::produceThrough(QIODevice &target, const Producer &produce, WriteFailure *failure,
                              const QString &path) const
{
    std::unique_ptr<QIODevice> channel;
    if (m_channel) {
        channel = m_channel(target);
        if (!channel->isOpen() && !channel->open(QIODevice::WriteOnly)) {
            *failure = WriteFailure::fromErrorString(channel->errorString(), path);
            return false;
        }
    }
    QIODevice &out = channel ? *channel : target;
    const bool produced = produce(out);
    if (channel)
        channel->close();
    if (produced)
        return true;
    // The target's own error first; otherwise the channel refused the bytes.
    auto *file = qobject_cast<QFileDevice *>(&target);
    if (file && !channel && file->error() == QFileDevice::NoError)
        file->flush();
    const bool targetFailed = file && file->error() != QFileDevice::NoError;
    if (file && !channel && !targetFailed && file->handle() >= 0) {
        // A short write sets no error: one byte more at the end of the
        // temporary file, which is thrown away, tells why.
        struct stat status = {};
        const char byte = 0;
        if (::fstat(file->handle(), &status) == 0 && ::pwrite(file->handle(), &byte, 1, status.st_size) < 0) {
            *failure = WriteFailure::fromErrno(errno, path);
            return false;
        }
    }
    const QString text = channel && !targetFailed ? channel->errorString() : target.errorString();
    *failure = WriteFailure::fromErrorString(text, path);
    return false;
}

bool SafeFile::writeInPlace(const QString &path, const Producer &produce, QString *error, const Finisher &finish) const
{
    const auto fail = [&](const WriteFailure &failure) {
        if (error)
            *error = failure.message();
        return false;
    };
    // The whole new content first, so that a producer that fails changes nothing.
    Spool spool;
    WriteFailure failure;
    if (!produceThrough(spool, produce, &failure, path))
        return fail(failure);

    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        // The folder was no help, and now the file itself refuses.
        const int number = errno;
        return fail(number == EACCES || number == EPERM ? WriteFailure(WriteFailure::Reason::NoFilePermission, path)
                                                        : WriteFailure::fromErrno(number, path));
    }
    const auto closeAndFail = [&](int number) {
        ::close(fd);
        return fail(WriteFailure::fromErrno(number, path));
    };
    struct stat old = {};
    if (::fstat(fd, &old) != 0)
        return closeAndFail(errno);
    // The space is reserved before a byte of the old file changes: on a full
    // disk the reservation fails and the old file stays as it was.
    const qint64 size = spool.total();
    if (size > 0) {
        const int reserved = ::posix_fallocate(fd, 0, off_t(size));
        if (reserved != 0) {
            // A reservation that grew the file before failing gives the growth back.
            if (size > old.st_size) {
                [[maybe_unused]] const int shrunk = ::ftruncate(fd, old.st_size);
            }
            return closeAndFail(reserved);
        }
    }
    if (!spool.copyTo(fd))
        return closeAndFail(errno);
    if (size < old.st_size && ::ftruncate(fd, off_t(size)) != 0)
        return closeAndFail(errno);
    if (finish) {
        QFile file;
        if (file.open(fd, QIODevice::WriteOnly, QFileDevice::DontCloseHandle))
            finish(file);
    }
    if (::fsync(fd) != 0)
        return closeAndFail(errno);
    if (::close(fd) != 0)
        return fail(WriteFailure::fromErrno(errno, path));
    return true;
}

bool SafeFile::write(const QString &path, QByteArrayView bytes, QString *error) const
{
    return write(
        path, [bytes](QIODevice &out) { return out.write(bytes.data(), bytes.size()) == bytes.size(); }, error);
}
