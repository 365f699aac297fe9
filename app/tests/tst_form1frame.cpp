#include "app/form1.h"
#include "platform/eventloop.h"
#include "platform/release.h"
#include "platform/testsupport/namedcontrol.h"
#include "platform/testsupport/pointerfollower.h"
#include "platform/testsupport/quitflag.h"
#include "platform/testsupport/temporaryinstallation.h"
#include "platform/widgets/framebox.h"
#include "platform/widgets/xtab.h"
#include "skin/skinstrip.h"
#include "skin/tests/borderlinerows.h"
#include "skin/xp_canvas.h"
#include "skin/xptopbuttons.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

namespace {

const QSize kDesignSize(1016, 711);

// A point of the window's strips, in its own coordinates.
QPoint titlePoint()
{
    return QPoint(500, 14);
}
QPoint leftStripPoint()
{
    return QPoint(2, 300);
}

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
        Form1 window(m_install->installation());
        QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(namedControl<xp_canvas>(window, "xp_canvas1")->geometry(), QRect(QPoint(0, 0), kDesignSize));
        QCOMPARE(namedControl<xp_canvas>(window, "xp_canvas1")->caption(), QStringLiteral("Пальмора " PALMORA_VERSION));
        QCOMPARE(window.windowTitle(), QStringLiteral("Пальмора " PALMORA_VERSION));
        QVERIFY(namedControl<xp_canvas>(window, "xp_canvas1")->fixedSingle());
        // The toolbar and the tabs lie on the frame's surface, above it.
        QCOMPARE(namedControl<FrameBox>(window, "Frame1")->parentWidget(),
                 namedControl<xp_canvas>(window, "xp_canvas1"));
        QCOMPARE(namedControl<XTab>(window, "XTab1")->parentWidget(), namedControl<xp_canvas>(window, "xp_canvas1"));
    }

    // Outside in, on the left, right and bottom strips.
    void stripsShowTheirLines_data() { addBorderLineRows(); }
    void stripsShowTheirLines()
    {
        QFETCH(int, fromOutside);
        QFETCH(QColor, colour);
        Form1 window(m_install->installation());
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
            if (shown != namedControl<xp_canvas>(window, "xp_canvas1")->picleft
                && shown != namedControl<xp_canvas>(window, "xp_canvas1")->picright
                && shown != namedControl<xp_canvas>(window, "xp_canvas1")->picbottom)
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
        Form1 window(m_install->installation());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *button = namedControl<xp_canvas>(window, "xp_canvas1")->findChild<xptopbuttons *>(name);
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
        Form1 window(m_install->installation());
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
        Form1 window(m_install->installation());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy ended(&window, &Form1::programEnded);
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(974, 15));
        QTRY_VERIFY(window.windowState().testFlag(Qt::WindowMinimized));
        QVERIFY(ended.isEmpty());
    }

    void titleDragMovesTheWindowByTheDrag()
    {
        Form1 window(m_install->installation());
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

    // A window of fixed size: its border strips show arrows and do nothing,
    // a double click on its caption leaves it as it is, and the window
    // system is told that its size cannot change.
    void theWindowIsFixedThroughout_data()
    {
        QTest::addColumn<QPoint>("strip");
        QTest::addColumn<QPoint>("drag");
        QTest::newRow("left") << leftStripPoint() << QPoint(20, 0);
        QTest::newRow("right") << QPoint(1013, 300) << QPoint(-40, 0);
        QTest::newRow("bottom") << QPoint(500, 708) << QPoint(0, -30);
    }
    void theWindowIsFixedThroughout()
    {
        QFETCH(QPoint, strip);
        QFETCH(QPoint, drag);
        Form1 window(m_install->installation());
        window.move(40, 30);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.minimumSize(), kDesignSize);
        QCOMPARE(window.maximumSize(), kDesignSize);
        QWidget *under = window.childAt(strip);
        QVERIFY(under);
        QCOMPARE(under->cursor().shape(), Qt::ArrowCursor);
        const QRect before = window.geometry();
        QTest::mousePress(window.windowHandle(), Qt::LeftButton, {}, strip);
        QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, {}, strip + drag);
        QTest::qWait(20);
        QCOMPARE(window.geometry(), before);
        QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {},
                           namedControl<xp_canvas>(window, "xp_canvas1")->lblcaption->geometry().center());
        QTest::qWait(20);
        QCOMPARE(window.windowState(), Qt::WindowNoState);
        QCOMPARE(window.geometry(), before);
    }

    // The toolbar lies inside the frame: the left border strip shows whole
    // beside it.
    void noControlCoversTheBorderStrips()
    {
        Form1 window(m_install->installation());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (const QPoint at : {QPoint(2, 40), QPoint(4, 62), QPoint(1012, 40), QPoint(500, 708), QPoint(2, 400)}) {
            QWidget *under = window.childAt(at);
            QVERIFY2(under == namedControl<xp_canvas>(window, "xp_canvas1")->picleft
                         || under == namedControl<xp_canvas>(window, "xp_canvas1")->picright
                         || under == namedControl<xp_canvas>(window, "xp_canvas1")->picbottom,
                     qPrintable(QStringLiteral("(%1, %2): %3")
                                    .arg(at.x())
                                    .arg(at.y())
                                    .arg(under ? under->objectName() : QString())));
        }
    }

private:
    std::unique_ptr<TemporaryInstallation> m_install;
};

QTEST_MAIN(TestForm1Frame)
#include "tst_form1frame.moc"
