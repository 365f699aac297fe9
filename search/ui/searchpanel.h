#pragma once

#include "search/ui/searchstate.h"

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

class Dialogs;
class LineShape;
class QAbstractButton;
class QLabel;
class QPlainTextEdit;
class QThread;
class QWidget;
class ResultsArea;

// The search run in the main window: the query box and the search button start
// it, the busy notice and the progress bar show it, and the results list grows
// in visiting order. The run goes on a thread of its own, with the articles
// read and tested on a pool of workers, so the window stays responsive and a
// second press of the button stops the run.
class SearchPanel : public QObject
{
    Q_OBJECT
public:
    struct Controls
    {
        QWidget *window = nullptr;
        QPlainTextEdit *Text2 = nullptr;     // the query box
        QAbstractButton *Command2 = nullptr; // the search button
        QAbstractButton *Check1 = nullptr;   // checked: word mode
        ResultsArea *results = nullptr;
        LineShape *Line1 = nullptr; // the progress bar
        LineShape *Line2 = nullptr; // the progress track under it
        QLabel *Label1 = nullptr;   // the busy notice
    };

    // state: the window's search state, which outlives the panel; dataFolder:
    // where the articles are; dialogs: what says that nothing was found.
    SearchPanel(const Controls &controls, SearchState &state, std::function<QString()> dataFolder, Dialogs &dialogs,
                QObject *parent = nullptr);
    ~SearchPanel() override;

    const SearchState &state() const { return m_state; }
    bool isRunning() const { return m_thread != nullptr; }

    // The search button's click: starts a run. During a run, a press for the
    // same query and mode stops it unless it comes within the double-click
    // interval of the start; a press for another query or mode stops it and
    // then runs the new one.
    void Command2_Click();

    // What the busy notice reads after the user stopped a run short of its
    // end; its tooltip tells how far the run went.
    static QString stoppedNotice();

    // What the notice says when articles could not be read: how many and the
    // first of their names.
    static QString unreadNotice(int count, const QStringList &firstNames);
    // The names an unread notice names at most.
    static constexpr int kUnreadNamed = 3;

Q_SIGNALS:
    // A run has ended, stopped or not (after its message, if any).
    void finished();

private:
    void textChanged();
    void start();
    void step(int k, int n, const QStringList &matchedNames);
    void finish();
    void setBarEnd(int twips);
    void showUnread(const QString &before);

    Controls c;
    std::function<QString()> m_dataFolder;
    SearchState &m_state;
    Dialogs &m_dialogs;
    QThread *m_thread = nullptr;
    bool m_changingText = false;
    QElapsedTimer m_sinceStart;
    bool m_stoppedByUser = false;
    bool m_complete = false; // every article was searched
    int m_processed = 0;     // articles searched by a run that has ended
    int m_total = 0;
    // What the run under way searches for.
    QString m_runQuery;
    bool m_runWordMode = true;
    // The run under way is being stopped for another query, run next.
    bool m_restart = false;
    // Articles the run could not read, and the first of their names.
    int m_unread = 0;
    QStringList m_unreadNames;
};
