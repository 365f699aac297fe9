#include "app/form1.h"
#include "platform/testsupport/quitflag.h"
#include "skin/tests/borderlinerows.h"
#include "platform/eventloop.h"
#include "platform/testsupport/pointerfollower.h"
#include "platform/testsupport/temporaryinstallation.h"
#include "skin/skinstrip.h"
#include "skin/xp_canvas.h"
#include "skin/xptopbuttons.h"
#include "platform/widgets/framebox.h"
#include "platform/widgets/xtab.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

namespace {

const QSize kDesignSize(1016, 711);

// A point of the window's strips, in its own coordinates.
QPoint titlePoint() { return QPoint(500, 14); }
QPoint leftStripPoint() { return QPoint(2, 300); }

} // namespace

// The main window wears the program's own frame.
class TestForm1Frame : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        m_install = std::make_unique<TemporaryInstallation>();
        QVERIFY(m_install->isValid());
    }
    void init() { clearQuitFlag(); }
    void cleanupTestCase() { m_install.reset(); }

    void frameIsTheWindowsOnlyDecoration()
    {
        Form1 window;
        QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(window.xp_canvas1->geometry(), QRect(QPoint(0, 0), kDesignSize));
        QCOMPARE(window.xp_canvas1->caption(), QStringLiteral("Пальмора 2.1"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Пальмора 2.1"));
        QVERIFY(!window.xp_canvas1->fixedSingle());
        // The toolbar and the tabs lie on the frame's surface, above it.
        QCOMPARE(window.Frame1->parentWidget(), window.xp_canvas1);
        QCOMPARE(window.XTab1->parentWidget(), window.xp_canvas1);
    }

    // Outside in, on the left, right and bottom strips.
    void stripsShowTheirLines_data()
    {
        addBorderLineRows();
    }
    void stripsShowTheirLines()
    {
        QFETCH(int, fromOutside);
        QFETCH(QColor, colour);
        Form1 window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage shot = window.grab().toImage();
        const int w = kDesignSize.width();
        const int h = kDesignSize.height();
        // Wherever a strip is what shows: the toolbar's frame overlaps the
        // side strips' inner columns for a few rows, as designed.
        int checked = 0;
        auto check = [&](QPoint p) {
            const QWidget *shown = window.childAt(p);
            if (shown != window.xp_canvas1->picleft && shown != window.xp_canvas1->picright
                && shown != window.xp_canvas1->picbottom)
                return true;
            ++checked;
            return QColor(shot.pixel(p)) == colour;
        };
        for (int y = 29; y < h - 5; ++y) {
            QVERIFY2(check(QPoint(fromOutside, y)), qPrintable(QString::number(y)));
            QVERIFY2(check(QPoint(w - 1 - fromOutside, y)), qPrintable(QString::number(y)));
        }
        for (int x = 0; x < w; ++x)
            QVERIFY2(check(QPoint(x, h - 1 - fromOutside)), qPrintable(QString::number(x)));
        // All but the few overlapped rows.
        QVERIFY(checked > 2 * (h - 34 - 40) + w);
    }

    void titleBarButtonsSitAtTheirPlacesWithTheirGlyphs_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<int>("glyph");
        QTest::newRow("minimise") << "xptopbuttons2" << QRect(964, 5, 21, 21) << int(xptopbuttons::Minimise);
        QTest::newRow("close") << "xptopbuttons1" << QRect(987, 5, 21, 21) << int(xptopbuttons::Close);
    }
    void titleBarButtonsSitAtTheirPlacesWithTheirGlyphs()
    {
        QFETCH(QString, name);
        QFETCH(QRect, place);
        QFETCH(int, glyph);
        Form1 window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *button = window.xp_canvas1->findChild<xptopbuttons *>(name);
        QVERIFY(button);
        QCOMPARE(button->geometry(), place);
        QCOMPARE(button->value(), glyph);
        QCOMPARE(button->stripIndex(), glyph);
        // The face on the window is the glyph's normal cell where it is opaque.
        const QImage shot = window.grab(place).toImage();
        const QImage face = xptopbuttons::glyphStrip(glyph).cell(0);
        for (int y = 0; y < face.height(); ++y)
            for (int x = 0; x < face.width(); ++x)
                if (qAlpha(face.pixel(x, y)) == 255)
                    QCOMPARE(shot.pixel(x, y), face.pixel(x, y));
    }

    void closeButtonEndsTheProgram()
    {
        PointerFollower pointer;
        Form1 window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy ended(&window, &Form1::programEnded);
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(997, 15));
        QCOMPARE(ended.size(), 1);
        QVERIFY(EventLoop::quitRequested());
    }

    void minimiseButtonMinimisesTheWindow()
    {
        PointerFollower pointer;
        Form1 window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy ended(&window, &Form1::programEnded);
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(974, 15));
        QTRY_VERIFY(window.windowState().testFlag(Qt::WindowMinimized));
        QVERIFY(ended.isEmpty());
    }

    void titleDragMovesTheWindowByTheDrag()
    {
        Form1 window;
        window.move(40, 30);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QPoint origin = window.pos();
        QTest::mousePress(window.windowHandle(), Qt::LeftButton, {}, titlePoint());
        QTest::mouseMove(window.windowHandle(), titlePoint() + QPoint(33, 17));
        QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, {}, titlePoint());
        QTRY_COMPARE(window.pos(), origin + QPoint(33, 17));
        QCOMPARE(window.size(), kDesignSize);
    }

    // The window keeps its size: a left-strip drag only shifts it.
    void leftStripDragShiftsTheWindow()
    {
        Form1 window;
        window.move(40, 30);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect before = window.geometry();
        QTest::mousePress(window.windowHandle(), Qt::LeftButton, {}, leftStripPoint());
        QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, {}, leftStripPoint() + QPoint(20, 0));
        QTRY_COMPARE(window.geometry(), before.translated(20, 0));
        QTest::qWait(20);
        QCOMPARE(window.geometry(), before.translated(20, 0));
        QCOMPARE(window.xp_canvas1->size(), kDesignSize);
    }

private:
    std::unique_ptr<TemporaryInstallation> m_install;
};

QTEST_MAIN(TestForm1Frame)
#include "tst_form1frame.moc"
