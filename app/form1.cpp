#include "app/form1.h"

#include "app/abouttab.h"
#include "app/applog.h"
#include "app/hoverhints.h"
#include "app/icons.h"
#include "controls/xpb.h"
#include "controls/xpblayout.h"
#include "controls/xpcheckbox.h"
#include "layout/formlayout.h"
#include "news/news.h"
#include "photo/photoworkspace.h"
#include "platform/controlhost/controlproperties.h"
#include "platform/controlhost/propertystore.h"
#include "platform/eventloop.h"
#include "platform/release.h"
#include "platform/safefile.h"
#include "platform/textcodec.h"
#include "platform/twips.h"
#include "platform/widgets/activatablelabel.h"
#include "platform/widgets/focusmark.h"
#include "platform/widgets/fonts.h"
#include "platform/widgets/framebox.h"
#include "platform/widgets/hiddenlistrows.h"
#include "platform/widgets/lineshape.h"
#include "platform/widgets/programpalette.h"
#include "platform/widgets/richtextbox.h"
#include "platform/widgets/webbrowser.h"
#include "platform/widgets/windowaccessible.h"
#include "platform/widgets/xtab.h"
#include "questionnaire/questionnairelauncher.h"
#include "search/knowledgebase.h"
#include "search/ui/articleview.h"
#include "search/ui/busynotice.h"
#include "search/ui/resultsarea.h"
#include "search/ui/searchpanel.h"
#include "skin/xp_canvas.h"
#include "skin/xptopbuttons.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTimer>

#include <utility>

namespace {

const QColor kDarkBlue(0, 0, 192);
// Page Up and Page Down move the interval by this much; the arrows, a click on
// an arrow and a click on the track by one.
constexpr int kIntervalPage = 50;

// Creates a control under its layout name and puts it at its design place.
template <typename T, typename... Args>
T *make(QWidget *container, const char *name, Args &&...args)
{
    return FormLayout::form1().make<T>(container, name, std::forward<Args>(args)...);
}

// A line under its layout name, between its design end points.
LineShape *makeLine(QWidget *container, const char *name, const QColor &colour)
{
    auto *line = new LineShape(colour, 10, container);
    line->setObjectName(QLatin1String(name));
    const QLine ends = FormLayout::form1().lineTwips(QString::fromLatin1(name));
    line->setLineTwips(ends.x1(), ends.y1(), ends.x2(), ends.y2());
    return line;
}

void setTextColour(QWidget *w, const QColor &colour)
{
    QPalette palette = w->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::ButtonText, colour);
    w->setPalette(palette);
}

// Every push button of the window is made here, with the settings the
// window's design data keeps for it. A click does not take the focus from
// where the user is typing; Tab reaches the button.
XpB *pictureButton(QWidget *container, const char *name, const PictureObject &picture,
                   const QString &caption = QString(), int picturePosition = XpBLayout::Above)
{
    auto *button = make<XpB>(container, name);
    button->readProperties(XpB::windowSettings(caption, picture, picturePosition));
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

} // namespace

