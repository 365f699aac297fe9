#include "controls/xpcheckbox.h"
#include "layout/formlayout.h"
#include "platform/testsupport/fakedialogs.h"
#include "platform/testsupport/temporaryinstallation.h"
#include "platform/textcodec.h"
#include "platform/widgets/lineshape.h"
#include "platform/widgets/richtextbox.h"
#include "platform/widgets/webbrowser.h"
#include "search/searchtool.h"
#include "search/ui/articleview.h"
#include "search/ui/busynotice.h"
#include "search/ui/resultsarea.h"
#include "search/ui/searchpanel.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleHints>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextStream>

#include <sys/stat.h>

Q_DECLARE_METATYPE(ResultsArea::View)

namespace {

// Records where a line ended each time it was painted.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(LineShape *line)
        : m_line(line)
    {
        line->installEventFilter(this);
    }
    QList<int> ends;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ends << m_line->x2Twips();
        return false;
    }

private:
    LineShape *m_line;
};

} // namespace

// The search panel, the results area and the article view on a bare window of
// their own, without the main window around them.
class TestSearchUi : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_install = std::make_unique<TemporaryInstallation>();
        QVERIFY(m_install->isValid());
        QVERIFY(QDir(m_install->program.path()).mkdir(QStringLiteral("Data")));
        m_dialogs = std::make_unique<FakeDialogs>();

        m_window = std::make_unique<QWidget>();
        m_window->resize(1000, 700);
        auto *w = m_window.get();
        m_query = new QPlainTextEdit(w);
        m_search = new QPushButton(w);
        m_wordMode = new xpcheckbox(w);
        m_wordMode->setValue(1);
        m_list = new QListWidget(w);
        m_text = new RichTextBox(w);
        m_browser = new WebBrowser(w);
        m_bar = new QScrollBar(Qt::Horizontal, w);
        m_back = new QPushButton(w);
        m_browserBack = new QPushButton(w);
        m_browserForward = new QPushButton(w);
        m_busy = new QLabel(w);
        const QLine track = FormLayout::form1().lineTwips(u"Line2");
        m_line2 = new LineShape(Qt::black, 10, w);
        m_line2->setLineTwips(track.x1(), track.y1(), track.x2(), track.y2());
        m_line1 = new LineShape(Qt::blue, 10, w);
        m_line1->setLineTwips(track.x1(), track.y1(), track.x2(), track.y2());

        m_area = std::make_unique<ResultsArea>(
            ResultsArea::Controls{m_list, m_text, m_browser, m_bar, m_back, m_browserBack, m_browserForward});
        const auto data = [this] { return m_install->program.filePath(QStringLiteral("Data")); };
        m_state = std::make_unique<SearchState>();
        m_panel = new SearchPanel({w, m_query, m_search, m_wordMode, m_area.get(), m_line1, m_line2, m_busy}, *m_state,
                                  data, *m_dialogs, w);
        m_view = new ArticleView(*m_area, m_busy, *m_state, data, w);
        m_area->show(ResultsArea::View::List);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup()
    {
        m_window.reset();
        m_state.reset();
        m_area.reset();
        m_dialogs.reset();
        m_install.reset();
    }

    void eachViewShowsItsControlsAlone_data()
    {
        QTest::addColumn<ResultsArea::View>("view");
        QTest::addColumn<QString>("shown");
        QTest::newRow("list") << ResultsArea::View::List << QStringLiteral("list");
        QTest::newRow("text article") << ResultsArea::View::TextArticle << QStringLiteral("text bar back");
        QTest::newRow("browser article") << ResultsArea::View::BrowserArticle
                                         << QStringLiteral("browser browserBack browserForward back");
    }
    void eachViewShowsItsControlsAlone()
    {
        QFETCH(ResultsArea::View, view);
        QFETCH(QString, shown);
        // From every other view, so nothing of the previous one stays.
        for (ResultsArea::View from :
             {ResultsArea::View::List, ResultsArea::View::TextArticle, ResultsArea::View::BrowserArticle}) {
            m_area->show(from);
            m_area->show(view);
            QCOMPARE(visibleControls(), shown);
        }
    }

    void wordSearchListsMatchesAndFillsTheTrack()
    {
        article("a.txt", u"линия жизни длинная");
        article("b.txt", u"ничего общего");
        article("c.txt", u"жизни линия");
        PaintWatch painted(m_line1);
        const QStringList found = search(QStringLiteral("линия жизни"));
        QCOMPARE(found, (QStringList{QStringLiteral("a.txt")}));
        const int trackEnd = FormLayout::form1().lineTwips(u"Line2").x2();
        QCOMPARE(m_line1->x2Twips(), trackEnd);
        // The full track was on screen before the bar was hidden.
        QVERIFY(!painted.ends.isEmpty());
        QCOMPARE(painted.ends.last(), trackEnd);
        QVERIFY(m_line1->isHidden());
        QVERIFY(m_busy->isHidden());
        QVERIFY(m_dialogs->messages.isEmpty());
    }

    void phraseSearchWithoutMatchSaysSoAndLeavesTheBarShort()
    {
        article("a.txt", u"линия жизни");
        m_wordMode->setValue(0);
        QVERIFY(search(QStringLiteral("линия ума")).isEmpty());
        QCOMPARE(m_dialogs->messages.size(), 1);
        QCOMPARE(m_dialogs->messages.first().text, QStringLiteral("Ничего не найдено!"));
        // The bar grows from 315 by the distance from its start to the save-text button.
        const FormLayout &form = FormLayout::form1();
        QCOMPARE(m_line1->x2Twips(), 315 + form.twips(u"Command7").left() - form.lineTwips(u"Line1").x1());
    }

    // The second press of a double click belongs to the first and stops nothing.
    void aDoubleClickRunsTheWholeSearch()
    {
        const int files = manyArticles(true);
        const int interval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
        QGuiApplication::styleHints()->setMouseDoubleClickInterval(60000);
        QSignalSpy finished(m_panel, &SearchPanel::finished);
        m_query->setPlainText(QStringLiteral("линия жизни"));
        m_search->click();
        QVERIFY(m_panel->isRunning());
        m_search->click();
        QVERIFY(finished.wait(20000));
        QGuiApplication::styleHints()->setMouseDoubleClickInterval(interval);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(m_list->count(), files);
        QVERIFY(m_busy->isHidden());
        QVERIFY(m_dialogs->messages.isEmpty());
    }

    // A run the user stopped says so and never that nothing was found.
    void aStoppedRunSaysSo_data()
    {
        QTest::addColumn<bool>("matching");
        QTest::newRow("stopped among matches") << true;
        QTest::newRow("stopped before any match") << false;
    }
    void aStoppedRunSaysSo()
    {
        QFETCH(bool, matching);
        const int files = manyArticles(matching);
        const int interval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
        QGuiApplication::styleHints()->setMouseDoubleClickInterval(0);
        QSignalSpy finished(m_panel, &SearchPanel::finished);
        m_query->setPlainText(QStringLiteral("линия жизни"));
        m_search->click();
        m_search->click();
        QVERIFY(finished.wait(20000));
        QGuiApplication::styleHints()->setMouseDoubleClickInterval(interval);
        QVERIFY(m_list->count() < files);
        QVERIFY(m_busy->isVisible());
        QCOMPARE(m_busy->text(), SearchPanel::stoppedNotice());
        QVERIFY(m_busy->toolTip().startsWith(QStringLiteral("Поиск остановлен")));
        QVERIFY(m_dialogs->messages.isEmpty());
        // The next run starts afresh.
        m_search->click();
        QCOMPARE(m_busy->text(), busyNoticeText());
        QVERIFY(finished.wait(20000));
    }

    // A press for another query or mode during a run stops it and runs the
    // new one: the list then holds the new query's matches alone, and nothing
    // is said of the run it replaced.
    void anotherQueryDuringARunRunsInstead_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<bool>("wordMode");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("another query") << QStringLiteral("хиромантия редкость") << true
                                       << QStringList{QStringLiteral("z.txt")};
        QTest::newRow("another mode") << QStringLiteral("линия жизни") << false << QStringList();
        QTest::newRow("another query, nothing found") << QStringLiteral("фаланга") << true << QStringList();
    }
    void anotherQueryDuringARunRunsInstead()
    {
        QFETCH(QString, query);
        QFETCH(bool, wordMode);
        QFETCH(QStringList, found);
        const int interval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
        QGuiApplication::styleHints()->setMouseDoubleClickInterval(60000);
        // Matches of the first query in word mode only: a comma splits phrases.
        for (int i = 0; i < 3000; ++i)
            article(QStringLiteral("%1.txt").arg(i, 5, 10, QLatin1Char('0')).toUtf8().constData(), u"линия, жизни");
        article("z.txt", u"хиромантия редкость");
        QSignalSpy finished(m_panel, &SearchPanel::finished);
        m_query->setPlainText(QStringLiteral("линия жизни"));
        m_search->click();
        QVERIFY(m_panel->isRunning());
        m_query->setPlainText(query);
        m_wordMode->setValue(wordMode ? 1 : 0);
        // Within the double-click interval, too.
        m_search->click();
        QVERIFY(finished.wait(20000));
        QGuiApplication::styleHints()->setMouseDoubleClickInterval(interval);
        QTest::qWait(50);
        QCOMPARE(finished.count(), 1);
        QStringList names;
        for (int i = 0; i < m_list->count(); ++i)
            names << m_list->item(i)->text();
        QCOMPARE(names, found);
        QCOMPARE(m_state->Adv_Mode, wordMode);
        QCOMPARE(m_busy->isVisible(), false);
        QCOMPARE(m_dialogs->messages.size(), found.isEmpty() ? 1 : 0);
    }

    // A web page opened while the search still runs stays on show when it ends.
    void aPageOpenedDuringARunStaysOpen()
    {
        manyArticles(true);
        // Visited first: "." sorts before digits.
        article("0.htm", u"<html><body><p>линия жизни</p></body></html>");
        QSignalSpy finished(m_panel, &SearchPanel::finished);
        // Opened as soon as it is listed: the run's end is still to come.
        bool runningWhenOpened = false;
        const auto opener = connect(m_list->model(), &QAbstractItemModel::rowsInserted, this, [&] {
            if (m_area->view() != ResultsArea::View::List)
                return;
            runningWhenOpened = m_panel->isRunning();
            m_list->setCurrentRow(0);
            m_view->open();
        });
        m_query->setPlainText(QStringLiteral("линия жизни"));
        m_search->click();
        QVERIFY(finished.wait(20000));
        disconnect(opener);
        QVERIFY(runningWhenOpened);
        QCOMPARE(m_list->item(0)->text(), QStringLiteral("0.htm"));
        QCOMPARE(m_area->view(), ResultsArea::View::BrowserArticle);
        QVERIFY2(m_browser->documentText().contains(QStringLiteral("линия жизни")),
                 qPrintable(m_browser->documentText()));
        // Closed and searched again, the browser starts afresh as before.
        m_back->click();
        QCOMPARE(search(QStringLiteral("линия жизни")).first(), QStringLiteral("0.htm"));
        QVERIFY(!m_browser->documentText().contains(QStringLiteral("линия жизни")));
    }

    // Articles the search could not read are named once, under the list, never
    // in a box of their own; a UTF-16 article is read and shown.
    void unreadArticlesAreNamedOnce()
    {
        // The notice as wide as the window has it.
        m_busy->setGeometry(FormLayout::form1().pixels(u"Label1"));
        article("a.txt", u"линия жизни");
        const QString data = m_install->program.filePath(QStringLiteral("Data"));
        const QByteArray pipe = QFile::encodeName(data + QStringLiteral("/b.txt"));
        QCOMPARE(::mkfifo(pipe.constData(), 0644), 0);
        QVERIFY(QFile::link(data + QStringLiteral("/nowhere.txt"), data + QStringLiteral("/c.txt")));
        QByteArray utf16("\xFF\xFE");
        for (QChar ch : QStringLiteral("и тут линия жизни"))
            utf16 += QByteArray(reinterpret_cast<const char *>(&ch), 2);
        QFile e(data + QStringLiteral("/e.txt"));
        QVERIFY(e.open(QIODevice::WriteOnly));
        e.write(utf16);
        e.close();
        QCOMPARE(search(QStringLiteral("линия жизни")),
                 (QStringList{QStringLiteral("a.txt"), QStringLiteral("e.txt")}));
        QVERIFY(m_dialogs->messages.isEmpty());
        QVERIFY(m_busy->isVisible());
        QVERIFY2(m_busy->text().startsWith(QStringLiteral("Не прочитано: 2 — b")), qPrintable(m_busy->text()));
        QCOMPARE(m_busy->toolTip(), SearchPanel::unreadNotice(2, {QStringLiteral("b.txt"), QStringLiteral("c.txt")}));
        QCOMPARE(SearchPanel::unreadNotice(2, {QStringLiteral("b.txt"), QStringLiteral("c.txt")}),
                 QStringLiteral("Не удалось прочитать статей: 2 (b.txt, c.txt)"));
        m_list->setCurrentRow(1);
        m_view->open();
        QCOMPARE(m_text->text(), QStringLiteral("и тут линия жизни"));
        QCOMPARE(m_view->Jump_Pos(), QList<qint64>{6});
        // The next run with nothing unread says nothing.
        QVERIFY(QFile::remove(QString::fromLocal8Bit(pipe)));
        QVERIFY(QFile::remove(data + QStringLiteral("/c.txt")));
        QCOMPARE(search(QStringLiteral("линия жизни")).size(), 2);
        QVERIFY(m_busy->isHidden());
    }

    // A paragraph on one line, far longer than the view lays out as one: every
    // place the command-line --show reports is highlighted in the view and
    // reached by F3, a phrase across the view's break and a word broken inside.
    void longLinesShowEveryFoundPlace_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<bool>("wordMode");
        QTest::newRow("phrase across a break") << QStringLiteral("линия жизни") << false;
        QTest::newRow("word broken inside") << QStringLiteral("хиромантия") << true;
    }
    void longLinesShowEveryFoundPlace()
    {
        QFETCH(QString, query);
        QFETCH(bool, wordMode);
        // The first break comes after the blank of «линия »; the second, with
        // no place to break near it, inside «хиромантия».
        const QString text = QStringLiteral("абвгд ").repeated(299) + QStringLiteral("линия жизни ")
            + QString(1990, u'а') + QStringLiteral("хиромантия и хиромантия, линия жизни. ")
            + QStringLiteral("слово ").repeated(170);
        QVERIFY(text.size() >= 4800);
        article("long.txt", text);
        m_wordMode->setValue(wordMode ? 1 : 0);
        QCOMPARE(search(query), QStringList{QStringLiteral("long.txt")});
        m_list->setCurrentRow(0);
        m_view->open();
        const QString shown = m_text->text();
        QVERIFY2(shown.count(u'\n') >= 2, "the view broke the line");
        QVERIFY(shown.contains(QStringLiteral("линия \nжизни")) || !wordMode);

        // The view's places, as offsets of the article (every line feed is the view's own).
        const auto articleOffset = [&shown](int offset) { return qint64(offset - shown.left(offset).count(u'\n')); };
        QSet<qint64> viewMarked;
        for (QTextBlock block = m_text->document()->begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment f = it.fragment();
                if (!f.charFormat().font().bold() || f.charFormat().foreground().color() != QColor(0, 0, 255))
                    continue;
                for (int p = f.position(); p < f.position() + f.length(); ++p) {
                    const int offset = m_text->toTextOffset(p);
                    if (shown[offset] != u'\n')
                        viewMarked.insert(articleOffset(offset));
                }
            }
        }
        QList<qint64> viewJumps;
        for (qint64 jump : m_view->Jump_Pos())
            viewJumps << articleOffset(int(jump));

        // What palmora-search --show reports.
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        QStringList args{QStringLiteral("palmora-search"),
                         QStringLiteral("--data"),
                         m_install->program.filePath(QStringLiteral("Data")),
                         QStringLiteral("--show"),
                         QStringLiteral("long.txt"),
                         query};
        if (!wordMode)
            args.insert(1, QStringLiteral("--phrase"));
        QCOMPARE(SearchTool::run(args, m_install->installation(), outStream, errStream, QLocale::c()), 0);
        QList<qint64> toolJumps;
        QSet<qint64> toolMarked;
        for (const QString &line : out.split(u'\n', Qt::SkipEmptyParts)) {
            const QStringList f = line.split(u' ');
            if (f[0] == QLatin1String("jump"))
                toolJumps << f[1].toLongLong();
            else
                for (qint64 p = f[1].toLongLong(); p < f[1].toLongLong() + f[2].toLongLong(); ++p)
                    toolMarked.insert(p);
        }
        QCOMPARE(toolJumps.size(), 2);
        QCOMPARE(viewJumps, toolJumps);
        QCOMPARE(viewMarked, toolMarked);

        // F3 reaches each place in turn.
        m_bar->setValue(0);
        QList<qint64> reached{articleOffset(m_text->selStart())};
        for (int i = 1; i < toolJumps.size(); ++i) {
            m_view->nextPlace();
            reached << articleOffset(m_text->selStart());
        }
        QCOMPARE(reached, toolJumps);
    }

    void theStatesIntervalRulesTheRunAndTheView_data()
    {
        QTest::addColumn<qint64>("interval");
        QTest::addColumn<bool>("found");
        QTest::newRow("default, too short") << SearchInterval::kDefault << false;
        QTest::newRow("wide enough") << qint64(200) << true;
    }
    void theStatesIntervalRulesTheRunAndTheView()
    {
        QFETCH(qint64, interval);
        QFETCH(bool, found);
        // The second word starts 156 characters after the first.
        article("a.txt", QStringLiteral("линия ") + QString(150, u'x') + QStringLiteral(" жизни"));
        m_state->Search_Int = interval;
        const QStringList names = search(QStringLiteral("линия жизни"));
        QCOMPARE(names.size(), found ? 1 : 0);
        if (found) {
            m_list->setCurrentRow(0);
            m_view->open();
            QCOMPARE(m_view->Jump_Pos(), QList<qint64>{0});
        }
    }

    void openingAnArticleAndGoingBack()
    {
        article("a.txt", u"начало линия жизни, потом линия и жизни");
        QCOMPARE(search(QStringLiteral("линия жизни")), QStringList{QStringLiteral("a.txt")});
        m_list->setCurrentRow(0);
        m_view->open();
        QCOMPARE(m_area->view(), ResultsArea::View::TextArticle);
        QCOMPARE(m_view->Jump_Pos(), (QList<qint64>{7, 26}));
        QCOMPARE(m_bar->maximum(), 1);
        m_back->click();
        QCOMPARE(m_area->view(), ResultsArea::View::List);
        QCOMPARE(visibleControls(), QStringLiteral("list"));
    }

    void anArticleGoneSinceTheSearchShowsEmptyAndPlain()
    {
        article("a.txt", u"линия жизни");
        article("b.txt", u"и тут линия жизни");
        QCOMPARE(search(QStringLiteral("линия жизни")),
                 (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt")}));
        m_list->setCurrentRow(0);
        m_view->open();
        QCOMPARE(m_text->text(), QStringLiteral("линия жизни"));
        m_back->click();
        QVERIFY(QFile::remove(m_install->program.filePath(QStringLiteral("Data/b.txt"))));
        m_list->setCurrentRow(1);
        m_view->open();
        QCOMPARE(m_area->view(), ResultsArea::View::TextArticle);
        QCOMPARE(m_text->text(), QString());
        QVERIFY(m_view->Jump_Pos().isEmpty());
        QTextCursor cursor(m_text->document());
        QVERIFY(!cursor.charFormat().font().bold());
        QVERIFY(cursor.charFormat().foreground().color() != QColor(0, 0, 255));
    }

    void theOpenedArticleTakesTheKeyboard_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("text article") << QStringLiteral("a.txt");
        QTest::newRow("browser article") << QStringLiteral("a.htm");
    }
    void theOpenedArticleTakesTheKeyboard()
    {
        QFETCH(QString, name);
        article(name.toLatin1().constData(), u"линия жизни");
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        m_query->setFocus();
        QCOMPARE(search(QStringLiteral("линия жизни")), QStringList{name});
        m_list->setCurrentRow(0);
        m_view->open();
        QWidget *expected = name.endsWith(QLatin1String(".txt")) ? static_cast<QWidget *>(m_text) : m_browser;
        QCOMPARE(QApplication::focusWidget(), expected);
    }

    // An article far beyond what the view lays out: found by the search all
    // the same, opened at its beginning with the places found there, under a
    // notice that says so.
    void aHugeArticleOpensAtItsBeginning()
    {
        QString text = QStringLiteral("линия жизни в начале. ");
        const QString filler = QStringLiteral("текст без искомых слов. ");
        while (text.size() < 3 * 1024 * 1024)
            text += filler;
        text += QStringLiteral("и линия жизни в конце");
        article("huge.txt", text);
        QCOMPARE(search(QStringLiteral("жизни в конце")), QStringList{QStringLiteral("huge.txt")});
        QCOMPARE(search(QStringLiteral("линия жизни")), QStringList{QStringLiteral("huge.txt")});
        m_list->setCurrentRow(0);
        m_view->open();
        QCOMPARE(m_area->view(), ResultsArea::View::TextArticle);
        QVERIFY(m_text->isCut());
        QCOMPARE(m_view->Jump_Pos(), QList<qint64>{0});
        QCOMPARE(m_text->notice(),
                 QStringLiteral("Файл слишком велик, чтобы показать его целиком (3,0 МБ): показано его начало. "
                                "Найденные места выделены в этом начале статьи (1); поиск просматривает её целиком."));
    }

    void anyOtherArticleOpensInTheBrowser()
    {
        article("a.htm", u"<html><body>линия жизни</body></html>");
        QCOMPARE(search(QStringLiteral("линия жизни")), QStringList{QStringLiteral("a.htm")});
        m_list->setCurrentRow(0);
        m_view->open();
        QCOMPARE(visibleControls(), QStringLiteral("browser browserBack browserForward back"));
    }

private:
    // Enough articles that a run takes a while; how many.
    int manyArticles(bool matching)
    {
        const int files = 3000;
        for (int i = 0; i < files; ++i)
            article(QStringLiteral("%1.txt").arg(i, 5, 10, QLatin1Char('0')).toUtf8().constData(),
                    matching ? u"линия жизни" : u"ничего общего");
        return files;
    }
    void article(const char *name, QStringView text)
    {
        QFile file(m_install->program.filePath(QStringLiteral("Data/") + QLatin1String(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(TextCodec::toCp1251(text));
    }
    QStringList search(const QString &query)
    {
        QSignalSpy finished(m_panel, &SearchPanel::finished);
        m_query->setPlainText(query);
        m_search->click();
        if (!finished.wait(10000))
            return {QStringLiteral("<the run did not finish>")};
        QStringList names;
        for (int i = 0; i < m_list->count(); ++i)
            names << m_list->item(i)->text();
        return names;
    }
    QString visibleControls() const
    {
        const std::pair<QWidget *, const char *> all[] = {
            {m_list, "list"},
            {m_text, "text"},
            {m_bar, "bar"},
            {m_browser, "browser"},
            {m_browserBack, "browserBack"},
            {m_browserForward, "browserForward"},
            {m_back, "back"},
        };
        QStringList shown;
        for (const auto &[control, name] : all) {
            if (control->isVisible())
                shown << QLatin1String(name);
        }
        return shown.join(QLatin1Char(' '));
    }

    std::unique_ptr<TemporaryInstallation> m_install;
    std::unique_ptr<FakeDialogs> m_dialogs;
    std::unique_ptr<QWidget> m_window;
    std::unique_ptr<ResultsArea> m_area;
    std::unique_ptr<SearchState> m_state;
    QPlainTextEdit *m_query = nullptr;
    QPushButton *m_search = nullptr;
    xpcheckbox *m_wordMode = nullptr;
    QListWidget *m_list = nullptr;
    RichTextBox *m_text = nullptr;
    WebBrowser *m_browser = nullptr;
    QScrollBar *m_bar = nullptr;
    QPushButton *m_back = nullptr;
    QPushButton *m_browserBack = nullptr;
    QPushButton *m_browserForward = nullptr;
    QLabel *m_busy = nullptr;
    LineShape *m_line1 = nullptr;
    LineShape *m_line2 = nullptr;
    SearchPanel *m_panel = nullptr;
    ArticleView *m_view = nullptr;
};

QTEST_MAIN(TestSearchUi)
#include "tst_searchui.moc"
