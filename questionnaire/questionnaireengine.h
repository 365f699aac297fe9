#pragma once

#include "questionnaire/questionblocks.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QuestionnaireView;
class WorkbookReader;

// The questionnaire run, without a widget: lists the topics of the Anketa
// folder, lets the user choose some, then walks each chosen workbook row by
// row, one question at a time, and hands the results of the chosen answers on.
// It waits for the user by turning the event loop through its view, so the
// main window stays usable meanwhile.
class QuestionnaireEngine
{
public:
    using ReaderFactory = std::function<std::unique_ptr<WorkbookReader>()>;

    // The topics are the workbooks of topicsFolder (the installation's Anketa
    // folder); every topic gets a reader of its own from readers.
    QuestionnaireEngine(QuestionnaireView &view, QString topicsFolder, ReaderFactory readers);

    // The program's readers: each reads its topic's workbook file.
    static ReaderFactory xlsReaders();

    // Runs one questionnaire, from the topic choice to its end; the view is
    // hidden when it returns. A call while a run is waiting only brings the
    // view to the front: runs never nest.
    void Doing();
    bool isRunning() const { return m_running; }

    // "Далее" and "Хватит".
    void next() { NextFlag = true; }
    void stop();

    // The topics, as listed: the workbooks' names without their four-character
    // extension, in the order the articles are listed in.
    QStringList topics() const;
    // The workbook of a topic, whatever the case of its extension.
    QString workbookPath(const QString &topic) const;

    static constexpr int maxAnswers = QuestionBlocks::maxAnswers;

    bool NextFlag = false;
    bool StopFlag = false;

private:
    // False when the run must end: the user stopped or the workbook is unreadable.
    bool runTopic(const QString &topic);
    void waitForUser();
    bool stopped() const;

    QuestionnaireView &m_view;
    QString m_topicsFolder;
    ReaderFactory m_readerFactory;
    bool m_running = false;
};
