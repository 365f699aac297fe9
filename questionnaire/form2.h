#pragma once

#include "platform/installation.h"
#include "questionnaire/questionnaireengine.h"
#include "questionnaire/questionnaireview.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <QWidget>

class AutoResize;
class Dialogs;
class QAbstractButton;
class QLabel;
class QListWidget;
class xp_canvas;

// The questionnaire window: the topic list, then the questions of each chosen
// topic one at a time. The run itself is the questionnaire engine; the window
// shows what it asks and passes the user's choices and clicks back.
class Form2 : public QWidget, private QuestionnaireView
{
    Q_OBJECT
public:
    using ReaderFactory = QuestionnaireEngine::ReaderFactory;

    // The topics are read from the installation's Anketa folder, each by a
    // reader of its own from readers; one that cannot be read is reported
    // through dialogs.
    Form2(const Installation &installation, Dialogs &dialogs, ReaderFactory readers = QuestionnaireEngine::xlsReaders(),
          QWidget *parent = nullptr);
    ~Form2() override;

    // Where the results of the chosen answers are appended.
    void setResultText(QPlainTextEdit *text) { m_resultText = text; }

    // Shows the window at a screen position, as a launch leaves it before the
    // run: the prompt, no answers, no buttons.
    void present(const QPoint &position);

    // Runs one questionnaire (see QuestionnaireEngine::Doing).
    void Doing() { m_engine.Doing(); }
    bool isRunning() const { return m_engine.isRunning(); }
    QuestionnaireEngine &engine() { return m_engine; }

    static constexpr int maxAnswers = QuestionnaireEngine::maxAnswers;

Q_SIGNALS:
    // The run has started waiting for "Далее" or "Хватит".
    void waiting();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The window's controls, under their layout names.
    xp_canvas *xp_canvas1; // the skinned frame and title bar
    // Keeps the controls in proportion when the border strips resize the window.
    AutoResize *Resize;
    QLabel *Label1;            // the prompt, then each question
    QListWidget *List2;        // the topics to choose
    QListWidget *List1;        // the question's answers to choose
    QAbstractButton *Command2; // "Далее": next
    QAbstractButton *Command3; // "Хватит": stop

    void showTopics(const QStringList &topics) override;
    QStringList chosenTopics() const override;
    void showWait() override;
    void beginTopic() override;
    void showQuestion(const QString &question, const QStringList &answers) override;
    QList<int> chosenAnswers() const override;
    void reportUnreadable(const QString &topic, const QString &path, const QString &error) override;
    void appendResult(const QString &result) override;
    void waitingForUser() override;
    void waitForEvents() override;
    void hideWindow() override;
    void bringToFront() override;
    void focusList(QListWidget *list);

    Dialogs &m_dialogs;
    QPointer<QPlainTextEdit> m_resultText;
    QuestionnaireEngine m_engine;
};
