#pragma once

#include "questionnaire/questionnaireengine.h"
#include "questionnaire/questionnaireview.h"

#include <QList>
#include <QStringList>

// Plays the window and the user for the questionnaire engine: records what
// the engine shows, and at each wait chooses the next scripted rows and
// presses "Далее", or "Хватит" when the script says so or has run out.
class FakeQuestionnaireView final : public QuestionnaireView
{
public:
    struct Step
    {
        QList<int> rows;
        bool stop = false;
    };

    QuestionnaireEngine *engine = nullptr;
    QList<Step> steps;

    // What was shown: "topics: a|b", "wait", "question: Q [a|b]", "hidden", ...
    QStringList shown;
    QStringList results;
    QStringList reports;
    bool ranOut = false;
    int broughtToFront = 0;

    void showTopics(const QStringList &topics) override
    {
        m_topics = topics;
        shown << QStringLiteral("topics: ") + topics.join(QLatin1Char('|'));
    }
    QStringList chosenTopics() const override
    {
        QStringList chosen;
        for (int row : m_chosen)
            chosen << m_topics.value(row);
        return chosen;
    }
    void showWait() override { shown << QStringLiteral("wait"); }
    void beginTopic() override {}
    void showQuestion(const QString &question, const QStringList &answers) override
    {
        shown << QStringLiteral("question: %1 [%2]").arg(question, answers.join(QLatin1Char('|')));
    }
    QList<int> chosenAnswers() const override { return m_chosen; }
    void reportUnreadable(const QString &topic, const QString &, const QString &error) override
    {
        reports << topic + QStringLiteral(": ") + error;
    }
    void appendResult(const QString &result) override { results << result; }

    void waitingForUser() override
    {
        if (steps.isEmpty()) {
            ranOut = true; // never leave a run waiting for a user who is not there
            engine->stop();
            return;
        }
        const Step step = steps.takeFirst();
        m_chosen = step.rows;
        std::sort(m_chosen.begin(), m_chosen.end());
        if (step.stop)
            engine->stop();
        else
            engine->next();
    }
    void waitForEvents() override
    {
        // Every step answers at once; a wait that goes on is a fault.
        ranOut = true;
        engine->stop();
    }
    void hideWindow() override { shown << QStringLiteral("hidden"); }
    void bringToFront() override { ++broughtToFront; }

private:
    QStringList m_topics;
    QList<int> m_chosen;
};
