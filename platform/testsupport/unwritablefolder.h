#pragma once

#include <QString>

#include <sys/capability.h>

// Makes a folder read-only for as long as it lives. Root passes over
// permission bits, so for root the calling thread also sets aside the
// capabilities that override them, and the folder is truly unwritable.
class UnwritableFolder
{
public:
    explicit UnwritableFolder(const QString &path);
    ~UnwritableFolder();
    UnwritableFolder(const UnwritableFolder &) = delete;
    UnwritableFolder &operator=(const UnwritableFolder &) = delete;

    // False when the folder could not be made unwritable.
    bool isEffective() const { return m_effective; }

private:
    QString m_path;
    cap_t m_saved = nullptr;
    bool m_effective = false;
};
