#include "search/knowledgebase.h"

#include "search/articletext.h"
#include "platform/fileorder.h"
#include "platform/programfolder.h"

#include <QDir>

#include <algorithm>
#include <vector>

KnowledgeBase::KnowledgeBase(const QString &folder)
    : m_folder(folder)
{
}

QString KnowledgeBase::defaultFolder()
{
    return ProgramFolder::readPath(QStringLiteral("Data"));
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
    // Without QDir::Hidden and QDir::System: no dot-files, no sockets, pipes or
    // dangling links (a pipe would block the reading).
    const QDir dir(m_folder);
    const QFileInfoList infos = dir.entryInfoList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot, QDir::Unsorted);
    struct Keyed
    {
        QString key;
        Entry entry;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(std::size_t(infos.size()));
    for (const QFileInfo &info : infos)
        keyed.push_back(Keyed{FileOrder::key(info.fileName()), Entry{info.fileName(), info.isDir()}});
    std::sort(keyed.begin(), keyed.end(), [](const Keyed &a, const Keyed &b) {
        return FileOrder::lessThan(a.key, a.entry.name, b.key, b.entry.name);
    });
    QList<Entry> out;
    out.reserve(infos.size());
    for (auto &k : keyed)
        out.append(std::move(k.entry));
    return out;
}

int KnowledgeBase::Kol_Fil() const
{
    return int(entries().size());
}

QString KnowledgeBase::articlePath(const QString &name) const
{
    return QDir(m_folder).filePath(name);
}

KnowledgeBase::Kind KnowledgeBase::kindOf(const QString &name)
{
    return name.right(4).toLower() == QStringLiteral(".txt") ? Kind::PlainText : Kind::Browser;
}

std::unique_ptr<ArticleText> KnowledgeBase::searchText(const QString &name, const std::atomic_bool *cancel) const
{
    return ArticleText::forSearch(articlePath(name), cancel);
}
