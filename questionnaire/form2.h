#pragma once

#include <QPlainTextEdit>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class WorkbookReader;
class QLabel;
class QListWidget;
class QPushButton;

// The questionnaire window: the topic list, then the questions of each chosen
// topic one at a time. The whole run is Doing, which waits for the user by
// yielding to the event loop, so the main window stays usable meanwhile.
class Form2 : public QWidget
{
    Q_OBJECT
public:
    using ReaderFactory = std::function<std::unique_ptr<WorkbookReader>()>;

    explicit Form2(QWidget *parent = nullptr);
    ~Form2() override;

    // Where the results of the chosen answers are appended.
    void setResultText(QPlainTextEdit *text) { m_resultText = text; }
    // Every topic gets a reader of its own from here.
    void setReaderFactory(ReaderFactory factory) { m_readerFactory = std::move(factory); }

    // Runs one questionnaire, from the topic choice to its end; the window is
    // hidden when it returns. A call while a run is waiting only brings the
    // window to the front: runs never nest.
    void Doing();
    bool isRunning() const { return m_running; }

    static constexpr int maxAnswers = 1001;

    QLabel *Label1;
    QListWidget *List2; // topics
    QListWidget *List1; // answers
    QPushButton *Command2; // next
    QPushButton *Command3; // stop

    bool NextFlag = false;
    bool StopFlag = false;

Q_SIGNALS:
    // The run has started waiting for "Далее" or "Хватит".
    void waiting();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void listTopics();
    // False when the run must end: the user stopped or the workbook is unreadable.
    bool runTopic(const QString &topic);
    void waitForUser();
    bool stopped() const;
    void appendResult(const QString &result);
    void stop();

    QPointer<QPlainTextEdit> m_resultText;
    ReaderFactory m_readerFactory;
    bool m_running = false;
};
