#include "app/form3.h"

#include "app/form1.h"
#include "app/splashpicture.h"
#include "layout/formlayout.h"
#include "platform/eventloop.h"
#include "platform/release.h"
#include "platform/widgets/programpalette.h"
#include "platform/widgets/richtextbox.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

Form3::Form3(Installation installation, Dialogs &dialogs, int tickIntervalMs, QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , m_installation(std::move(installation))
    , m_dialogs(dialogs)
    , Image1(new QLabel(this))
{
    ProgramPalette::apply(this);
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Пальмора " PALMORA_VERSION));
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(SplashPicture::make());
    FormLayout::form3().place(Image1);
    setFixedSize(FormLayout::form3().windowPixels());
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    Timer1.setInterval(tickIntervalMs);
    connect(&Timer1, &QTimer::timeout, this, [this] { Tick_Count += 1; });
}

Form3::~Form3() = default;

void Form3::warmUpManual() const
{
    // The first start opens on the manual: its fonts and their glyphs are
    // made now, by drawing it once out of sight, rather than in the first
    // paint after the splash. The load step still loads it in its turn.
    const QString manual = m_installation.readPath(QStringLiteral("инструкция.rtf"));
    if (!QFileInfo(manual).isFile())
        return;
    RichTextBox view;
    view.resize(FormLayout::form1().pixels(u"RichTextBox2").size());
    if (view.loadFile(manual))
        view.grab();
}

void Form3::start()
{
    show();
    EventLoop::yield();
    // What the splash itself does not need is made while it is on screen.
    Q_EMIT shown();

    Tick_Count = 0;
    Timer1.start();
    // The main window's controls are built during the splash's second, so
    // that the window is ready when the second is over; its load steps still
    // run after the splash hides, in their order.
    m_main = std::make_unique<Form1>(m_installation, m_dialogs);
    Q_EMIT mainWindowCreated(m_main.get());
    m_main->ensurePolished();
    warmUpManual();
    // Wait for the first tick without spinning: let the event loop sleep until
    // something arrives.
    while (Tick_Count < 1 && !EventLoop::quitRequested())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    Timer1.stop();
    hide();

    m_main->load();
    if (EventLoop::quitRequested())
        return;
    m_main->show();
}
