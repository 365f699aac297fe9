#pragma once

#include <QByteArrayView>
#include <QString>

#include <functional>
#include <memory>

class QFileDevice;
class QIODevice;
class WriteFailure;

// Writes a whole file through a temporary file in the same folder and an
// atomic replace, so a failed write never leaves a damaged or empty file.
// Where no temporary file can be made beside an existing file that may be
// written (a read-only folder), the file is written in place instead: the
// whole new content is made first and its room reserved in the old file, so
// that a full disk fails the write before the old file changes. A read-only
// file (no write bit for its owner) is never written; a replaced file keeps
// its mode. A device (/dev/null) is written as it is: it has nothing to keep.
//
// The content may pass through a channel on its way to the file: tests hand
// in one that fails half-way, the way a full disk does, and every writer that
// takes a SafeFile can be tried against it.
class SafeFile
{
public:
    // Writes the content to out; false abandons the write.
    using Producer = std::function<bool(QIODevice &out)>;
    // Runs on the complete file before it replaces the old one.
    using Finisher = std::function<void(QFileDevice &file)>;
    // Wraps the file's device; the content is written to what it returns.
    using Channel = std::function<std::unique_ptr<QIODevice>(QIODevice &file)>;

    SafeFile() = default;
    explicit SafeFile(Channel channel);

    // On failure *error receives one Russian sentence that names the real
    // reason: a read-only file, a full disk, a folder that may not be written.
    bool write(const QString &path, const Producer &produce, QString *error = nullptr,
               const Finisher &finish = {}) const;
    bool write(const QString &path, QByteArrayView bytes, QString *error = nullptr) const;

private:
    // Runs the producer into target through the channel; on failure says why.
    bool produceThrough(QIODevice &target, const Producer &produce, WriteFailure *failure, const QString &path) const;
    bool writeInPlace(const QString &path, const Producer &produce, QString *error, const Finisher &finish) const;

    Channel m_channel;
};
