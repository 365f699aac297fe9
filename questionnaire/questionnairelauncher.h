#pragma once

#include "platform/installation.h"
#include "platform/safefile.h"
#include "questionnaire/questionnaireengine.h"

#include <QObject>
#include <QPlainTextEdit>
#include <QPointer>

#include <memory>

class Dialogs;
class Form2;
class QAbstractButton;
class QWidget;

// The main window's side of the questionnaire: the start button runs a
// questionnaire in the questionnaire window, whose results gather in the
// result text; the save button writes that text to a file of the user's choice.
class QuestionnaireLauncher : public QObject
{
    Q_OBJECT
public:
    // The window reads its topics from the installation, each by a reader
    // from readers, and is placed from the photo's width and the article
    // view's top. The result text is saved through files; the window's and
    // the save's message boxes and file dialog are shown by dialogs.
    QuestionnaireLauncher(const Installation &installation, QAbstractButton *start, QAbstractButton *save,
                          QPlainTextEdit *resultText, QWidget *photo, QWidget *articleView, Dialogs &dialogs,
                          SafeFile files = SafeFile(),
                          QuestionnaireEngine::ReaderFactory readers = QuestionnaireEngine::xlsReaders(),
                          QObject *parent = nullptr);
    ~QuestionnaireLauncher() override;

    // Made on the first launch and kept, hidden, between questionnaires.
    Form2 *window();

    void launch();
    void saveText();

    // The file as it is saved: the text in Windows-1251, lines ending in CR LF,
    // followed by CR LF.
    static QByteArray fileBytes(const QString &text);

private:
    Installation m_installation;
    QPointer<QPlainTextEdit> m_resultText;
    QPointer<QWidget> m_photo;
    QPointer<QWidget> m_articleView;
    Dialogs &m_dialogs;
    SafeFile m_files;
    QuestionnaireEngine::ReaderFactory m_readers;
    std::unique_ptr<Form2> m_window;
};
