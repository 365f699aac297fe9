#include "layout/autoresize.h"
#include "layout/formlayout.h"
#include "platform/controlhost/controlproperties.h"
#include "platform/controlhost/propertystore.h"
#include "platform/widgets/lineshape.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

// A 400 x 300 window with a label (16-px font), a list (10-point font), a
// button, a control marked to keep its size, a line and an unnamed helper widget.
struct Window
{
    Window()
        : window(std::make_unique<QWidget>(nullptr, Qt::Window | Qt::FramelessWindowHint))
    {
        window->setGeometry(100, 100, 400, 300);
        label = new QLabel(QStringLiteral("Выберите тематику"), window.get());
        label->setObjectName(QStringLiteral("Label1"));
        QFont pixelFont(QStringLiteral("Liberation Serif"));
        pixelFont.setPixelSize(16);
        label->setFont(pixelFont);
        label->setGeometry(20, 10, 200, 30);
        list = new QListWidget(window.get());
        list->setObjectName(QStringLiteral("List1"));
        list->setFont(QFont(QStringLiteral("Liberation Sans"), 10));
        list->setGeometry(20, 50, 300, 150);
        button = new QPushButton(QStringLiteral("Далее"), window.get());
        button->setObjectName(QStringLiteral("Command2"));
        button->setGeometry(300, 250, 80, 30);
        kept = new QPushButton(window.get());
        kept->setObjectName(QStringLiteral("Command9"));
        kept->setProperty(ControlProperty::KeepSize, true);
        kept->setGeometry(10, 260, 50, 20);
        line = new LineShape(Qt::black, 1, window.get());
        line->setObjectName(QStringLiteral("Line1"));
        line->setLineTwips(300, 3000, 3000, 3000);
        unnamed = new QWidget(window.get());
        unnamed->setGeometry(5, 5, 10, 10);
        resize = new AutoResize(window.get());
        resize->initProperties();
    }

    std::unique_ptr<QWidget> window;
    QLabel *label;
    QListWidget *list;
    QPushButton *button;
    QPushButton *kept;
    LineShape *line;
    QWidget *unnamed;
    AutoResize *resize;
};

} // namespace

