#include "platform/controlhost/propertystore.h"
#include "platform/release.h"
#include "skin/skinartwork.h"
#include "skin/skinstrip.h"
#include "skin/xp_canvas.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

const QColor kOuter(102, 102, 126);
const QColor kHighlight(251, 252, 253);
const QColor kClient(224, 223, 227);

// A frameless window wearing the frame, as the program's windows do.
struct FramedWindow
{
    explicit FramedWindow(QSize size = QSize(300, 200), const QString &caption = QString())
        : window(std::make_unique<QWidget>(nullptr, Qt::Window | Qt::FramelessWindowHint))
    {
        window->resize(size);
        frame = new xp_canvas(window.get());
        frame->setObjectName(QStringLiteral("xp_canvas1"));
        frame->initProperties();
        if (!caption.isNull())
            frame->setCaption(caption);
    }
    QImage shot() const { return frame->grab().toImage(); }

    std::unique_ptr<QWidget> window;
    xp_canvas *frame;
};

// A picture in which every pixel tells its own place: red from the column,
// green from the row.
QImage placeCoded(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, qRgb(x * 3, y * 8, 77));
    return picture;
}

bool sameRegion(const QImage &a, QPoint aFrom, const QImage &b, QPoint bFrom, QSize size)
{
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            if (a.pixel(aFrom + QPoint(x, y)) != b.pixel(bFrom + QPoint(x, y)))
                return false;
    return true;
}

bool waitForState(QWidget *window, Qt::WindowState state)
{
    return QTest::qWaitFor([&] { return window->windowState().testFlag(state); });
}

} // namespace

