#pragma once

#include "platform/installation.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <atomic>
#include <memory>

class ArticleText;

// The Data folder: every file in it is an article, named by its file name.
class KnowledgeBase
{
public:
    struct Entry
    {
        QString name;
        bool isFolder = false;
        // The name's own bytes where they are not UTF-8 (a Windows-1251 name,
        // shown as Windows-1251 reads it); empty otherwise.
        QByteArray bytes = {};
        bool operator==(const Entry &) const = default;
    };

    enum class Kind { PlainText, Browser };

    explicit KnowledgeBase(const QString &folder);
    // The installation's Data folder.
    static QString defaultFolder(const Installation &installation);

    QString folder() const { return m_folder; }
    bool exists() const;

    // The entries in visiting order: files and sub-folders, hidden and system
    // entries left out, sorted as the Windows file system lists them (ordinal
    // comparison of the upper-cased names), so every platform and every run
    // visits them alike.
    QList<Entry> entries() const;
    // The same, and the names the listing leaves out although a user put them
    // there as articles (a pipe, device or socket, a dangling link), each with
    // why it is not read: the system's error number or ArticleReader::kNotAFile.
    struct Unlisted
    {
        QString name;
        int error = 0;
    };
    QList<Entry> entries(QList<Unlisted> *unlisted) const;
    // Kol_Fil: the number of entries, which the progress bar divides by.
    int Kol_Fil() const;

    // A descriptor of the folder, to open the articles by their names in it;
    // -1 when it cannot be opened. The caller closes it.
    int openFolder() const;

    // The entry's name as the file system holds it, to open it by.
    static QByteArray fileName(const Entry &entry);
    // A path Qt opens the article by, for a Windows-1251 name too.
    QString articlePath(const QString &name) const;
    // ".txt" in any case at the end: shown in the text view; anything else in the browser.
    static Kind kindOf(const QString &name);
    static bool visitsBefore(const QString &a, const QString &b);

    // The article's text as the search reads it (empty for a sub-folder or a
    // file that cannot be read).
    std::unique_ptr<ArticleText> searchText(const QString &name, const std::atomic_bool *cancel = nullptr) const;

private:
    QString m_folder;
};