class TestAutoResize : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void newInstanceTakesTheDefaults()
    {
        QWidget window;
        AutoResize resize(&window);
        resize.initProperties();
        QVERIFY(resize.isEnabled());
        QVERIFY(resize.fontResizable());
        QVERIFY(!resize.keepAspectRatio());
        QCOMPARE(resize.aspectRatioValue(), 0.0);
        QCOMPARE(resize.hMin(), 3000);
        QCOMPARE(resize.wMin(), 4800);
        QCOMPARE(resize.objectName(), QStringLiteral("Resize"));
        PropertyStore store;
        resize.writeProperties(store);
        QVERIFY(store.isEmpty());
    }

    void settingsRoundTripThroughTheStore()
    {
        QWidget window;
        AutoResize resize(&window);
        const PropertyStore stored{{QStringLiteral("Enabled"), false},
                                   {QStringLiteral("FontResizable"), false},
                                   {QStringLiteral("KeepAspectRatio"), true},
                                   {QStringLiteral("AspectRatioValue"), 0.5},
                                   {QStringLiteral("HMin"), 1500},
                                   {QStringLiteral("WMin"), 2400}};
        resize.readProperties(stored);
        QCOMPARE(resize.aspectRatioValue(), 0.5);
        PropertyStore written;
        resize.writeProperties(written);
        QCOMPARE(written.keys(), stored.keys());
        for (const QString &key : stored.keys())
            QCOMPARE(written.read(key, QVariant()), stored.read(key, QVariant()));
    }

    // Each control follows the window's growth in its own direction; fonts
    // follow the smaller growth.
    void controlsScaleWithTheWindow_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("label");
        QTest::addColumn<int>("labelPixels");
        QTest::addColumn<QRect>("list");
        QTest::addColumn<double>("listPoints");
        QTest::addColumn<QLine>("line");
        QTest::newRow("both sides doubled") << QSize(800, 600) << QRect(40, 20, 400, 60) << 32
                                            << QRect(40, 100, 600, 300) << 20.0 << QLine(600, 6000, 6000, 6000);
        QTest::newRow("only the width doubled") << QSize(800, 300) << QRect(40, 10, 400, 30) << 16
                                                << QRect(40, 50, 600, 150) << 10.0 << QLine(600, 3000, 6000, 3000);
        QTest::newRow("only the height doubled") << QSize(400, 600) << QRect(20, 20, 200, 60) << 16
                                                 << QRect(20, 100, 300, 300) << 10.0 << QLine(300, 6000, 3000, 6000);
        // 12.5 and 62.5 go down to the even neighbour, 37.5 and 187.5 up.
        QTest::newRow("a quarter larger, halves to even")
            << QSize(500, 375) << QRect(25, 12, 250, 38) << 20 << QRect(25, 62, 375, 188) << 12.5
            << QLine(375, 3750, 3750, 3750);
    }
    void controlsScaleWithTheWindow()
    {
        QFETCH(QSize, size);
        QFETCH(QRect, label);
        QFETCH(int, labelPixels);
        QFETCH(QRect, list);
        QFETCH(double, listPoints);
        QFETCH(QLine, line);
        Window w;
        w.resize->record();
        w.window->resize(size);
        w.resize->rescale();
        QCOMPARE(w.window->size(), size);
        QCOMPARE(w.label->geometry(), label);
        QCOMPARE(w.label->font().pixelSize(), labelPixels);
        QCOMPARE(w.list->geometry(), list);
        QCOMPARE(w.list->font().pointSizeF(), listPoints);
        QCOMPARE(QLine(w.line->x1Twips(), w.line->y1Twips(), w.line->x2Twips(), w.line->y2Twips()), line);
        // The control marked to keep its size and the unnamed one stay where they were.
        QCOMPARE(w.kept->geometry(), QRect(10, 260, 50, 20));
        QCOMPARE(w.unnamed->geometry(), QRect(5, 5, 10, 10));
        // Back to the recorded size, back to the recorded layout.
        w.window->resize(400, 300);
        w.resize->rescale();
        QCOMPARE(w.label->geometry(), QRect(20, 10, 200, 30));
        QCOMPARE(w.label->font().pixelSize(), 16);
        QCOMPARE(w.button->geometry(), QRect(300, 250, 80, 30));
    }

    // Strips of fixed size along the edges (a frame's title and borders):
    // the area inside them doubles, and the controls scale from its corner.
    void controlsScaleWithinTheFixedMargins()
    {
        Window w;
        w.resize->setFixedMargins(QMargins(10, 20, 10, 10));
        w.resize->record();
        w.window->resize(780, 570);
        w.resize->rescale();
        QCOMPARE(w.list->geometry(), QRect(30, 80, 600, 300));
        QCOMPARE(w.list->font().pointSizeF(), 20.0);
        QCOMPARE(w.button->geometry(), QRect(590, 480, 160, 60));
        QCOMPARE(QLine(w.line->x1Twips(), w.line->y1Twips(), w.line->x2Twips(), w.line->y2Twips()),
                 QLine(450, 5700, 5850, 5700));
        w.window->resize(400, 300);
        w.resize->rescale();
        QCOMPARE(w.list->geometry(), QRect(20, 50, 300, 150));
    }

    void fontsStayWhenNotResizable()
    {
        Window w;
        w.resize->setFontResizable(false);
        w.resize->record();
        w.window->resize(800, 600);
        w.resize->rescale();
        QCOMPARE(w.label->geometry(), QRect(40, 20, 400, 60));
        QCOMPARE(w.label->font().pixelSize(), 16);
        QCOMPARE(w.list->font().pointSizeF(), 10.0);
    }

    void disabledItChangesNothing()
    {
        Window w;
        w.resize->setEnabled(false);
        w.resize->record();
        w.window->resize(200, 100);
        w.resize->rescale();
        QCOMPARE(w.window->size(), QSize(200, 100));
        QCOMPARE(w.label->geometry(), QRect(20, 10, 200, 30));
    }

    // 4800 x 3000 twips is 320 x 200 pixels.
    void windowSnapsBackToItsMinimum_data()
    {
        QTest::addColumn<QSize>("asked");
        QTest::addColumn<QSize>("kept");
        QTest::newRow("both too small") << QSize(200, 100) << QSize(320, 200);
        QTest::newRow("too narrow") << QSize(100, 500) << QSize(320, 500);
        QTest::newRow("too low") << QSize(500, 20) << QSize(500, 200);
        QTest::newRow("large enough") << QSize(320, 200) << QSize(320, 200);
    }
    void windowSnapsBackToItsMinimum()
    {
        QFETCH(QSize, asked);
        QFETCH(QSize, kept);
        Window w;
        w.resize->record();
        w.window->resize(asked);
        w.resize->rescale();
        QCOMPARE(w.window->size(), kept);
        // The controls follow the size the window keeps.
        QCOMPARE(w.button->geometry().left(), qRound(300.0 * kept.width() / 400));
        QCOMPARE(w.button->geometry().top(), qRound(250.0 * kept.height() / 300));
    }

    void heightFollowsTheWidthAtTheKeptRatio()
    {
        Window w;
        w.resize->record();
        w.resize->setKeepAspectRatio(true);
        QCOMPARE(w.resize->aspectRatioValue(), 0.75);
        w.window->resize(800, 400);
        w.resize->rescale();
        QCOMPARE(w.window->size(), QSize(800, 600));
        QCOMPARE(w.list->geometry(), QRect(40, 100, 600, 300));
        w.resize->setKeepAspectRatio(false);
        QCOMPARE(w.resize->aspectRatioValue(), 0.0);
        w.window->resize(800, 400);
        w.resize->rescale();
        QCOMPARE(w.window->size(), QSize(800, 400));
    }

    // Records hold the controls themselves: one destroyed since is passed over.
    void controlDestroyedAfterRecordingIsSkipped()
    {
        Window w;
        w.resize->record();
        delete w.list;
        w.window->resize(800, 600);
        w.resize->rescale();
        QCOMPARE(w.label->geometry(), QRect(40, 20, 400, 60));
        QCOMPARE(w.button->geometry(), QRect(600, 500, 160, 60));
    }

    void zeroSizeControlKeepsScalingFromItsPlace()
    {
        Window w;
        auto *empty = new QWidget(w.window.get());
        empty->setObjectName(QStringLiteral("Image2"));
        empty->setGeometry(100, 90, 0, 0);
        w.resize->record();
        w.window->resize(800, 600);
        w.resize->rescale();
        QCOMPARE(empty->pos(), QPoint(200, 180));
        QCOMPARE(empty->size(), QSize(0, 0));
    }

    // A frame that fills the window lays out its own parts; with the design
    // table only the window's controls are rescaled.
    void withTheDesignTableOnlyItsControlsAreRecorded()
    {
        QWidget window;
        window.resize(400, 300);
        auto *frame = new QWidget(&window);
        frame->setObjectName(QStringLiteral("xp_canvas1"));
        frame->setGeometry(0, 0, 400, 300);
        auto *strip = new QWidget(frame);
        strip->setObjectName(QStringLiteral("pictop"));
        strip->setGeometry(0, 0, 400, 30);
        auto *list = new QListWidget(frame);
        list->setObjectName(QStringLiteral("List2"));
        list->setGeometry(10, 90, 380, 160);
        AutoResize resize(&window, &FormLayout::form2());
        resize.record();
        window.resize(800, 600);
        resize.rescale();
        QCOMPARE(list->geometry(), QRect(20, 180, 760, 320));
        QCOMPARE(frame->geometry(), QRect(0, 0, 400, 300));
        QCOMPARE(strip->geometry(), QRect(0, 0, 400, 30));
    }

    // On a real window: recorded when first shown, rescaled on each resize.
    void followsTheWindowsOwnEvents()
    {
        Window w;
        QVERIFY(!w.resize->isRecorded());
        w.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
        QVERIFY(w.resize->isRecorded());
        w.window->resize(800, 600);
        QTRY_COMPARE(w.label->geometry(), QRect(40, 20, 400, 60));
        QCOMPARE(w.label->font().pixelSize(), 32);
        w.window->resize(200, 100);
        QTRY_COMPARE(w.window->size(), QSize(320, 200));
        QTRY_COMPARE(w.button->geometry(), QRect(240, 167, 64, 20));
    }
};

QTEST_MAIN(TestAutoResize)
#include "tst_autoresize.moc"
