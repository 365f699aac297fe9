#include "news/news.h"

#include "news/messagestore.h"
#include "news/newslog.h"
#include "news/newspage.h"
#include "platform/eventloop.h"
#include "platform/textcodec.h"
#include "platform/widgets/dialogs.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QUrl>

namespace {

// news.ini holds the address on its first line and nothing else of note.
constexpr qint64 kIniReadLimit = 64 * 1024;

QUrl pageAddress(const Installation &installation)
{
    QFile ini(installation.readPath(QStringLiteral("news.ini")));
    if (!ini.open(QIODevice::ReadOnly))
        return QUrl();
    const QString text = TextCodec::decode(ini.read(kIniReadLimit));
    static const QRegularExpression lineBreak(QStringLiteral("[\r\n]"));
    const QString firstLine = text.section(lineBreak, 0, 0).trimmed();
    if (firstLine.isEmpty())
        return QUrl();
    return QUrl::fromUserInput(firstLine);
}

} // namespace

News::News(const Installation &installation, QPlainTextEdit *Text4, QWidget *dialogParent, Dialogs &dialogs,
           SafeFile files)
    : m_installation(installation)
    , m_store(installation)
    , m_text4(Text4)
    , m_dialogParent(dialogParent)
    , m_dialogs(dialogs)
    , m_files(std::move(files))
{}

News::~News() = default;

void News::forgetUnsaved()
{
    m_unsavedPage.clear();
    m_unsavedEntries.clear();
}

void News::Get_Mes(bool By_User)
{
    bool newsFound = false;

    const QUrl address = pageAddress(m_installation);
    if (!address.isEmpty()) {
        if (const auto page = m_fetch.get(address)) {
            const QString text = NewsPage::text(page->body, page->contentType);
            if (NewsPage::hasMarker(text)) {
                newsFound = true;
                // Compared as it would be stored, so that a character the
                // Cyrillic code page cannot hold does not make it new every time.
                // Read only now: a second fetch may have stored it meanwhile.
                const QString asStored = TextCodec::fromCp1251(TextCodec::toCp1251(text));
                // The archive's newest entry tells what was seen last where
                // mes.txt could not keep the page (a folder has its name, or
                // the disk filled between the two files); a page this run
                // could not keep at all was announced already.
                const QString message = NewsPage::message(asStored);
                const bool unsaved = !m_unsavedPage.isEmpty() && MessageStore::sameMessage(asStored, m_unsavedPage);
                const bool seen =
                    m_store.holds(MessageStore::lastPageFile(), asStored) || m_store.newestArchived(message);
                if (unsaved && !seen) {
                    // Kept quietly once the disk has room again.
                    if (m_store.store(text, m_unsavedWhen, m_files))
                        forgetUnsaved();
                } else if (!seen) {
                    const QDateTime when = QDateTime::currentDateTime();
                    QString reason;
                    QString announcement = QStringLiteral("Новости:\r\n\r\n") + NewsPage::message(text);
                    if (!m_store.store(text, when, m_files, &reason))
                        qCInfo(lcNews).noquote() << "news not kept:" << reason;
                    // Only mes.txt failing loses nothing: the archive tells it was seen.
                    if (!reason.isEmpty() && !m_store.newestArchived(message)) {
                        // Shown on the news tab for this run, and said once
                        // why it will be announced again at the next start.
                        m_unsavedPage = asStored;
                        m_unsavedWhen = when;
                        m_unsavedEntries.prepend(MessageStore::entry(NewsPage::message(text), when));
                        announcement += QStringLiteral("\r\n\r\nЭто сообщение не удалось сохранить в архив новостей, "
                                                       "поэтому при следующем запуске программа покажет его снова. ")
                            + reason;
                    }
                    m_dialogs.message(m_dialogParent, announcement, Dialogs::Icon::Information);
                }
            }
        }
    }

    // The program is ending: nothing more to show.
    if (EventLoop::quitRequested())
        return;

    if (By_User && !newsFound)
        m_dialogs.message(m_dialogParent,
                          QStringLiteral("Неудается подключиться к серверу, проверьте соединение с Internet."),
                          Dialogs::Icon::Information);

    const bool archived = m_store.exists(MessageStore::archiveFile());
    if (m_text4 && (archived || !m_unsavedEntries.isEmpty())) {
        bool cut = false;
        QString archive = m_store.newestPart(MessageStore::archiveFile(), MessageStore::shownArchiveBytes, &cut);
        if (cut)
            archive += QStringLiteral("\r\n\r\n(Архив новостей длиннее: здесь показаны только последние сообщения.)");
        // What could not be kept goes in front, as it would stand in the archive.
        QString shown = m_unsavedEntries.join(QString());
        if (archived)
            shown += archive;
        else if (shown.endsWith(QStringLiteral("\r\n")))
            shown.chop(2);
        m_text4->setPlainText(shown);
    }
}
