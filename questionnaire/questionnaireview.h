#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What the questionnaire engine asks of its window, phase by phase. The
// questionnaire window implements it; tests play the user through a fake.
class QuestionnaireView
{
public:
    virtual ~QuestionnaireView() = default;

    // Phase 1: the topics to choose from, with "Далее" and "Хватит".
    virtual void showTopics(const QStringList &topics) = 0;
    // The chosen topics, in list order.
    virtual QStringList chosenTopics() const = 0;
    // Phase 2: "Подождите..." while the run starts; no button shows.
    virtual void showWait() = 0;
    // A topic's workbook is being opened: "Далее" goes until its first question.
    virtual void beginTopic() = 0;
    // Phase 3: one question and its answers, with "Далее" and "Хватит".
    virtual void showQuestion(const QString &question, const QStringList &answers) = 0;
    // The chosen answers' rows, ascending.
    virtual QList<int> chosenAnswers() const = 0;
    // The workbook of a topic cannot be read.
    virtual void reportUnreadable(const QString &topic, const QString &path, const QString &error) = 0;
    // A chosen answer's result, for the result text.
    virtual void appendResult(const QString &result) = 0;

    // The run starts waiting for "Далее" or "Хватит".
    virtual void waitingForUser() = 0;
    // One turn of the event loop while waiting: returns once something happened.
    virtual void waitForEvents() = 0;

    // The run has ended or been stopped.
    virtual void hideWindow() = 0;
    // A second launch while a run waits.
    virtual void bringToFront() = 0;
};
