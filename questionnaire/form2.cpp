#include "questionnaire/form2.h"

#include "platform/widgets/dialogs.h"
#include "platform/eventloop.h"
#include "platform/widgets/fonts.h"
#include "platform/programfolder.h"
#include "platform/twips.h"
#include "questionnaire/workbookreader.h"
#include "questionnaire/xlsworkbookreader.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

namespace {

const QString kWait = QStringLiteral("Подождите...");
const QString kNoData = QStringLiteral("(нет данных)");

bool isBlank(const QString &text)
{
    for (QChar c : text) {
        if (c != QLatin1Char(' '))
            return false;
    }
    return true;
}

QListWidget *makeList(QWidget *parent, const char *name)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setGeometry(Twips::toPixels(120, 1320, 7455, 2460));
    list->setFont(Fonts::make(QStringLiteral("MS Sans Serif"), 9.75, true));
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setWordWrap(true);
    return list;
}

} // namespace

Form2::Form2(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_readerFactory([] { return std::make_unique<XlsWorkbookReader>(); })
{
    Fonts::installSubstitutions();
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Анкета"));
    setFixedSize(Twips::toPixels(7815), Twips::toPixels(4575));

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(Twips::toPixels(120, 480, 7455, 735));
    Label1->setFont(Fonts::make(QStringLiteral("Times New Roman"), 12.75, true));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    List2 = makeList(this, "List2");
    List1 = makeList(this, "List1");
    List1->hide();
    List1->installEventFilter(this);

    Command2 = new QPushButton(QStringLiteral("       Далее       "), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(Twips::toPixels(120, 3900, 2295, 495));
    Command3 = new QPushButton(QStringLiteral("  Хватит  "), this);
    Command3->setObjectName(QStringLiteral("Command3"));
    Command3->setGeometry(Twips::toPixels(6240, 3900, 1335, 495));

    connect(Command2, &QPushButton::clicked, this, [this] { NextFlag = true; });
    connect(Command3, &QPushButton::clicked, this, &Form2::stop);
}

Form2::~Form2()
{
    StopFlag = true;
}

void Form2::stop()
{
    StopFlag = true;
    hide();
}

void Form2::closeEvent(QCloseEvent *event)
{
    StopFlag = true;
    event->accept();
}

bool Form2::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == List1 && event->type() == QEvent::KeyPress && Command2->isVisible()) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            NextFlag = true;
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool Form2::stopped() const
{
    return StopFlag || EventLoop::quitRequested();
}

void Form2::waitForUser()
{
    Q_EMIT waiting();
    while (!NextFlag && !stopped())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void Form2::listTopics()
{
    // Sorted by name: the file system's own order means nothing to the user here.
    const QStringList entries = QDir(ProgramFolder::readPath(QStringLiteral("Anketa")))
                                    .entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString &entry : entries) {
        // The extension (".xls") is cut; a name too short to have one is kept whole.
        List2->addItem(entry.size() > 4 ? entry.chopped(4) : entry);
    }
}

void Form2::Doing()
{
    if (m_running) {
        show();
        raise();
        activateWindow();
        return;
    }
    m_running = true;

    StopFlag = false;
    List2->show();
    List1->hide();
    List2->clear();
    Command3->show();
    listTopics();

    Command2->show();
    NextFlag = false;
    waitForUser();

    if (!stopped()) {
        Label1->setText(kWait);
        Command3->hide();
        Command2->hide();
        EventLoop::yield();

        QStringList topics;
        for (int i = 0; i < List2->count(); ++i) {
            if (List2->item(i)->isSelected())
                topics << List2->item(i)->text();
        }
        for (const QString &topic : topics) {
            if (stopped() || !runTopic(topic))
                break;
        }
    }

    stop();
    m_running = false;
}

bool Form2::runTopic(const QString &topic)
{
    Command2->hide();
    const QString folder = ProgramFolder::readPath(QStringLiteral("Anketa"));
    QString path = folder + QLatin1Char('/') + topic + QStringLiteral(".xls");
    if (!QFileInfo::exists(path)) {
        // Workbooks copied from Windows may be named "Тема.XLS", which opens there as "Тема.xls".
        const QString wanted = topic + QStringLiteral(".xls");
        const QStringList names = QDir(folder).entryList(QDir::Files);
        for (const QString &name : names) {
            if (name.compare(wanted, Qt::CaseInsensitive) == 0) {
                path = folder + QLatin1Char('/') + name;
                break;
            }
        }
    }
    std::unique_ptr<WorkbookReader> reader = m_readerFactory();
    QString error;
    if (!reader->open(path, &error)) {
        stop();
        Dialogs::instance().message(parentWidget(),
                                    QStringLiteral("Не удалось открыть анкету «%1».\nФайл: %2\n%3")
                                        .arg(topic, QDir::toNativeSeparators(path), error),
                                    Dialogs::Icon::Critical);
        return false;
    }

    List1->show();
    List2->hide();
    Command2->show();
    Command3->show();

    const int rows = reader->rowCount();
    int row = 1;
    QString question;
    QStringList results;
    while (question.toLower() != QLatin1String("quit")) {
        List1->clear();
        results.clear();

        // Title and heading rows, without a question or without an answer, are passed over.
        QString column1, column2, column3;
        auto read = [&] {
            column1 = reader->cell(row, 1);
            if (isBlank(column1))
                column1.clear();
            column2 = reader->cell(row, 2);
            column3 = reader->cell(row, 3);
        };
        for (;;) {
            if (row > rows)
                return true; // the data ends without an end marker
            read();
            if (!column1.isEmpty() && !column2.isEmpty())
                break;
            ++row;
        }
        Label1->setText(column1);

        bool lastBlock = false;
        do {
            if (!column2.isEmpty() && results.size() < maxAnswers) {
                List1->addItem(column2);
                results << (column3.isEmpty() ? kNoData : column3);
            }
            ++row;
            if (row > rows) {
                lastBlock = true;
                break;
            }
            read();
        } while (column1.isEmpty());
        question = lastBlock ? QString() : column1;

        NextFlag = false;
        Command2->show();
        waitForUser();
        if (stopped())
            return false;

        for (int j = 0; j < List1->count(); ++j) {
            if (List1->item(j)->isSelected())
                appendResult(results[j]);
        }
        if (lastBlock)
            return true;
    }
    return true;
}

void Form2::appendResult(const QString &result)
{
    if (!m_resultText)
        return;
    QTextCursor cursor(m_resultText->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(result + QStringLiteral(". "));
}
