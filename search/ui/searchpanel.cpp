#include "search/ui/searchpanel.h"

#include "layout/formlayout.h"
#include "platform/widgets/dialogs.h"
#include "platform/widgets/lineshape.h"
#include "platform/widgets/richtextbox.h"
#include "platform/widgets/webbrowser.h"
#include "search/knowledgebase.h"
#include "search/searchrun.h"
#include "search/ui/busynotice.h"
#include "search/ui/resultsarea.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStyleHints>
#include <QThread>

#include <cmath>
#include <utility>

namespace {
// The bar's end starts at 315 twips and grows over a run by the distance from
// its start to the save-text button; the track ends where Line2 does.
constexpr int kBarStart = 315;
int barGrowth()
{
    const FormLayout &form = FormLayout::form1();
    return form.twips(u"Command7").left() - form.lineTwips(u"Line1").x1();
}
int trackEnd()
{
    return FormLayout::form1().lineTwips(u"Line2").x2();
}
// The worker reports progress, with the matches found since, at most this often.
constexpr qint64 kProgressEveryMs = 15;
} // namespace

SearchPanel::SearchPanel(const Controls &controls, SearchState &state, std::function<QString()> dataFolder,
                         Dialogs &dialogs, QObject *parent)
    : QObject(parent)
    , c(controls)
    , m_dataFolder(std::move(dataFolder))
    , m_state(state)
    , m_dialogs(dialogs)
{
    connect(c.Command2, &QAbstractButton::clicked, this, &SearchPanel::Command2_Click);
    connect(c.Text2, &QPlainTextEdit::textChanged, this, &SearchPanel::textChanged);
}

SearchPanel::~SearchPanel()
{
    // The program is ending: abandon the run.
    if (m_thread) {
        m_state.Search_Stop = true;
        m_thread->wait();
        delete m_thread;
    }
}

void SearchPanel::textChanged()
{
    if (m_changingText)
        return;
    const QString text = c.Text2->toPlainText();
    QString shortened = text;
    // Enter, or pasted lines: the breaks go and nothing takes their place.
    shortened.remove(QLatin1Char('\r')).remove(QLatin1Char('\n')).remove(QChar(0x2029)).remove(QChar(0x2028));
    if (shortened == text)
        return;
    m_changingText = true;
    c.Text2->setPlainText(shortened);
    c.Text2->moveCursor(QTextCursor::End);
    m_changingText = false;
    Command2_Click();
}

void SearchPanel::Command2_Click()
{
    // A second press while a run is under way stops it; a run never starts
    // inside another one. The second press of a double click is part of the
    // first and stops nothing.
    if (m_thread) {
        const bool same = c.Text2->toPlainText() == m_runQuery && c.Check1->isChecked() == m_runWordMode;
        if (!same) {
            // Another query: this run's matches are no answer to it.
            m_state.Search_Stop = true;
            m_restart = true;
            c.results->show(ResultsArea::View::List);
            c.results->controls().List1->clear();
        } else if (m_restart || m_sinceStart.elapsed() >= QGuiApplication::styleHints()->mouseDoubleClickInterval()) {
            m_state.Search_Stop = true;
            m_stoppedByUser = true;
            m_restart = false;
        }
        return;
    }

    c.results->show(ResultsArea::View::List);

    m_state.Adv_Mode = c.Check1->isChecked();
    start();
}

void SearchPanel::start()
{
    const QString query = c.Text2->toPlainText();
    c.Label1->setText(busyNoticeText());
    c.Label1->setToolTip(QString());
    if (query.isEmpty()) {
        c.Label1->hide();
        return;
    }

    c.Label1->show();
    c.results->show(ResultsArea::View::List);
    c.results->controls().List1->clear();
    c.Line1->show();
    c.Line2->show();
    setBarEnd(kBarStart);

    const bool wordMode = m_state.Adv_Mode;
    ItemTable items;
    if (wordMode) {
        m_state.Words = QuerySplit::Do_S(query);
        items = m_state.Words;
    } else {
        m_state.Phrases = QuerySplit::Do_P(query);
        items = m_state.Phrases;
    }
    const qint64 interval = m_state.Search_Int;
    m_state.Search_Stop = false;
    m_stoppedByUser = false;
    m_complete = false;
    m_processed = 0;
    m_total = 0;
    m_unread = 0;
    m_unreadNames.clear();
    m_runQuery = query;
    m_runWordMode = wordMode;
    m_sinceStart.start();

    const QString folder = m_dataFolder();
    m_thread = QThread::create([this, folder, items, wordMode, interval] {
        const KnowledgeBase base(folder);
        QElapsedTimer sinceReport;
        sinceReport.start();
        QStringList matched;
        int lastK = 0;
        int lastN = 0;
        int unread = 0;
        QStringList unreadNames;
        SearchRun::run(
            base, items, wordMode, interval,
            [this, &sinceReport, &matched, &lastK, &lastN, &unread, &unreadNames](const SearchRun::Step &s) {
                lastK = s.k;
                lastN = s.n;
                if (s.error != 0 && ++unread <= kUnreadNamed)
                    unreadNames << s.name;
                if (s.matched)
                    matched << s.name;
                // Matches go to the list in batches, in visiting order.
                if (s.k == s.n || sinceReport.elapsed() >= kProgressEveryMs) {
                    sinceReport.restart();
                    QMetaObject::invokeMethod(
                        this, [this, k = s.k, n = s.n, names = std::exchange(matched, {})] { step(k, n, names); },
                        Qt::QueuedConnection);
                }
                return !m_state.Search_Stop.load(std::memory_order_relaxed);
            },
            &m_state.Search_Stop);
        if (!matched.isEmpty()) // a stopped run still lists what it found
            QMetaObject::invokeMethod(
                this, [this, names = std::move(matched)] { step(0, 0, names); }, Qt::QueuedConnection);
        // Every article was searched: the last one was handed on (or there
        // were none and nothing stopped the run).
        const bool complete = lastK == lastN && (lastN > 0 || !m_state.Search_Stop);
        QMetaObject::invokeMethod(
            this,
            [this, complete, lastK, lastN, unread, names = std::move(unreadNames)] {
                m_complete = complete;
                m_processed = lastK;
                m_total = lastN;
                m_unread = unread;
                m_unreadNames = names;
            },
            Qt::QueuedConnection);
    });
    // Queued: the worker's last progress reports reach the list before the end.
    connect(m_thread, &QThread::finished, this, &SearchPanel::finish, Qt::QueuedConnection);
    m_thread->start();
}

