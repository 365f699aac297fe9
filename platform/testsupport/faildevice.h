#pragma once

#include "platform/safefile.h"

#include <QIODevice>

#include <limits>
#include <memory>

// Passes writes on to a target until a number of bytes has gone through, then
// fails the way a full disk does: the bytes that fit are written, the rest
// are refused.
class FailDevice : public QIODevice
{
public:
    FailDevice(QIODevice &target, qint64 failAfter)
        : m_target(target)
        , m_left(failAfter)
    {
        open(QIODevice::WriteOnly);
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        const qint64 part = qMin(size, m_left);
        if (part > 0 && m_target.write(data, part) != part)
            return -1;
        m_left -= part;
        if (part < size) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        return size;
    }

private:
    QIODevice &m_target;
    qint64 m_left;
};

// A SafeFile whose every write fails after the given number of bytes.
inline SafeFile failingSafeFile(qint64 failAfter)
{
    return SafeFile([failAfter](QIODevice &file) { return std::make_unique<FailDevice>(file, failAfter); });
}

// A SafeFile on a disk that is full while *full holds: each write then fails
// after the given number of bytes. The disk may get room again half-way
// through a test.
inline SafeFile fillingSafeFile(std::shared_ptr<const bool> full, qint64 failAfter)
{
    return SafeFile([full = std::move(full), failAfter](QIODevice &file) {
        return std::make_unique<FailDevice>(file, *full ? failAfter : std::numeric_limits<qint64>::max());
    });
}