class TestXpCanvas : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void stripsTakeTheirPlaces_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("300 x 200") << QSize(300, 200);
        QTest::newRow("100 x 60") << QSize(100, 60);
        QTest::newRow("main window") << QSize(1016, 711);
        QTest::newRow("questionnaire window") << QSize(521, 305);
    }
    void stripsTakeTheirPlaces()
    {
        QFETCH(QSize, size);
        FramedWindow framed(size);
        const int w = size.width();
        const int h = size.height();
        QCOMPARE(framed.frame->geometry(), QRect(QPoint(0, 0), size));
        QCOMPARE(framed.frame->pictop->geometry(), QRect(0, 0, w, 29));
        QCOMPARE(framed.frame->picbottom->geometry(), QRect(0, h - 5, w, 5));
        QCOMPARE(framed.frame->picleft->geometry(), QRect(0, 29, 5, h - 34));
        QCOMPARE(framed.frame->picright->geometry(), QRect(w - 5, 29, 5, h - 34));
        QCOMPARE(framed.frame->imgicon->geometry(), QRect(6, 8, 16, 16));
        QCOMPARE(framed.frame->lblcaption->pos(), QPoint(26, 6));
    }

    void frameFollowsItsWindowsSize()
    {
        FramedWindow framed;
        framed.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(framed.window.get()));
        framed.window->resize(410, 250);
        QCOMPARE(framed.frame->geometry(), QRect(0, 0, 410, 250));
        QCOMPARE(framed.frame->picright->geometry(), QRect(405, 29, 5, 216));
        QCOMPARE(framed.frame->picbottom->geometry(), QRect(0, 245, 410, 5));
    }

    // Each border strip, outside in.
    void borderStripsShowTheirLines_data()
    {
        QTest::addColumn<int>("fromOutside");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("outer line") << 0 << kOuter;
        QTest::newRow("highlight") << 1 << kHighlight;
        QTest::newRow("inner line") << 2 << kOuter;
        QTest::newRow("client side 1") << 3 << kClient;
        QTest::newRow("client side 2") << 4 << kClient;
    }
    void borderStripsShowTheirLines()
    {
        QFETCH(int, fromOutside);
        QFETCH(QColor, colour);
        for (const QSize size : {QSize(300, 200), QSize(1016, 711), QSize(521, 305)}) {
            FramedWindow framed(size);
            const QImage shot = framed.shot();
            const int w = size.width();
            const int h = size.height();
            for (int y = 29; y < h - 5; ++y) {
                QCOMPARE(QColor(shot.pixel(fromOutside, y)), colour);
                QCOMPARE(QColor(shot.pixel(w - 1 - fromOutside, y)), colour);
            }
            for (int x = 0; x < w; ++x)
                QCOMPARE(QColor(shot.pixel(x, h - 1 - fromOutside)), colour);
        }
    }

    void clientAreaIsGrey()
    {
        FramedWindow framed;
        const QImage shot = framed.shot();
        for (const QPoint p : {QPoint(5, 29), QPoint(150, 100), QPoint(294, 194)})
            QCOMPARE(QColor(shot.pixel(p)), kClient);
    }

    // 66 x 29 title pictures: the 5-px end pieces stay as they are, the middle
    // is stretched to the strip's width.
    void titleEndPiecesAreUnscaledAndTheMiddleStretched_data()
    {
        QTest::addColumn<int>("width");
        QTest::newRow("100 px: 56 columns over 90") << 100;
        QTest::newRow("40 px: 56 columns over 30") << 40;
        QTest::newRow("1016 px") << 1016;
    }
    void titleEndPiecesAreUnscaledAndTheMiddleStretched()
    {
        QFETCH(int, width);
        FramedWindow framed(QSize(width, 60), QString(""));
        framed.frame->setIcon(QImage());
        const QImage source = placeCoded(66, 29);
        framed.frame->setSkins({source, SkinArtwork::titleMaximised(), SkinArtwork::leftBorder(),
                                SkinArtwork::rightBorder(), SkinArtwork::bottomBorder()},
                               SkinArtwork::titleMaximisedInactive());
        const QImage shot = framed.shot();
        QVERIFY(sameRegion(shot, QPoint(0, 0), source, QPoint(0, 0), QSize(5, 29)));
        QVERIFY(sameRegion(shot, QPoint(width - 5, 0), source, QPoint(61, 0), QSize(5, 29)));
        // The middle: each column is one source column of the middle, unscaled
        // in height, in order from the first to the last.
        int previous = 4;
        for (int x = 5; x < width - 5; ++x) {
            const int sourceColumn = qRed(shot.pixel(x, 0)) / 3;
            QVERIFY2(sourceColumn >= 5 && sourceColumn <= 60, qPrintable(QString::number(x)));
            QVERIFY(sourceColumn >= previous);
            previous = sourceColumn;
            for (int y = 0; y < 29; ++y)
                QCOMPARE(shot.pixel(x, y), source.pixel(sourceColumn, y));
        }
        QCOMPARE(qRed(shot.pixel(5, 0)) / 3, 5);
        QCOMPARE(qRed(shot.pixel(width - 6, 0)) / 3, 60);
    }

    void normalWindowShowsTheNormalTitleAndResizeCursors()
    {
        FramedWindow framed(QSize(300, 200), QString(""));
        framed.frame->setIcon(QImage());
        const QImage title = SkinArtwork::titleNormal();
        const QImage shot = framed.shot();
        QVERIFY(sameRegion(shot, QPoint(0, 0), title, QPoint(0, 0), QSize(5, 29)));
        QVERIFY(sameRegion(shot, QPoint(295, 0), title, QPoint(61, 0), QSize(5, 29)));
        QCOMPARE(framed.frame->picleft->cursor().shape(), Qt::SizeHorCursor);
        QCOMPARE(framed.frame->picright->cursor().shape(), Qt::SizeHorCursor);
        QCOMPARE(framed.frame->picbottom->cursor().shape(), Qt::SizeVerCursor);
    }

    void maximisedWindowShowsTheMaximisedTitleAndArrows()
    {
        FramedWindow framed(QSize(300, 200), QString(""));
        framed.frame->setIcon(QImage());
        framed.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(framed.window.get()));
        framed.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(framed.window.get()));
        framed.window->setWindowState(Qt::WindowMaximized);
        QVERIFY(waitForState(framed.window.get(), Qt::WindowMaximized));
        QTRY_COMPARE(framed.frame->size(), framed.window->size());

        const QImage title = SkinArtwork::titleMaximised();
        const QImage shot = framed.shot();
        const int w = framed.frame->width();
        QVERIFY(sameRegion(shot, QPoint(0, 0), title, QPoint(0, 0), QSize(5, 29)));
        QVERIFY(sameRegion(shot, QPoint(w - 5, 0), title, QPoint(61, 0), QSize(5, 29)));
        QCOMPARE(framed.frame->picleft->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(framed.frame->picright->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(framed.frame->picbottom->cursor().shape(), Qt::ArrowCursor);

        framed.window->setWindowState(Qt::WindowNoState);
        QTRY_COMPARE(framed.frame->picleft->cursor().shape(), Qt::SizeHorCursor);
        QVERIFY(sameRegion(framed.shot(), QPoint(0, 0), SkinArtwork::titleNormal(), QPoint(0, 0), QSize(5, 29)));
    }

    void fixedFrameShowsArrowsOnItsBorders()
    {
        FramedWindow framed;
        framed.frame->setFixedSingle(true);
        QCOMPARE(framed.frame->picleft->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(framed.frame->picright->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(framed.frame->picbottom->cursor().shape(), Qt::ArrowCursor);
        framed.frame->setFixedSingle(false);
        QCOMPARE(framed.frame->picbottom->cursor().shape(), Qt::SizeVerCursor);
    }

    void inactiveLookDiffersOnlyWhenMaximised()
    {
        FramedWindow framed(QSize(300, 200), QString("Анкета"));
        FramedWindow other(QSize(200, 100));
        framed.window->show();
        other.window->move(400, 300);
        other.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(framed.window.get()));
        QVERIFY(QTest::qWaitForWindowExposed(other.window.get()));

        framed.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(framed.window.get()));
        const QImage activeNormal = framed.shot();
        other.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(other.window.get()));
        QVERIFY(!framed.window->isActiveWindow());
        QCOMPARE(framed.shot(), activeNormal);

        framed.window->setWindowState(Qt::WindowMaximized);
        QVERIFY(waitForState(framed.window.get(), Qt::WindowMaximized));
        QTRY_COMPARE(framed.frame->size(), framed.window->size());
        if (framed.window->isActiveWindow()) {
            other.window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(other.window.get()));
        }
        const QImage pale = SkinArtwork::titleMaximisedInactive();
        const int w = framed.frame->width();
        QVERIFY(sameRegion(framed.shot(), QPoint(0, 0), pale, QPoint(0, 0), QSize(5, 29)));
        QVERIFY(sameRegion(framed.shot(), QPoint(w - 5, 0), pale, QPoint(61, 0), QSize(5, 29)));

        framed.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(framed.window.get()));
        QVERIFY(sameRegion(framed.shot(), QPoint(0, 0), SkinArtwork::titleMaximised(), QPoint(0, 0), QSize(5, 29)));
    }

    void noActiveWindowMeansTheInactiveLook()
    {
        FramedWindow framed;
        framed.window->show();
        framed.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(framed.window.get()));
        QCOMPARE(framed.frame->currentSkin().topmax, framed.frame->activeSkin().topmax);
        framed.window->hide();
        QTRY_VERIFY(!framed.window->isActiveWindow());
        QTRY_COMPARE(framed.frame->currentSkin().topmax, framed.frame->inactiveSkin().topmax);
    }

    void newFrameShowsTheActiveLook()
    {
        FramedWindow framed;
        QCOMPARE(framed.frame->currentSkin().top, framed.frame->activeSkin().top);
        QCOMPARE(framed.frame->currentSkin().topmax, SkinArtwork::titleMaximised());
        // The inactive look shares every picture but the maximised title.
        QCOMPARE(framed.frame->inactiveSkin().top, framed.frame->activeSkin().top);
        QCOMPARE(framed.frame->inactiveSkin().left, framed.frame->activeSkin().left);
        QCOMPARE(framed.frame->inactiveSkin().right, framed.frame->activeSkin().right);
        QCOMPARE(framed.frame->inactiveSkin().bottom, framed.frame->activeSkin().bottom);
        QCOMPARE(framed.frame->inactiveSkin().topmax, SkinArtwork::titleMaximisedInactive());
    }

    void setFocusShowsTheActiveLook()
    {
        FramedWindow framed;
        framed.frame->ApplyInactiveSkin();
        framed.frame->SetFocus();
        QCOMPARE(framed.frame->currentSkin().topmax, framed.frame->activeSkin().topmax);
    }

    void captionIsDrawnInArialBoldBlackAndNamesTheWindow()
    {
        FramedWindow framed;
        QSignalSpy changed(framed.frame, &xp_canvas::propertyChanged);
        framed.frame->setCaption(QStringLiteral("Пальмора " PALMORA_VERSION));
        QCOMPARE(framed.frame->caption(), QStringLiteral("Пальмора " PALMORA_VERSION));
        QCOMPARE(framed.frame->lblcaption->text(), QStringLiteral("Пальмора " PALMORA_VERSION));
        QCOMPARE(framed.window->windowTitle(), QStringLiteral("Пальмора " PALMORA_VERSION));
        QCOMPARE(changed.value(0).value(0).toString(), QStringLiteral("Caption"));

        const QLabel *label = framed.frame->lblcaption;
        QCOMPARE(label->font().family(), QStringLiteral("Arial"));
        QVERIFY(label->font().bold());
        QCOMPARE(label->font().pixelSize(), 12);
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::black));
        QVERIFY(!label->autoFillBackground());
        QCOMPARE(label->pos(), QPoint(26, 6));
        QCOMPARE(label->size(), label->sizeHint());
        // Black text on the silver title.
        const QImage shot = framed.shot();
        bool black = false;
        for (int x = label->x(); x < label->x() + label->width() && !black; ++x)
            for (int y = label->y(); y < label->y() + label->height() && !black; ++y)
                black = QColor(shot.pixel(x, y)) == QColor(Qt::black);
        QVERIFY(black);
    }

    void iconIsShownAt16By16()
    {
        FramedWindow framed(QSize(300, 200), QString(""));
        QImage red(33, 33, QImage::Format_RGB32);
        red.fill(QColor(200, 0, 0));
        framed.frame->setIcon(red);
        QCOMPARE(framed.frame->icon(), red);
        const QImage shot = framed.shot();
        for (const QPoint p : {QPoint(6, 8), QPoint(21, 23), QPoint(13, 15)})
            QCOMPARE(QColor(shot.pixel(p)), QColor(200, 0, 0));
        QVERIFY(QColor(shot.pixel(22, 15)) != QColor(200, 0, 0));
        QVERIFY(QColor(shot.pixel(13, 24)) != QColor(200, 0, 0));
    }

    void newFrameStoresNothing()
    {
        FramedWindow framed;
        QCOMPARE(framed.frame->caption(), QStringLiteral("xp_canvas1"));
        QCOMPARE(framed.frame->icon(), SkinArtwork::defaultIcon());
        QVERIFY(!framed.frame->fixedSingle());
        PropertyStore store;
        framed.frame->writeProperties(store);
        QVERIFY(store.isEmpty());
    }

    void storedSettingsAreReadBack_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("fixed");
        QTest::newRow("main window") << QStringLiteral("Пальмора " PALMORA_VERSION) << false;
        QTest::newRow("questionnaire window") << QStringLiteral("Анкета") << false;
        QTest::newRow("fixed") << QStringLiteral("xp_canvas1") << true;
    }
    void storedSettingsAreReadBack()
    {
        QFETCH(QString, caption);
        QFETCH(bool, fixed);
        FramedWindow framed;
        PropertyStore design;
        design.write(QStringLiteral("Caption"), caption, QStringLiteral("xp_canvas1"));
        design.write(QStringLiteral("Fixed_Single"), fixed, false);
        framed.frame->readProperties(design);
        QCOMPARE(framed.frame->caption(), caption);
        QCOMPARE(framed.window->windowTitle(), caption);
        QCOMPARE(framed.frame->fixedSingle(), fixed);
        QCOMPARE(framed.frame->icon(), SkinArtwork::defaultIcon());

        PropertyStore saved;
        framed.frame->writeProperties(saved);
        QCOMPARE(saved.keys(), design.keys());
        QCOMPARE(saved.read(QStringLiteral("Caption"), QString()), design.read(QStringLiteral("Caption"), QString()));
    }

    void writingFixedSingleMarksItChanged()
    {
        FramedWindow framed;
        QSignalSpy changed(framed.frame, &xp_canvas::propertyChanged);
        framed.frame->setFixedSingle(true);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.at(0).at(0).toString(), QStringLiteral("Fixed_Single"));
    }

    void everyLayoutPassEndsWithResize()
    {
        FramedWindow framed;
        framed.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(framed.window.get()));
        QSignalSpy resized(framed.frame, &xp_canvas::Resize);
        int calls = 0;
        QRect rightStripWhenRaised;
        connect(framed.frame, &xp_canvas::Resize, framed.frame, [&] {
            ++calls;
            rightStripWhenRaised = framed.frame->picright->geometry();
        });
        framed.window->resize(350, 220);
        QCOMPARE(calls, 1);
        QCOMPARE(rightStripWhenRaised, QRect(345, 29, 5, 186));
        framed.frame->setCaption(QStringLiteral("x"));
        QCOMPARE(calls, 2);
    }

    void minimisedWindowKeepsItsTitleAndCursors()
    {
        FramedWindow framed(QSize(300, 200), QString(""));
        framed.frame->setIcon(QImage());
        framed.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(framed.window.get()));
        const QImage titleBefore = framed.frame->pictop->drawing();
        framed.frame->setSkins({placeCoded(66, 29), placeCoded(66, 29), SkinArtwork::rightBorder(),
                                SkinArtwork::leftBorder(), SkinArtwork::bottomBorder()},
                               SkinArtwork::titleMaximisedInactive());
        // Shown normally, the title takes the new picture and the strips theirs.
        QVERIFY(framed.frame->pictop->drawing() != titleBefore);
        framed.frame->setSkins({SkinArtwork::titleNormal(), SkinArtwork::titleMaximised(), SkinArtwork::leftBorder(),
                                SkinArtwork::rightBorder(), SkinArtwork::bottomBorder()},
                               SkinArtwork::titleMaximisedInactive());
        QCOMPARE(framed.frame->pictop->drawing(), titleBefore);

        framed.window->setWindowState(Qt::WindowMinimized);
        QVERIFY(waitForState(framed.window.get(), Qt::WindowMinimized));
        framed.frame->setFixedSingle(true);
        framed.frame->setSkins({placeCoded(66, 29), placeCoded(66, 29), SkinArtwork::rightBorder(),
                                SkinArtwork::leftBorder(), SkinArtwork::bottomBorder()},
                               SkinArtwork::titleMaximisedInactive());
        QCOMPARE(framed.frame->pictop->drawing(), titleBefore);
        // The border strips are painted again all the same.
        QCOMPARE(QColor(framed.frame->picleft->drawing().pixel(4, 0)), kOuter);
        // Fixed makes arrows in any state.
        QCOMPARE(framed.frame->picleft->cursor().shape(), Qt::ArrowCursor);
        framed.frame->setFixedSingle(false);
        QCOMPARE(framed.frame->picleft->cursor().shape(), Qt::ArrowCursor);
    }

    void makeTransPaintsTheTitleEndCapsBeneathTheWindow()
    {
        // The caps go where the frame's title strip has them: the target is
        // meant to be the frame's own window.
        FramedWindow framed;
        QWidget target;
        target.resize(300, 100);
        auto *child = new QLabel(QStringLiteral("child"), &target);
        child->setGeometry(0, 0, 60, 12);
        framed.frame->make_trans(&target);
        const QImage shot = target.grab().toImage();
        const QImage title = SkinArtwork::titleNormal();
        QVERIFY(sameRegion(shot, QPoint(0, 12), title, QPoint(0, 12), QSize(5, 17)));
        QVERIFY(sameRegion(shot, QPoint(295, 0), title, QPoint(61, 0), QSize(5, 29)));
        // Between and below the caps, the window's own background.
        QCOMPARE(shot.pixel(100, 10), shot.pixel(100, 90));
        QCOMPARE(shot.pixel(5, 20), shot.pixel(100, 90));
        QCOMPARE(shot.pixel(2, 29), shot.pixel(100, 90));
        // The label lies above the caps.
        QVERIFY(!sameRegion(shot, QPoint(0, 0), title, QPoint(0, 0), QSize(5, 12)));
    }

    void makeTransPaintsNoCapsOnAMaximisedWindow()
    {
        FramedWindow framed;
        QWidget target;
        target.resize(300, 100);
        target.setWindowState(Qt::WindowMaximized);
        framed.frame->make_trans(&target);
        const QImage shot = target.grab().toImage();
        for (const QPoint p : {QPoint(0, 0), QPoint(2, 10), QPoint(299, 0), QPoint(297, 20)})
            QCOMPARE(shot.pixel(p), shot.pixel(100, 90));
    }

    void alwaysOnTopHonoursItsFlagWithoutMovingTheWindow_data()
    {
        QTest::addColumn<bool>("onTop");
        QTest::newRow("on top") << true;
        QTest::newRow("no longer on top") << false;
    }
    void alwaysOnTopHonoursItsFlagWithoutMovingTheWindow()
    {
        QFETCH(bool, onTop);
        FramedWindow framed;
        framed.window->setGeometry(120, 90, 300, 200);
        framed.window->setWindowFlag(Qt::WindowStaysOnTopHint, !onTop);
        framed.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(framed.window.get()));
        const QRect before = framed.window->geometry();
        bool flag = onTop;
        framed.frame->AlwaysOnTop(framed.window.get(), flag);
        QVERIFY(flag);
        QCOMPARE(framed.window->windowFlags().testFlag(Qt::WindowStaysOnTopHint), onTop);
        QVERIFY(framed.window->isVisible());
        QTRY_COMPARE(framed.window->geometry(), before);
    }

    void clientAreaRaisesItsMouseEvents()
    {
        FramedWindow framed;
        auto *control = new QLabel(QStringLiteral("control"), framed.frame);
        control->setGeometry(100, 100, 60, 20);
        framed.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(framed.window.get()));
        QStringList events;
        connect(framed.frame, &xp_canvas::MouseDown, framed.frame, [&](int button, int, float x, float y) {
            events << QStringLiteral("MouseDown %1 %2,%3").arg(button).arg(x).arg(y);
        });
        connect(framed.frame, &xp_canvas::MouseUp, framed.frame,
                [&](int button, int, float, float) { events << QStringLiteral("MouseUp %1").arg(button); });
        connect(framed.frame, &xp_canvas::Click, framed.frame, [&] { events << QStringLiteral("Click"); });
        connect(framed.frame, &xp_canvas::DblClick, framed.frame, [&] { events << QStringLiteral("DblClick"); });
        QWindow *handle = framed.window->windowHandle();

        QTest::mouseClick(handle, Qt::LeftButton, {}, QPoint(50, 60));
        QCOMPARE(events, QStringList({"MouseDown 1 50,60", "MouseUp 1", "Click"}));
        events.clear();
        QTest::mouseDClick(handle, Qt::LeftButton, {}, QPoint(50, 60));
        QCOMPARE(events, QStringList({"MouseDown 1 50,60", "MouseUp 1", "Click", "DblClick", "MouseUp 1"}));
        events.clear();
        // The strips, the icon, the caption and the host's own controls keep their input.
        for (const QPoint p :
             {QPoint(2, 100), QPoint(297, 100), QPoint(150, 197), QPoint(150, 15), QPoint(10, 12), QPoint(120, 110)}) {
            QTest::mouseClick(handle, Qt::RightButton, {}, p);
        }
        QCOMPARE(events, QStringList());
        QTest::mouseClick(handle, Qt::RightButton, {}, QPoint(250, 150));
        QCOMPARE(events, QStringList({"MouseDown 2 250,150", "MouseUp 2"}));
        events.clear();
        // Only the left button double-clicks.
        QTest::mouseDClick(handle, Qt::RightButton, {}, QPoint(250, 150));
        QCOMPARE(events, QStringList({"MouseDown 2 250,150", "MouseUp 2", "MouseDown 2 250,150", "MouseUp 2"}));
    }

    void focusedFrameRaisesItsKeyEvents()
    {
        FramedWindow framed;
        framed.window->show();
        framed.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(framed.window.get()));
        QTest::mouseClick(framed.window->windowHandle(), Qt::LeftButton, {}, QPoint(150, 100));
        QVERIFY(framed.frame->hasFocus());
        QStringList events;
        connect(framed.frame, &xp_canvas::KeyDown, framed.frame,
                [&](int key, int shift) { events << QStringLiteral("KeyDown %1 %2").arg(key).arg(shift); });
        connect(framed.frame, &xp_canvas::KeyPress, framed.frame,
                [&](int ascii) { events << QStringLiteral("KeyPress %1").arg(ascii); });
        connect(framed.frame, &xp_canvas::KeyUp, framed.frame,
                [&](int key, int shift) { events << QStringLiteral("KeyUp %1 %2").arg(key).arg(shift); });
        QTest::keyClick(framed.window->windowHandle(), Qt::Key_A, Qt::ShiftModifier);
        // The platform's own values: Shift goes down first and comes up last.
        QTest::keyClick(framed.window->windowHandle(), Qt::Key_B);
        QCOMPARE(events,
                 QStringList(
                     {QStringLiteral("KeyDown %1 1").arg(Qt::Key_Shift), QStringLiteral("KeyDown %1 1").arg(Qt::Key_A),
                      QStringLiteral("KeyPress %1").arg(int('a')), QStringLiteral("KeyUp %1 1").arg(Qt::Key_A),
                      QStringLiteral("KeyUp %1 0").arg(Qt::Key_Shift), QStringLiteral("KeyDown %1 0").arg(Qt::Key_B),
                      QStringLiteral("KeyPress %1").arg(int('b')), QStringLiteral("KeyUp %1 0").arg(Qt::Key_B)}));
    }
};

QTEST_MAIN(TestXpCanvas)
#include "tst_xp_canvas.moc"