void SearchPanel::step(int k, int n, const QStringList &matchedNames)
{
    // Matches of a run being stopped for another query would stand under it.
    if (m_restart)
        return;
    if (n > 0)
        setBarEnd(kBarStart + int(std::nearbyint(double(k) * barGrowth() / n)));
    c.results->controls().List1->addItems(matchedNames);
}

void SearchPanel::finish()
{
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    if (m_restart) {
        // Stopped for the query now in the box: that one runs instead, and
        // nothing is said of the one it replaces.
        m_restart = false;
        Command2_Click();
        return;
    }
    // Stopped by the user before the last article: what is listed is not all.
    const bool stopped = m_stoppedByUser && !m_complete;

    if (m_state.Adv_Mode && !stopped) {
        setBarEnd(trackEnd());
        // Drawn now, before the bar goes: the user sees the track filled.
        // A repaint rather than a yield, so no click can start a run half-way
        // through this one's end.
        c.Line1->repaint();
    }
    // A page the user opened during the run stays on show, its history with it.
    if (c.results->view() != ResultsArea::View::BrowserArticle)
        c.results->controls().WebBrowser1->navigate(QStringLiteral("about:blank"));
    c.Line1->hide();
    c.Line2->hide();
    if (stopped) {
        // The busy notice stays, saying that the list is not the whole answer.
        c.Label1->setText(stoppedNotice());
        c.Label1->setToolTip(
            m_total > 0 ? QStringLiteral("Поиск остановлен: просмотрено статей %1 из %2, показаны найденные среди них.")
                              .arg(m_processed)
                              .arg(m_total)
                        : QStringLiteral("Поиск остановлен до того, как была просмотрена первая статья."));
        showUnread(stoppedNotice() + QStringLiteral(". "));
        Q_EMIT finished();
        return;
    }
    if (c.results->controls().List1->count() == 0)
        m_dialogs.message(c.window, QStringLiteral("Ничего не найдено!"), Dialogs::Icon::None);
    if (m_unread > 0)
        showUnread(QString());
    else
        c.Label1->hide();
    Q_EMIT finished();
}

void SearchPanel::showUnread(const QString &before)
{
    if (m_unread == 0)
        return;
    // Once for the whole run, in the notice under the list: the count first,
    // then as many names as the notice holds; the whole text in its tooltip.
    const QString text = before + unreadNotice(m_unread, m_unreadNames);
    const QString tip = c.Label1->toolTip();
    c.Label1->setToolTip(tip.isEmpty() ? text : tip + u'\n' + text);
    const QString shortText =
        before + QStringLiteral("Не прочитано: %1 — %2").arg(m_unread).arg(m_unreadNames.join(QStringLiteral(", ")));
    c.Label1->setText(c.Label1->fontMetrics().elidedText(shortText, Qt::ElideRight, c.Label1->width()));
    c.Label1->show();
}

QString SearchPanel::unreadNotice(int count, const QStringList &firstNames)
{
    QString names = firstNames.mid(0, kUnreadNamed).join(QStringLiteral(", "));
    if (count > kUnreadNamed)
        names += QStringLiteral(" и др.");
    return QStringLiteral("Не удалось прочитать статей: %1 (%2)").arg(count).arg(names);
}

QString SearchPanel::stoppedNotice()
{
    return QStringLiteral("Поиск остановлен");
}

void SearchPanel::setBarEnd(int twips)
{
    c.Line1->setX2Twips(twips);
}
