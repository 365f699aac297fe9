#pragma once

#include <QList>
#include <QObject>

#include <functional>

class QLabel;
class ResultsArea;
struct SearchState;

// Opens a listed article in place of the results list: a plain-text article in
// the text view with every found place bold blue and the jump bar over the
// places, any other in the browser view with back and forward.
class ArticleView : public QObject
{
    Q_OBJECT
public:
    // results: the list and the article controls; busy: the busy notice.
    ArticleView(ResultsArea &results, QLabel *busy, const SearchState &state, std::function<QString()> dataFolder,
                QObject *parent = nullptr);

    // The click on the results list List1: opens the selected article.
    void open();
    // The back button Command1: back to the results list.
    void Command1_Click();

    // The found places of the article on show, as 0-based offsets; the jump
    // bar HS1 goes from one to the next.
    const QList<qint64> &Jump_Pos() const { return m_jumpPos; }

    // F3 and Shift+F3: the next and the previous found place.
    void nextPlace();
    void previousPlace();

private:
    void jumpTo(int value);

    ResultsArea &m_results;
    QLabel *m_busy;
    const SearchState &m_state;
    std::function<QString()> m_dataFolder;
    QList<qint64> m_jumpPos;
};
