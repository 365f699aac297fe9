#include "questionnaire/form2.h"

#include "controls/xpb.h"
#include "controls/xpblayout.h"
#include "layout/autoresize.h"
#include "layout/formlayout.h"
#include "platform/controlhost/propertystore.h"
#include "platform/widgets/dialogs.h"
#include "platform/widgets/fonts.h"
#include "platform/widgets/hiddenlistrows.h"
#include "platform/widgets/programpalette.h"
#include "platform/widgets/windowaccessible.h"
#include "questionnaire/questionnairepictures.h"
#include "skin/xp_canvas.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QShortcut>
#include <QTextCursor>

namespace {

// Creates a control under its layout name and puts it at its design place.
template <typename T, typename... Args>
T *make(QWidget *container, const char *name, Args &&...args)
{
    return FormLayout::form2().make<T>(container, name, std::forward<Args>(args)...);
}

QListWidget *makeList(QWidget *parent, const char *name)
{
    auto *list = make<QListWidget>(parent, name);
    list->setFont(Fonts::make(QStringLiteral("MS Sans Serif"), 9.75, true));
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setWordWrap(true);
    return list;
}

// The window's two picture buttons, with the settings its design data keeps
// for them.
QAbstractButton *pictureButton(QWidget *container, const char *name, const QString &caption,
                               const PictureObject &picture, int picturePosition)
{
    auto *button = make<XpB>(container, name);
    button->readProperties(XpB::windowSettings(caption, picture, picturePosition));
    // A click leaves the focus where it was; Tab reaches the button.
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

QList<int> selectedRows(const QListWidget *list)
{
    QList<int> rows;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->isSelected())
            rows << i;
    }
    return rows;
}

} // namespace

