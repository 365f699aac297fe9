#include "platform/safefile.h"

#include <QSaveFile>

SafeFile::SafeFile(Channel channel)
    : m_channel(std::move(channel))
{
}

bool SafeFile::write(const QString &path, const Producer &produce, QString *error, const Finisher &finish) const
{
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    const auto fail = [&](const QString &reason) {
        if (error)
            *error = reason;
        file.cancelWriting();
        return false;
    };
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());

    std::unique_ptr<QIODevice> channel;
    if (m_channel) {
        channel = m_channel(file);
        if (!channel->isOpen() && !channel->open(QIODevice::WriteOnly))
            return fail(channel->errorString());
    }
    QIODevice &out = channel ? *channel : static_cast<QIODevice &>(file);
    const bool produced = produce(out);
    if (channel)
        channel->close();
    if (!produced || file.error() != QFileDevice::NoError || !file.flush()) {
        // The file's own error first; otherwise the channel refused the bytes.
        return fail(channel && file.error() == QFileDevice::NoError ? channel->errorString() : file.errorString());
    }
    if (finish)
        finish(file);
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool SafeFile::write(const QString &path, QByteArrayView bytes, QString *error) const
{
    return write(path, [bytes](QIODevice &out) { return out.write(bytes.data(), bytes.size()) == bytes.size(); }, error);
}
