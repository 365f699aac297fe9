#include "news/news.h"

#include "news/messagestore.h"
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

News::News(const Installation &installation, QPlainTextEdit *Text4, QWidget *dialogParent)
    : m_installation(installation)
    , m_store(installation)
    , m_text4(Text4)
    , m_dialogParent(dialogParent)
{}

News::~News() = default;

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
                // Where mes.txt cannot keep the page (a folder has its name),
                // the archive's newest entry tells what was seen last.
                const bool seen = m_store.holds(MessageStore::lastPageFile(), asStored)
                    || (!m_store.lastPageKeepable() && m_store.newestArchived(NewsPage::message(asStored)));
                if (!seen) {
                    m_store.store(text, QDateTime::currentDateTime(), m_files);
                    Dialogs::instance().message(m_dialogParent,
                                                QStringLiteral("Новости:\r\n\r\n") + NewsPage::message(text),
                                                Dialogs::Icon::Information);
                }
            }
        }
    }

    // The program is ending: nothing more to show.
    if (EventLoop::quitRequested())
        return;

    if (By_User && !newsFound)
        Dialogs::instance().message(
            m_dialogParent, QStringLiteral("Неудается подключиться к серверу, проверьте соединение с Internet."),
            Dialogs::Icon::Information);

    if (m_text4 && m_store.exists(MessageStore::archiveFile())) {
        bool cut = false;
        QString archive = m_store.newestPart(MessageStore::archiveFile(), MessageStore::shownArchiveBytes, &cut);
        if (cut)
            archive += QStringLiteral("\r\n\r\n(Архив новостей длиннее: здесь показаны только последние сообщения.)");
        m_text4->setPlainText(archive);
    }
}
