#include "questionnaire/questionnairelauncher.h"

#include "platform/eventloop.h"
#include "platform/safefile.h"
#include "platform/textcodec.h"
#include "platform/twips.h"
#include "platform/widgets/dialogs.h"
#include "questionnaire/form2.h"
#include "questionnaire/questionnairelog.h"

#include <QAbstractButton>
#include <QDir>
#include <QPlainTextEdit>

QuestionnaireLauncher::QuestionnaireLauncher(const Installation &installation, QAbstractButton *start,
                                             QAbstractButton *save, QPlainTextEdit *resultText, QWidget *photo,
                                             QWidget *articleView, Dialogs &dialogs, SafeFile files,
                                             QuestionnaireEngine::ReaderFactory readers, QObject *parent)
    : QObject(parent)
    , m_installation(installation)
    , m_resultText(resultText)
    , m_photo(photo)
    , m_articleView(articleView)
    , m_dialogs(dialogs)
    , m_files(std::move(files))
    , m_readers(std::move(readers))
{
    connect(start, &QAbstractButton::clicked, this, &QuestionnaireLauncher::launch);
    connect(save, &QAbstractButton::clicked, this, &QuestionnaireLauncher::saveText);
}

QuestionnaireLauncher::~QuestionnaireLauncher() = default;

Form2 *QuestionnaireLauncher::window()
{
    if (!m_window) {
        QWidget *owner = m_resultText ? m_resultText->window() : nullptr;
        m_window = std::make_unique<Form2>(m_installation, m_dialogs, m_readers, owner);
        m_window->setResultText(m_resultText);
    }
    return m_window.get();
}

void QuestionnaireLauncher::launch()
{
    Form2 *form = window();
    if (form->isRunning()) {
        // A run is waiting for the user: bring it forward rather than start one inside it.
        form->Doing();
        return;
    }
    // Screen position, from the layout of the photo and search tab.
    const int left = (m_photo ? m_photo->width() : 0) + Twips::toPixels(2500);
    const int top = (m_articleView ? m_articleView->y() : 0) + Twips::toPixels(2700);
    form->present(QPoint(left, top));
    form->Doing();
    // The keyboard comes back to the main window, at the button that started
    // the run, not to no window at all.
    if (m_resultText && !EventLoop::quitRequested()) {
        QWidget *main = m_resultText->window();
        main->raise();
        main->activateWindow();
    }
}

QByteArray QuestionnaireLauncher::fileBytes(const QString &text)
{
    QString windowsText = text;
    windowsText.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return TextCodec::toCp1251(windowsText) + QByteArrayLiteral("\r\n");
}

void QuestionnaireLauncher::saveText()
{
    QWidget *parent = m_resultText ? m_resultText->window() : nullptr;
    const QString name = m_dialogs.saveFileName(parent, QStringLiteral("Save Text"), QStringLiteral("*.txt|*.txt"));
    if (name.isEmpty())
        return;
    // Through a temporary file: a failed save leaves an existing file as it was.
    QString reason;
    if (!m_files.write(name, fileBytes(m_resultText ? m_resultText->toPlainText() : QString()), &reason)) {
        qCInfo(lcQuestionnaire).noquote() << "questionnaire result not saved to" << name << "-" << reason;
        m_dialogs.message(
            parent,
            QStringLiteral("Не удалось сохранить текст в файл «%1».\n%2").arg(QDir::toNativeSeparators(name), reason),
            Dialogs::Icon::Warning);
    }
}
