#include "search/articletextdump.h"

#include "platform/rtfreader.h"
#include "platform/textcodec.h"
#include "search/articletext.h"

#include <QByteArray>
#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

qint64 readAt(int fd, char *into, qint64 n, qint64 at)
{
    for (;;) {
        const ssize_t got = ::pread(fd, into, std::size_t(n), at);
        if (got >= 0 || errno != EINTR)
            return got;
    }
}

int readFile(int fd, const std::function<bool(QStringView)> &consume, qint64 chunkBytes)
{
    struct stat info;
    if (::fstat(fd, &info) != 0)
        return errno;
    if (S_ISDIR(info.st_mode))
        return EISDIR;
    if (!S_ISREG(info.st_mode))
        return EINVAL; // the search passes over anything but a file
    const qint64 chunk = std::max<qint64>(chunkBytes, 16);

    char head[5];
    const qint64 got = readAt(fd, head, sizeof head, 0);
    if (got < 0)
        return errno;
    if (RtfReader::isRtf(QByteArrayView(head, got))) {
        QFile file;
        if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
            return EIO;
        RtfReader::displayedText(file, consume, qsizetype(std::min<qint64>(chunk, qint64(1) << 20)));
        return file.error() == QFileDevice::NoError ? 0 : EIO;
    }

    if (const auto order = TextCodec::utf16Mark(QByteArrayView(head, got)); order != TextCodec::Utf16::None) {
        // The decoder keeps a code unit cut between two reads for the next one.
        QStringDecoder decoder(order == TextCodec::Utf16::BigEndian ? QStringDecoder::Utf16BE : QStringDecoder::Utf16LE,
                               QStringDecoder::Flag::ConvertInitialBom);
        QByteArray bytes(chunk, Qt::Uninitialized);
        for (qint64 at = 2;;) {
            const qint64 n = readAt(fd, bytes.data(), chunk, at);
            if (n < 0)
                return errno;
            if (n == 0)
                return 0;
            at += n;
            const QString text = decoder.decode(QByteArrayView(bytes.constData(), n));
            if (!text.isEmpty() && !consume(text))
                return 0;
        }
    }

    // The same decision as the search's: UTF-8 (after its mark, if any) or Windows-1251.
    bool mark = false;
    const bool utf8 = ArticleText::fileIsUtf8(fd, chunk, &mark);
    // Each piece of UTF-8 is cut before the character that may go on in the
    // next, so that a sequence cut short by the end of the file still gives U+FFFD.
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QByteArray bytes(2 * chunk, Qt::Uninitialized);
    qsizetype carry = 0;
    for (qint64 at = mark ? 3 : 0;;) {
        const qint64 n = readAt(fd, bytes.data() + carry, chunk, at);
        if (n < 0)
            return errno;
        at += n;
        const qsizetype size = carry + n;
        qsizetype cut = size;
        if (utf8 && n > 0) {
            cut = size - 1;
            while (cut > 0 && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80)
                --cut;
            if (size - cut >= 4)
                cut = size; // longer than any character: nothing to wait for
        }
        const QByteArrayView piece(bytes.constData(), cut);
        const QString text = utf8 ? decoder.decode(piece) : TextCodec::fromCp1251(piece);
        if (!text.isEmpty() && !consume(text))
            return 0;
        if (n == 0)
            return 0;
        carry = size - cut;
        std::memmove(bytes.data(), bytes.constData() + cut, std::size_t(carry));
    }
}

} // namespace

int ArticleTextDump::read(const QString &path, const std::function<bool(QStringView)> &consume, qint64 chunkBytes)
{
    int fd;
    do {
        fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return errno;
    const int error = readFile(fd, consume, chunkBytes);
    ::close(fd);
    return error;
}
