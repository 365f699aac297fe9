#include "search/ui/articleview.h"

#include "platform/filehead.h"
#include "platform/textcodec.h"
#include "platform/widgets/richtextbox.h"
#include "platform/widgets/webbrowser.h"
#include "search/highlights.h"
#include "search/knowledgebase.h"
#include "search/searchlog.h"
#include "search/shownoffsets.h"
#include "search/ui/busynotice.h"
#include "search/ui/resultsarea.h"
#include "search/ui/searchstate.h"

#include <QAbstractButton>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QShortcut>

#include <algorithm>

namespace {
// The scroll bar's range holds at most this many places beyond the first.
constexpr int kMaxJumpIndex = 10000;
const QColor kFoundColour(0, 0, 255);
constexpr double kPoints = 10;
} // namespace

ArticleView::ArticleView(ResultsArea &results, QLabel *busy, const SearchState &state,
                         std::function<QString()> dataFolder, QObject *parent)
    : QObject(parent)
    , m_results(results)
    , m_busy(busy)
    , m_state(state)
    , m_dataFolder(std::move(dataFolder))
{
    const ResultsArea::Controls &c = m_results.controls();
    c.HS1->setMinimum(0);
    c.HS1->setSingleStep(1);
    c.HS1->setPageStep(1);
    c.HS1->setToolTip(
        QStringLiteral("Данный скролле предназначен для передвижения к следуюему найденому запросу в тексте"));
    // The plain format of an article: black, 10 points, neither bold nor italic.
    QFont plain = c.RichTextBox1->font();
    plain.setPointSizeF(kPoints);
    plain.setBold(false);
    plain.setItalic(false);
    c.RichTextBox1->setFont(plain);
    QPalette palette = c.RichTextBox1->palette();
    palette.setColor(QPalette::Text, Qt::black);
    c.RichTextBox1->setPalette(palette);

    connect(c.List1, &QListWidget::itemClicked, this, &ArticleView::open);
    // Enter opens too; where a style activates on a single click, the click
    // has already opened the article and hidden the list.
    connect(c.List1, &QListWidget::itemActivated, this, [this] {
        if (m_results.controls().List1->isVisible())
            open();
    });
    connect(c.HS1, &QScrollBar::valueChanged, this, &ArticleView::jumpTo);
    connect(c.HS1, &QScrollBar::sliderMoved, this, &ArticleView::jumpTo);
    connect(c.Command1, &QAbstractButton::clicked, this, &ArticleView::Command1_Click);
    connect(c.Command4, &QAbstractButton::clicked, c.WebBrowser1, &WebBrowser::goBack);
    connect(c.Command5, &QAbstractButton::clicked, c.WebBrowser1, &WebBrowser::goForward);

    QWidget *window = c.List1->window();
    auto *next = new QShortcut(QKeySequence(Qt::Key_F3), window);
    connect(next, &QShortcut::activated, this, &ArticleView::nextPlace);
    auto *previous = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), window);
    connect(previous, &QShortcut::activated, this, &ArticleView::previousPlace);
    // Esc goes back from an article to the list, as the back button does.
    auto *back = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    connect(back, &QShortcut::activated, this, [this] {
        if (m_results.view() != ResultsArea::View::List)
            Command1_Click();
    });
}

void ArticleView::open()
{
    const ResultsArea::Controls &c = m_results.controls();
    const QListWidgetItem *item = c.List1->currentItem();
    if (!item)
        return;
    // The busy notice may be saying that the last search was stopped: it says
    // so again once the article is open.
    const QString notice = m_busy->isVisible() ? m_busy->text() : QString();
    const QString busy = busyNoticeText();
    m_busy->setText(busy);
    m_busy->show();
    const QString name = item->text();
    const QString path = KnowledgeBase(m_dataFolder()).articlePath(name);

    c.WebBrowser1->navigate(path);

    if (KnowledgeBase::kindOf(name) == KnowledgeBase::Kind::PlainText) {
        m_jumpPos.clear();
        RichTextBox *box = c.RichTextBox1;
        // An article deleted or locked since the search shows as an empty
        // text, never as the previous article with its places.
        if (!box->loadFile(path, true)) {
            qCInfo(lcSearch).noquote() << "article not read:" << path;
            box->setText(QString());
        }
        const QString shownText = box->text();

        // The control loads plain text unformatted, in its own font and colour
        // (the plain format, set above), so the whole text needs no second pass.

        // The places are found in the article's own text, as the search finds
        // them, and then placed in the control's, which breaks long lines.
        const FileHead::Head head = FileHead::read(path, RichTextBox::maxTextBytes);
        const QString text = head.readable ? TextCodec::decode(head.bytes) : QString();
        const ShownOffsets shown(text, shownText);
        const bool wordMode = m_state.Adv_Mode;
        const ItemTable &items = wordMode ? m_state.Words : m_state.Phrases;
        const Highlights found = shown.matches()
            ? shown.map(Highlights::compute(text.left(shown.shownLength()), items, wordMode, m_state.Search_Int))
            : Highlights::compute(shownText, items, wordMode, m_state.Search_Int);
        for (const Highlights::Mark &mark : found.marks) {
            box->setSelStart(int(mark.offset));
            box->setSelLength(int(mark.length));
            box->setSelFormat(kFoundColour, kPoints, true, false);
        }
        m_jumpPos = found.jumps;
        if (box->isCut())
            box->setNotice(box->notice()
                           + QStringLiteral(" Найденные места выделены в этом начале статьи (%1); поиск просматривает "
                                            "её целиком.")
                                 .arg(found.found));

        box->setSelStart(m_jumpPos.isEmpty() ? 0 : int(m_jumpPos.first()));
        box->setSelLength(0);
        // The bar keeps its position; one beyond the new maximum moves to it,
        // and that move jumps to the place.
        c.HS1->setMinimum(0);
        c.HS1->setMaximum(int(std::min<qint64>(found.found - 1, kMaxJumpIndex)));
        m_results.show(ResultsArea::View::TextArticle);
        // F3 works at once, and typing never lands in another box.
        box->setFocus();
    } else {
        m_results.show(ResultsArea::View::BrowserArticle);
        c.WebBrowser1->setFocus();
    }
    if (!notice.isEmpty() && notice != busy)
        m_busy->setText(notice);
    else
        m_busy->hide();
}

void ArticleView::Command1_Click()
{
    m_results.show(ResultsArea::View::List);
    // The user goes on in the list, at the article just read.
    m_results.controls().List1->setFocus();
}

void ArticleView::jumpTo(int value)
{
    if (value >= 0 && value < m_jumpPos.size()) {
        RichTextBox *box = m_results.controls().RichTextBox1;
        box->setSelStart(int(m_jumpPos[value]));
        box->setSelLength(0);
    }
}

void ArticleView::nextPlace()
{
    QScrollBar *bar = m_results.controls().HS1;
    if (bar->isVisible() && bar->value() < bar->maximum())
        bar->setValue(bar->value() + 1);
}

void ArticleView::previousPlace()
{
    QScrollBar *bar = m_results.controls().HS1;
    if (bar->isVisible() && bar->value() > std::max(0, bar->minimum()))
        bar->setValue(bar->value() - 1);
}
