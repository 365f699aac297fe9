#pragma once

#include <QString>

// Why a file could not be written, told the user in words they can act on:
// a read-only file, a full disk and a folder they may not write to call for
// different remedies, and a message that names none of them helps with none.
class WriteFailure
{
public:
    enum class Reason {
        None,
        ReadOnlyFile,     // the file's own mode forbids writing
        DiskFull,         // no space left, or the user's quota spent
        TooLarge,         // larger than the file system or the process may write
        NoPermission,     // the folder may not be written by this user
        NoFilePermission, // the file belongs to someone who does not let this user write it
        NoFolder,         // the folder does not exist
        ReadOnlyDisk,     // the file system is mounted read-only
        NotAFile,         // a folder or a pipe has the name
        Other,
    };

    WriteFailure() = default;
    WriteFailure(Reason reason, QString path, QString detail = QString());

    // From the system's error number of the failing call.
    static WriteFailure fromErrno(int number, const QString &path);
    // From a device's error text, as Qt words the system's errors; whatever
    // it does not recognise is kept as the detail of Other.
    static WriteFailure fromErrorString(const QString &text, const QString &path);

    Reason reason() const { return m_reason; }
    bool isFailure() const { return m_reason != Reason::None; }
    // One Russian sentence naming the reason and the file or folder.
    QString message() const;

private:
    Reason m_reason = Reason::None;
    QString m_path;
    QString m_detail;
};