Form1::Form1(Installation installation, Dialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_installation(std::move(installation))
    , m_dialogs(dialogs)
{
    Fonts::installSubstitutions();
    WindowAccessible::install(QStringLiteral("Пальмора"));
    // Before any control is made, so that each takes the design's colours.
    ProgramPalette::apply(this);
    setObjectName(QStringLiteral("Form1"));
    setFont(Fonts::make(QStringLiteral("MS Sans Serif"), 8.25));
    // A window of fixed size, and the window manager is told so: it offers
    // neither resizing nor maximising.
    setFixedSize(FormLayout::form1().windowPixels());
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    createFrameAndToolbar();
    // The working controls lie on the frame's surface.
    XTab1 = make<XTab>(xp_canvas1, "XTab1", 5);
    Image2 = make<QLabel>(xp_canvas1, "Image2");
    Image2->hide();
    createInstructionTab();
    createPhotoAndSearchTab();
    createSettingsTab();
    createNewsTab();
    createAboutTab();

    const auto dataFolder = [this] { return KnowledgeBase::defaultFolder(m_installation); };
    m_results = std::make_unique<ResultsArea>(
        ResultsArea::Controls{List1, RichTextBox1, WebBrowser1, HS1, Command1, Command4, Command5});
    m_searchPanel = new SearchPanel({this, Text2, Command2, Check1, m_results.get(), Line1, Line2, Label1}, m_search,
                                    dataFolder, m_dialogs, this);
    m_articleView = new ArticleView(*m_results, Label1, m_search, dataFolder, this);

    // Which controls hint, and with what text: a fixed one, or empty for the
    // control's hint property. Each has a short name of its own for assistive
    // technology; the hint becomes its description.
    const struct
    {
        XpB *button;
        QString fixedText;
        QString name;
    } hintedButtons[] = {
        {Command6, QStringLiteral("Сoхранить картинку"),
         QStringLiteral("Сохранить картинку")}, // the hint's "o" is Latin
        {Command3, QStringLiteral("Вставить из буфера"), QStringLiteral("Вставить из буфера")},
        {Command8, QStringLiteral("Произвести анкетирование"), QStringLiteral("Анкетирование")},
        {Command7, QStringLiteral("Сохранить текст"), QStringLiteral("Сохранить текст")},
        {Command2, QString(), QStringLiteral("Найти")},
        {Command1, QString(), QStringLiteral("К списку")},
    };
    auto *hints = new HoverHints(Label4, Timer1, this);
    for (const auto &h : hintedButtons) {
        h.button->setAccessibleName(h.name);
        hints->add(h.button, h.fixedText);
    }
    hints->add(Check1);
    nameControls();

    m_news = std::make_unique<News>(m_installation, Text4, this, m_dialogs);
    m_questionnaire = std::make_unique<QuestionnaireLauncher>(m_installation, Command8, Command7, Text1, Image1,
                                                              RichTextBox1, m_dialogs);
    m_photo = std::make_unique<PhotoWorkspace>(Image1, Label3, Image2, Command3, Command6, this, m_dialogs);
    // The busy notice while a photo is read, scaled or saved, unless a search shows it already.
    connect(m_photo.get(), &PhotoWorkspace::busyChanged, this,
            [label = Label1, shownHere = std::make_shared<bool>(false)](bool busy) {
                if (busy && label->isHidden()) {
                    *shownHere = true;
                    label->show();
                } else if (!busy && *shownHere) {
                    *shownHere = false;
                    label->hide();
                }
            });
    connect(Image1, &ActivatableLabel::activated, m_photo.get(), &PhotoWorkspace::openPhoto);

    // The check box keeps its own keys: only a click toggles it. The window's
    // key clicks it for the keyboard, wherever the focus is.
    auto *modeShortcut = new QShortcut(modeKey(), this);
    connect(modeShortcut, &QShortcut::activated, this, [this] {
        if (Check1->isEnabled())
            Check1->accessiblePress();
    });
}

QKeySequence Form1::modeKey()
{
    return QKeySequence(Qt::Key_F4);
}

void Form1::nameControls()
{
    // Short names for assistive technology, from the visible label where the
    // control has one; the check box's hint stays its description.
    const struct
    {
        QWidget *control;
        const char16_t *name;
    } names[] = {
        {Text2, u"Запрос"},
        {List1, u"Найденные статьи"},
        {Text1, u"Результат анкетирования"},
        {RichTextBox2, u"Инструкция"},
        {Text4, u"Новости"},
        {RichTextBox1, u"Статья"},
        {WebBrowser1, u"Статья"},
        {HS1, u"Найденные места"},
        {HS2, u"Интервал поиска"},
        {Image1, u"Фотография руки"},
        {Image3, u"Ладонь"},
        {Frame1, u"Панель инструментов"},
        {Check1, u"Поиск по словам"},
    };
    for (const auto &n : names)
        n.control->setAccessibleName(QString::fromUtf16(n.name));
    // The read-only texts show no caret and an empty list no current entry:
    // without a mark, their focus would not show.
    for (QWidget *control :
         {static_cast<QWidget *>(List1), static_cast<QWidget *>(RichTextBox2), static_cast<QWidget *>(Text4),
          static_cast<QWidget *>(RichTextBox1), static_cast<QWidget *>(WebBrowser1)})
        FocusMark::attach(control);
    Image1->setAccessibleDescription(Label3->text());
    Check1->setAccessibleDescription(
        Check1->accessibleDescription()
        + QStringLiteral(" Переключить поиск по словам и по фразе с клавиатуры: клавиша %1.")
              .arg(modeKey().toString(QKeySequence::NativeText)));
}

Form1::~Form1() = default;

void Form1::createFrameAndToolbar()
{
    // The frame fills the window and is its only decoration; its caption is
    // also the window's title. The window's design data sets only that.
    xp_canvas1 = new xp_canvas(this);
    xp_canvas1->setObjectName(QStringLiteral("xp_canvas1"));
    xp_canvas1->readProperties(PropertyStore{{QStringLiteral("Caption"), QStringLiteral("Пальмора " PALMORA_VERSION)}});
    // Its size is fixed, so the frame neither resizes nor maximises it.
    xp_canvas1->setFixedSingle(true);
    xptopbuttons2 = make<xptopbuttons>(xp_canvas1, "xptopbuttons2");
    xptopbuttons2->readProperties(PropertyStore{{QStringLiteral("Value"), int(xptopbuttons::Minimise)}});
    xptopbuttons1 = make<xptopbuttons>(xp_canvas1, "xptopbuttons1");
    xptopbuttons1->readProperties(PropertyStore{}); // the close glyph
    connect(xptopbuttons1, &xptopbuttons::Click, this, &Form1::endProgram);
    connect(xptopbuttons2, &xptopbuttons::Click, xp_canvas1, &xp_canvas::minimiseWindow);
    FocusMark::attach(xptopbuttons2);
    FocusMark::attach(xptopbuttons1);

    Frame1 = make<FrameBox>(xp_canvas1, "Frame1");
    Command6 = pictureButton(Frame1, "Command6", Icons::savePhoto());
    Command3 = pictureButton(Frame1, "Command3", Icons::paste());
    Command8 = pictureButton(Frame1, "Command8", Icons::questionnaire());
    Command7 = pictureButton(Frame1, "Command7", Icons::saveText());
    // The label runs past the toolbar's lower edge: its text starts at the
    // top, as a label's caption does, so the descenders stay in the toolbar.
    Label4 = make<QLabel>(Frame1, "Label4");
    Label4->setFont(Fonts::make(QStringLiteral("Times New Roman"), 11.25, true));
    Label4->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextColour(Label4, kDarkBlue);
    Label4->hide();
}

void Form1::createInstructionTab()
{
    QWidget *tab = XTab1->page(tabInstruction);
    RichTextBox2 = make<RichTextBox>(tab, "RichTextBox2");
}

void Form1::createPhotoAndSearchTab()
{
    QWidget *tab = XTab1->page(tabPhotoAndSearch);

    // Tab reaches the photo, and Enter or Space opens one, as a click does.
    Image1 = make<ActivatableLabel>(tab, "Image1");
    Image1->setScaledContents(true);
    Image1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Image1->setCursor(Qt::PointingHandCursor);
    FocusMark::attach(Image1);
    Label3 = make<QLabel>(tab, "Label3", QStringLiteral("Нажмите здесь чтобы вставить фотографию руки"));
    Label3->setFont(Fonts::make(QStringLiteral("Times New Roman"), 15.75, false, true));
    setTextColour(Label3, kDarkBlue);
    Label3->setWordWrap(true);
    Label3->setAlignment(Qt::AlignCenter);
    Label3->setCursor(Qt::PointingHandCursor);

    Text2 = make<QPlainTextEdit>(tab, "Text2");
    Text2->setFont(Fonts::make(QStringLiteral("Times New Roman"), 11.25, true));
    setTextColour(Text2, kDarkBlue);
    Text2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text2->setTabChangesFocus(true);
    Text2->document()->setDocumentMargin(1);

    Command2 = pictureButton(tab, "Command2", Icons::search());
    Command2->setProperty(ControlProperty::Hint,
                          QStringLiteral("Чтобы узнать как корректно делать запросы - читайте раздел 'Инструкция'"));
    // Only the box shows: the caption lies beyond its 17 pixels.
    Check1 = make<xpcheckbox>(tab, "Check1");
    Check1->readProperties(
        PropertyStore{{QStringLiteral("Value"), 1}, {QStringLiteral("Caption"), QStringLiteral("xpcheckbox1")}});
    Check1->setProperty(ControlProperty::Hint,
                        QStringLiteral("Если убрать галочку, то тогда будет осуществляться поиско по фразе целиком."));
    FocusMark::attach(Check1);
    Command1 = pictureButton(tab, "Command1", Icons::back());
    Command1->setProperty(ControlProperty::Hint, QStringLiteral("Нажмите здесь чтобы вернуться к спискам книг"));
    Command1->hide();
    // No caption and no hint: the browser's buttons are named for assistive
    // technology only.
    Command4 = pictureButton(tab, "Command4", Icons::back());
    Command4->setAccessibleName(QStringLiteral("Назад"));
    Command4->hide();
    Command5 = pictureButton(tab, "Command5", Icons::forward());
    Command5->setAccessibleName(QStringLiteral("Вперёд"));
    Command5->hide();
    HS1 = make<QScrollBar>(tab, "HS1", Qt::Horizontal);
    // As the interval slider: a click leaves the focus where it was, Tab
    // reaches the bar, and its arrow keys go from one found place to the next.
    HS1->setFocusPolicy(Qt::TabFocus);
    HS1->installEventFilter(this);
    FocusMark::attach(HS1);
    HS1->hide();

    List1 = make<QListWidget>(tab, "List1");
    HiddenListRows::attach(List1);
    WebBrowser1 = make<WebBrowser>(tab, "WebBrowser1");
    WebBrowser1->hide();
    RichTextBox1 = make<RichTextBox>(tab, "RichTextBox1");
    RichTextBox1->hide();
    Text1 = make<QPlainTextEdit>(tab, "Text1");
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab leaves the box: nothing the user did not type goes into the result.
    Text1->setTabChangesFocus(true);

    Line2 = makeLine(tab, "Line2", Qt::black);
    Line2->hide();
    Line1 = makeLine(tab, "Line1", QColor(0, 0, 255));
    Line1->hide();

    Label1 = make<QLabel>(tab, "Label1", busyNoticeText());
    Label1->setFont(Fonts::make(QStringLiteral("MS Sans Serif"), 8.25, true));
    setTextColour(Label1, QColor(255, 0, 0));
    // Set from the top of its box, as the design's labels are: centred, its
    // lower part would run into the page's lower edge.
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->hide();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
}

void Form1::createSettingsTab()
{
    QWidget *tab = XTab1->page(tabSettings);
    Frame4 = make<FrameBox>(tab, "Frame4");
    Label5 = make<QLabel>(Frame4, "Label5", QStringLiteral("Настройки"));
    Label5->setFont(Fonts::make(QStringLiteral("Times New Roman"), 14.25, true, true));
    setTextColour(Label5, kDarkBlue);
    Frame2 = make<FrameBox>(Frame4, "Frame2", QStringLiteral("Интервал поиска"));

    HS2 = make<QScrollBar>(Frame2, "HS2", Qt::Horizontal);
    HS2->setRange(SearchInterval::kSliderMinimum, SearchInterval::kSliderMaximum);
    HS2->setSingleStep(1);
    HS2->setPageStep(1);
    // A click leaves the focus where it was; Tab reaches the slider.
    HS2->setFocusPolicy(Qt::TabFocus);
    HS2->installEventFilter(this);
    FocusMark::attach(HS2);
    Label2 = make<QLabel>(Frame2, "Label2");
    Label6 =
        make<QLabel>(Frame2, "Label6",
                     QStringLiteral("Данный интервал указывает кол-во символов в радиусе которых ищется одно искомое "
                                    "слово от другого. Значение рекомендуется увеличивать при сложном поиске "
                                    "состоящем из четырех и более слов, а так же при поиске редких слов."));
    Label6->setFont(Fonts::make(QStringLiteral("Times New Roman"), 11.25, false, true));
    setTextColour(Label6, QColor(0, 128, 0));
    Label6->setWordWrap(true);
    Label6->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // Both a finished change and a dragged thumb set the interval.
    connect(HS2, &QScrollBar::valueChanged, this, [this](int value) {
        m_search.Search_Int = value;
        Label2->setText(QLatin1Char(' ') + QString::number(value));
    });
}

void Form1::createNewsTab()
{
    QWidget *tab = XTab1->page(tabNews);
    Text4 = make<QPlainTextEdit>(tab, "Text4");
    Text4->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text4->setReadOnly(true);
    Command9 = pictureButton(tab, "Command9", Icons::refresh(), QStringLiteral("  Обновить"), XpBLayout::Left);
    connect(Command9, &QAbstractButton::clicked, this, [this] { Get_Mes(true); });
}

void Form1::createAboutTab()
{
    QWidget *tab = XTab1->page(tabAbout);
    Frame3 = make<FrameBox>(tab, "Frame3", QStringLiteral("О программе"));
    Label7 = make<QLabel>(Frame3, "Label7", QStringLiteral("Пальмора"));
    Label7->setFont(Fonts::make(QStringLiteral("Times New Roman"), 20.25, false, true));
    Label7->setAlignment(Qt::AlignCenter);
    Image3 = make<QLabel>(Frame3, "Image3");
    Image3->setAlignment(Qt::AlignCenter);
    Label8 = make<QLabel>(Frame3, "Label8");
    Label8->setFont(Fonts::make(QStringLiteral("Times New Roman"), 14.25, false, true));
    Label8->setAlignment(Qt::AlignCenter);
    Label8->setWordWrap(true);
    Label9 =
        make<ActivatableLabel>(Frame3, "Label9", QStringLiteral("Велмарис - все что Вы хотели знать о хиромантии!"));
    Label9->setAccessibleRole(QAccessible::Link);
    FocusMark::attach(Label9);
    Label9->setAlignment(Qt::AlignCenter);
    setTextColour(Label9, QColor(0, 0, 255));
    Label9->setCursor(Qt::PointingHandCursor);
    new AboutTab(Image3, Label8, Label9);
}

void Form1::load()
{
    // Every step is guarded: a failing one is passed over and nothing is reported.
    static const char *const captions[] = {"Инструкция", "Работа с фото", "Настройки", "Новости", "О программе"};
    for (int i = 0; i < 5; ++i)
        XTab1->setTabCaption(i, QString::fromUtf8(captions[i]));

    const QString marker = Installation::firstStartMarker;
    if (!QFileInfo::exists(m_installation.existingPath(marker))) {
        const QString path = m_installation.writePath(marker);
        QString reason;
        if (!SafeFile().write(path, TextCodec::toCp1251(u"done\r\n"), &reason))
            qCInfo(lcApp).noquote() << "first-start marker not written to" << path << "-" << reason;
        XTab1->setCurrentTab(tabInstruction);
    } else {
        XTab1->setCurrentTab(tabPhotoAndSearch);
    }

    const QString manual = m_installation.readPath(QStringLiteral("инструкция.rtf"));
    if (QFileInfo(manual).isFile())
        RichTextBox2->loadFile(manual);

    m_search.Search_Int = SearchInterval::kDefault;
    HS2->setValue(int(SearchInterval::kDefault));
    // setValue does not signal when the value is unchanged; show it all the same.
    Label2->setText(QLatin1Char(' ') + QString::number(SearchInterval::kDefault));

    Get_Mes(false);
}

void Form1::Get_Mes(bool By_User)
{
    m_news->Get_Mes(By_User);
}

void Form1::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The window keeps its design size whenever it is in the normal state,
    // also where a window manager sizes it against its size hints.
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    const QSize fixed = FormLayout::form1().windowPixels();
    if (size() != fixed)
        QTimer::singleShot(0, this, [this, fixed] {
            if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
                && size() != fixed)
                resize(fixed);
        });
}

