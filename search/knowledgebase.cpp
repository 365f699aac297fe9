#include "search/knowledgebase.h"

#include "platform/fileorder.h"
#include "platform/textcodec.h"
#include "search/articlereader.h"
#include "search/articletext.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QMutex>
#include <QTemporaryDir>

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// A name Qt can open for a file whose own name it cannot: a link, in a folder
// of the program's own for as long as it runs, that points at the real bytes.
QString openableName(const QString &folder, const QString &shown, const QByteArray &bytes)
{
    static QMutex mutex;
    static QTemporaryDir links(QDir::tempPath() + QStringLiteral("/palmora-names-XXXXXX"));
    static QHash<QByteArray, QString> made;
    const QByteArray target = QFile::encodeName(QDir(folder).absolutePath()) + '/' + bytes;
    const QMutexLocker lock(&mutex);
    if (const auto found = made.constFind(target); found != made.cend())
        return found.value();
    if (!links.isValid())
        return QString();
    const QString place = links.filePath(QString::number(made.size()));
    if (!QDir().mkpath(place))
        return QString();
    const QString link = place + QLatin1Char('/') + shown;
    if (::symlink(target.constData(), QFile::encodeName(link).constData()) != 0)
        return QString();
    made.insert(target, link);
    return link;
}

} // namespace

KnowledgeBase::KnowledgeBase(const QString &folder)
    : m_folder(folder)
{}

QString KnowledgeBase::defaultFolder(const Installation &installation)
{
    return installation.readPath(QStringLiteral("Data"));
}

bool KnowledgeBase::exists() const
{
    return QFileInfo(m_folder).isDir();
}

bool KnowledgeBase::visitsBefore(const QString &a, const QString &b)
{
    return FileOrder::lessThan(a, b);
}

QList<KnowledgeBase::Entry> KnowledgeBase::entries() const
{
    return entries(nullptr);
}

QList<KnowledgeBase::Entry> KnowledgeBase::entries(QList<Unlisted> *unlisted) const
{
    struct Keyed
    {
        QString key;
        Entry entry;
    };
    std::vector<Keyed> keyed;
    // Listed as QDir lists files and folders without hidden and system
    // entries, straight from the directory so that no entry costs a stat
    // unless it is a link: no dot-files, no sockets, pipes, devices or
    // dangling links (a pipe would block the reading).
    const int folder = openFolder();
    DIR *dir = folder < 0 ? nullptr : ::fdopendir(folder);
    if (!dir) {
        if (folder >= 0)
            ::close(folder);
        return {};
    }
    const int fd = ::dirfd(dir);
    const auto leaveOut = [unlisted](const char *name, int error) {
        if (unlisted) {
            const QByteArray bytes(name);
            const bool foreign = !QUtf8StringView(bytes).isValidUtf8();
            unlisted->append(Unlisted{foreign ? TextCodec::fromCp1251(bytes) : QFile::decodeName(bytes), error});
        }
    };
    while (const dirent *d = ::readdir(dir)) {
        if (d->d_name[0] == '.') // ".", ".." and hidden entries
            continue;
        bool isFolder = false;
        unsigned char type = d->d_type;
        struct stat info;
        if (type == DT_UNKNOWN) {
            if (::fstatat(fd, d->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
                leaveOut(d->d_name, errno);
                continue;
            }
            type = S_ISLNK(info.st_mode) ? DT_LNK
                : S_ISDIR(info.st_mode)  ? DT_DIR
                : S_ISREG(info.st_mode)  ? DT_REG
                                         : DT_FIFO;
        }
        if (type == DT_DIR) {
            isFolder = true;
        } else if (type == DT_LNK) {
            // A link stands for what it points to, whatever that is; a dangling one is left out.
            if (::fstatat(fd, d->d_name, &info, 0) != 0) {
                leaveOut(d->d_name, errno);
                continue;
            }
            isFolder = S_ISDIR(info.st_mode);
        } else if (type != DT_REG) {
            leaveOut(d->d_name, ArticleReader::kNotAFile);
            continue;
        }
        // Archives made on Windows name their files in Windows-1251, which is
        // not UTF-8: such a name is listed as Windows-1251 reads it and the
        // file opened by its own bytes.
        const QByteArray bytes(d->d_name);
        const bool foreign = !QUtf8StringView(bytes).isValidUtf8();
        const QString name = foreign ? TextCodec::fromCp1251(bytes) : QFile::decodeName(bytes);
        keyed.push_back(Keyed{FileOrder::key(name), Entry{name, isFolder, foreign ? bytes : QByteArray()}});
    }
    ::closedir(dir);
    std::sort(keyed.begin(), keyed.end(), [](const Keyed &a, const Keyed &b) {
        return FileOrder::lessThan(a.key, a.entry.name, b.key, b.entry.name);
    });
    QList<Entry> out;
    out.reserve(qsizetype(keyed.size()));
    for (auto &k : keyed)
        out.append(std::move(k.entry));
    return out;
}

int KnowledgeBase::openFolder() const
{
    // An empty path is the current folder, as QDir takes it.
    const QByteArray path = m_folder.isEmpty() ? QByteArray(".") : QFile::encodeName(m_folder);
    return ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

int KnowledgeBase::Kol_Fil() const
{
    return int(entries().size());
}

QByteArray KnowledgeBase::fileName(const Entry &entry)
{
    return entry.bytes.isEmpty() ? QFile::encodeName(entry.name) : entry.bytes;
}

QString KnowledgeBase::articlePath(const QString &name) const
{
    const QString path = QDir(m_folder).filePath(name);
    if (QFileInfo::exists(path))
        return path;
    for (const Entry &entry : entries()) {
        if (entry.name == name && !entry.bytes.isEmpty()) {
            const QString link = openableName(m_folder, entry.name, entry.bytes);
            return link.isEmpty() ? path : link;
        }
    }
    return path;
}

KnowledgeBase::Kind KnowledgeBase::kindOf(const QString &name)
{
    return name.right(4).toLower() == QStringLiteral(".txt") ? Kind::PlainText : Kind::Browser;
}

std::unique_ptr<ArticleText> KnowledgeBase::searchText(const QString &name, const std::atomic_bool *cancel) const
{
    return ArticleText::forSearch(articlePath(name), cancel);
}
