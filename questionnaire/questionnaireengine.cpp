#include "questionnaire/questionnaireengine.h"

#include "platform/eventloop.h"
#include "platform/fileorder.h"
#include "questionnaire/questionblocks.h"
#include "questionnaire/questionnairelog.h"
#include "questionnaire/questionnaireview.h"
#include "questionnaire/workbookreader.h"
#include "questionnaire/xlsworkbookreader.h"

#include <QDir>
#include <QFileInfo>

QuestionnaireEngine::QuestionnaireEngine(QuestionnaireView &view, QString topicsFolder, ReaderFactory readers)
    : m_view(view)
    , m_topicsFolder(std::move(topicsFolder))
    , m_readerFactory(std::move(readers))
{}

QuestionnaireEngine::ReaderFactory QuestionnaireEngine::xlsReaders()
{
    return [] { return std::make_unique<XlsWorkbookReader>(); };
}

void QuestionnaireEngine::stop()
{
    StopFlag = true;
    m_view.hideWindow();
}

bool QuestionnaireEngine::stopped() const
{
    return StopFlag || EventLoop::quitRequested();
}

void QuestionnaireEngine::waitForUser()
{
    m_view.waitingForUser();
    while (!NextFlag && !stopped())
        m_view.waitForEvents();
}

QStringList QuestionnaireEngine::topics() const
{
    // In the order the articles are listed in, whatever the file system's own.
    QStringList entries = QDir(m_topicsFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Unsorted);
    FileOrder::sort(entries);
    QStringList names;
    names.reserve(entries.size());
    for (const QString &entry : entries) {
        // The extension (".xls") is cut; a name too short to have one is kept whole.
        names << (entry.size() > 4 ? entry.chopped(4) : entry);
    }
    return names;
}

QString QuestionnaireEngine::workbookPath(const QString &topic) const
{
    const QString &folder = m_topicsFolder;
    const QString wanted = topic + QStringLiteral(".xls");
    const QString path = folder + QLatin1Char('/') + wanted;
    if (QFileInfo::exists(path))
        return path;
    // Workbooks copied from Windows may be named "Тема.XLS", which opens there as "Тема.xls".
    const QStringList names = QDir(folder).entryList(QDir::Files);
    for (const QString &name : names) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return folder + QLatin1Char('/') + name;
    }
    return path;
}

void QuestionnaireEngine::Doing()
{
    if (m_running) {
        m_view.bringToFront();
        return;
    }
    m_running = true;

    StopFlag = false;
    m_view.showTopics(topics());
    NextFlag = false;
    waitForUser();

    if (!stopped()) {
        m_view.showWait();
        EventLoop::yield();
        const QStringList chosen = m_view.chosenTopics();
        for (const QString &topic : chosen) {
            if (stopped() || !runTopic(topic))
                break;
        }
    }

    stop();
    m_running = false;
}

bool QuestionnaireEngine::runTopic(const QString &topic)
{
    m_view.beginTopic();
    const QString path = workbookPath(topic);
    std::unique_ptr<WorkbookReader> reader = m_readerFactory();
    QString error;
    if (!reader->open(path, &error)) {
        qCInfo(lcQuestionnaire).noquote() << "workbook refused:" << path << "-" << error;
        stop();
        m_view.reportUnreadable(topic, path, error);
        return false;
    }

    QuestionBlocks blocks(*reader);
    QuestionBlocks::Block block;
    while (blocks.next(block)) {
        m_view.showQuestion(block.question, block.answers);
        NextFlag = false;
        waitForUser();
        if (stopped())
            return false;
        for (int j : m_view.chosenAnswers()) {
            if (j >= 0 && j < block.results.size())
                m_view.appendResult(block.results[j]);
        }
    }
    return true;
}