void Form1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!std::exchange(m_shownOnce, true))
        focusTheTabsFirstControl();
}

void Form1::focusTheTabsFirstControl()
{
    switch (XTab1->currentTab()) {
    case tabInstruction:
        RichTextBox2->setFocus();
        break;
    case tabPhotoAndSearch:
        Text2->setFocus();
        break;
    case tabSettings:
        HS2->setFocus();
        break;
    case tabNews:
        Text4->setFocus();
        break;
    default:
        Label9->setFocus();
        break;
    }
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == HS2 || watched == HS1) && event->type() == QEvent::KeyPress) {
        auto *bar = static_cast<QScrollBar *>(watched);
        // A page of the interval is 50; a page of the jump bar is one found place.
        const int page = bar == HS2 ? kIntervalPage : 1;
        // Up and right are more: a scroll bar's own keys turn right into less.
        int step = 0;
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Right:
        case Qt::Key_Up:
            step = 1;
            break;
        case Qt::Key_Left:
        case Qt::Key_Down:
            step = -1;
            break;
        case Qt::Key_PageUp:
            step = page;
            break;
        case Qt::Key_PageDown:
            step = -page;
            break;
        default:
            break;
        }
        if (step != 0) {
            bar->setValue(bar->value() + step);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::closeEvent(QCloseEvent *event)
{
    event->accept();
    endProgram();
}

void Form1::endProgram()
{
    if (m_ending)
        return;
    m_ending = true;
    // Every window closes and the process leaves its event loop, abandoning
    // whatever long operation is under way; nothing is saved.
    Q_EMIT programEnded();
    EventLoop::requestQuit();
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w != this)
            w->close();
    }
    close();
}
