#pragma once

#include <QFile>
#include <QList>

// How much the process grows while a piece of work runs: the peak resident
// size the kernel keeps for it, reset before the work starts. Linux only; a
// test skips where the mark cannot be reset.
class PeakMemory
{
public:
    // Starts a measurement; false where the peak cannot be reset, or means
    // nothing: the address sanitizer keeps freed memory aside for a while.
    bool start()
    {
#if defined(__SANITIZE_ADDRESS__)
        return false;
#else
        QFile clear(QStringLiteral("/proc/self/clear_refs"));
        if (!clear.open(QIODevice::WriteOnly) || clear.write("5") != 1)
            return false;
        clear.close();
        m_before = field("VmRSS:");
        return m_before >= 0;
#endif
    }
    // Bytes the peak rose above the resident size at the start.
    qint64 grown() const
    {
        return field("VmHWM:") - m_before;
    }

private:
    static qint64 field(const char *name)
    {
        QFile status(QStringLiteral("/proc/self/status"));
        if (!status.open(QIODevice::ReadOnly))
            return -1;
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith(name))
                return line.mid(qstrlen(name)).trimmed().split(' ').value(0).toLongLong() * 1024;
        }
        return -1;
    }

    qint64 m_before = -1;
};
