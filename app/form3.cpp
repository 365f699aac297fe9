#include "app/form3.h"

#include "app/form1.h"
#include "app/splashpicture.h"
#include "layout/formlayout.h"
#include "platform/eventloop.h"
#include "platform/widgets/programpalette.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

Form3::Form3(Installation installation, int tickIntervalMs, QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , m_installation(std::move(installation))
    , Image1(new QLabel(this))
{
    ProgramPalette::apply(this);
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Пальмора 2.1"));
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

void Form3::start()
{
    show();
    EventLoop::yield();

    Tick_Count = 0;
    Timer1.start();
    // Wait for the first tick without spinning: let the event loop sleep until
    // something arrives.
    while (Tick_Count < 1 && !EventLoop::quitRequested())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    Timer1.stop();
    hide();

    m_main = std::make_unique<Form1>(m_installation);
    Q_EMIT mainWindowCreated(m_main.get());
    m_main->load();
    if (EventLoop::quitRequested())
        return;
    m_main->show();
}