Form2::Form2(const Installation &installation, Dialogs &dialogs, ReaderFactory readers, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_dialogs(dialogs)
    , m_engine(*this, installation.readPath(QStringLiteral("Anketa")), std::move(readers))
{
    Fonts::installSubstitutions();
    WindowAccessible::install();
    // Before any control is made, so that each takes the design's colours.
    ProgramPalette::apply(this);
    setObjectName(QStringLiteral("Form2"));
    // The windows' own font, which the buttons' captions take.
    setFont(Fonts::make(QStringLiteral("MS Sans Serif"), 8.25));
    resize(FormLayout::form2().windowPixels());

    // The frame fills the window and is its only decoration; its border
    // strips resize the window. The controls lie on its surface.
    xp_canvas1 = new xp_canvas(this);
    xp_canvas1->setObjectName(QStringLiteral("xp_canvas1"));
    xp_canvas1->readProperties(PropertyStore{{QStringLiteral("Caption"), QStringLiteral("Анкета")}});

    Label1 = make<QLabel>(xp_canvas1, "Label1");
    Label1->setFont(Fonts::make(QStringLiteral("Times New Roman"), 12.75, true));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    List2 = makeList(xp_canvas1, "List2");
    List2->setAccessibleName(QStringLiteral("Темы анкетирования"));
    List2->installEventFilter(this);
    List1 = makeList(xp_canvas1, "List1");
    List1->setAccessibleName(QStringLiteral("Ответы"));
    List1->hide();
    List1->installEventFilter(this);
    HiddenListRows::attach(List1);
    HiddenListRows::attach(List2);
    // The prompt or the question labels the list on show.
    Label1->setBuddy(List2);

    Command2 = pictureButton(xp_canvas1, "Command2", QStringLiteral("       Далее       "),
                             QuestionnairePictures::next(), XpBLayout::Right);
    Command3 = pictureButton(xp_canvas1, "Command3", QStringLiteral("  Хватит  "), QuestionnairePictures::stop(),
                             XpBLayout::Left);

    connect(Command2, &QAbstractButton::clicked, this, [this] { m_engine.next(); });
    connect(Command3, &QAbstractButton::clicked, this, [this] { m_engine.stop(); });
    // Esc stops, as "Хватит" does, while it is offered.
    auto *stop = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(stop, &QShortcut::activated, this, [this] {
        if (Command3->isVisible())
            Command3->click();
    });

    // The label, the lists and the buttons grow and shrink with the window,
    // within the frame's strips, which lay themselves out. The window never
    // gets smaller than it was designed, so neither do its fonts; the frame's
    // drags and the layout keep that one minimum.
    Resize = new AutoResize(this, &FormLayout::form2());
    Resize->initProperties();
    Resize->setFixedMargins(
        QMargins(xp_canvas::borderSize, xp_canvas::titleHeight, xp_canvas::borderSize, xp_canvas::borderSize));
    Resize->setWMin(FormLayout::form2().windowTwips().width());
    Resize->setHMin(FormLayout::form2().windowTwips().height());
    setMinimumSize(FormLayout::form2().windowPixels());
}

Form2::~Form2()
{
    m_engine.StopFlag = true;
}

void Form2::present(const QPoint &position)
{
    move(position);
    List1->clear();
    Label1->setText(QStringLiteral("Выберите тематику анкетирования:"));
    Command2->hide();
    Command3->hide();
    show();
    raise();
    activateWindow();
}

void Form2::closeEvent(QCloseEvent *event)
{
    m_engine.StopFlag = true;
    event->accept();
}

bool Form2::eventFilter(QObject *watched, QEvent *event)
{
    // Enter in either list goes on, as "Далее" does.
    if ((watched == List1 || watched == List2) && event->type() == QEvent::KeyPress && Command2->isVisible()) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_engine.next();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form2::showTopics(const QStringList &topics)
{
    List2->show();
    List1->hide();
    // A hidden list has no current entry that assistive technology could report focused.
    List1->selectionModel()->clearCurrentIndex();
    List2->clear();
    Command3->show();
    List2->addItems(topics);
    Command2->show();
    Label1->setBuddy(List2);
    focusList(List2);
}

QStringList Form2::chosenTopics() const
{
    QStringList topics;
    for (int row : selectedRows(List2))
        topics << List2->item(row)->text();
    return topics;
}

void Form2::showWait()
{
    Label1->setText(QStringLiteral("Подождите..."));
    Command3->hide();
    Command2->hide();
}

void Form2::beginTopic()
{
    Command2->hide();
}

void Form2::showQuestion(const QString &question, const QStringList &answers)
{
    List1->show();
    List2->hide();
    List2->selectionModel()->clearCurrentIndex();
    Command3->show();
    List1->clear();
    Label1->setText(question);
    List1->addItems(answers);
    Command2->show();
    Label1->setBuddy(List1);
    focusList(List1);
}

void Form2::focusList(QListWidget *list)
{
    // The user chooses at once: the first entry is current, none is chosen yet.
    if (list->count() > 0)
        list->selectionModel()->setCurrentIndex(list->model()->index(0, 0), QItemSelectionModel::NoUpdate);
    list->setFocus();
}

QList<int> Form2::chosenAnswers() const
{
    return selectedRows(List1);
}

void Form2::reportUnreadable(const QString &topic, const QString &path, const QString &error)
{
    m_dialogs.message(parentWidget(),
                      QStringLiteral("Не удалось открыть анкету «%1».\nФайл: %2\n%3")
                          .arg(topic, QDir::toNativeSeparators(path), error),
                      Dialogs::Icon::Critical);
}

void Form2::appendResult(const QString &result)
{
    if (!m_resultText)
        return;
    QTextCursor cursor(m_resultText->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(result + QStringLiteral(". "));
}

void Form2::waitingForUser()
{
    Q_EMIT waiting();
}

void Form2::waitForEvents()
{
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void Form2::hideWindow()
{
    hide();
}

void Form2::bringToFront()
{
    show();
    raise();
    activateWindow();
}
