#include "platform/testsupport/fakedialogs.h"
#include "questionnaire/form2.h"
#include "questionnaire/tests/form2controls.h"
#include "skin/skinstrip.h"
#include "skin/tests/borderlinerows.h"
#include "skin/xp_canvas.h"

#include <QAbstractButton>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QTest>

namespace {

const QSize kDesignSize(521, 305);
const QPoint kPlace(150, 120);

} // namespace

// The questionnaire window wears the program's own frame, and its border
// strips resize it.
class TestForm2Frame : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void frameIsTheWindowsOnlyDecoration()
    {
        Form2 form(Installation::ofRunningProgram(), m_dialogs);
        const Form2Controls controls(form);
        QVERIFY(form.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(form.size(), kDesignSize);
        QCOMPARE(controls.xp_canvas1->geometry(), QRect(QPoint(0, 0), kDesignSize));
        QCOMPARE(controls.xp_canvas1->caption(), QStringLiteral("Анкета"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Анкета"));
        QVERIFY(!controls.xp_canvas1->fixedSingle());
        for (QWidget *control : {static_cast<QWidget *>(controls.Label1), static_cast<QWidget *>(controls.List1),
                                 static_cast<QWidget *>(controls.List2)})
            QCOMPARE(control->parentWidget(), controls.xp_canvas1);
    }

    // Outside in, on the left, right and bottom strips.
    void stripsShowTheirLines_data() { addBorderLineRows(); }
    void stripsShowTheirLines()
    {
        QFETCH(int, fromOutside);
        QFETCH(QColor, colour);
        Form2 form(Installation::ofRunningProgram(), m_dialogs);
        form.present(kPlace);
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QImage shot = form.grab().toImage();
        const int w = kDesignSize.width();
        const int h = kDesignSize.height();
        for (int y = 29; y < h - 5; ++y) {
            QCOMPARE(QColor(shot.pixel(fromOutside, y)), colour);
            QCOMPARE(QColor(shot.pixel(w - 1 - fromOutside, y)), colour);
        }
        for (int x = 0; x < w; ++x)
            QCOMPARE(QColor(shot.pixel(x, h - 1 - fromOutside)), colour);
    }

    // Press on a strip, release elsewhere: the window changes at the release.
    void borderStripsResizeTheWindow_data()
    {
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<QPoint>("drag");
        QTest::addColumn<QRect>("expected");
        QTest::addColumn<QRect>("list");
        const QRect start(kPlace, kDesignSize);
        // The topic list at 8, 88, 497 x 164 grows and shrinks with the area
        // inside the frame's strips; the window never gets smaller than designed.
        QTest::newRow("right +40") << QPoint(518, 150) << QPoint(40, 0) << start.adjusted(0, 0, 40, 0)
                                   << QRect(8, 88, 536, 164);
        QTest::newRow("left -20") << QPoint(2, 150) << QPoint(-20, 0) << start.adjusted(-20, 0, 0, 0)
                                  << QRect(8, 88, 516, 164);
        QTest::newRow("bottom +30") << QPoint(260, 302) << QPoint(0, 30) << start.adjusted(0, 0, 0, 30)
                                    << QRect(8, 95, 497, 182);
        QTest::newRow("bottom above the top: no change")
            << QPoint(260, 302) << QPoint(0, -320) << start << QRect(8, 88, 497, 164);
        QTest::newRow("left past the design size: no change")
            << QPoint(2, 150) << QPoint(20, 0) << start << QRect(8, 88, 497, 164);
        QTest::newRow("right under the design size: no change")
            << QPoint(518, 150) << QPoint(-200, 0) << start << QRect(8, 88, 497, 164);
        QTest::newRow("bottom under the design size: no change")
            << QPoint(260, 302) << QPoint(0, -65) << start << QRect(8, 88, 497, 164);
    }
    void borderStripsResizeTheWindow()
    {
        QFETCH(QPoint, press);
        QFETCH(QPoint, drag);
        QFETCH(QRect, expected);
        QFETCH(QRect, list);
        Form2 form(Installation::ofRunningProgram(), m_dialogs);
        const Form2Controls controls(form);
        form.present(kPlace);
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QPoint release = press + drag;
        const bool outside = release.x() >= kDesignSize.width() || release.y() >= kDesignSize.height();
        if (outside)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("occurs outside target window")));
        QTest::mousePress(form.windowHandle(), Qt::LeftButton, {}, press);
        QTest::mouseRelease(form.windowHandle(), Qt::LeftButton, {}, release);
        QTRY_COMPARE(form.geometry(), expected);
        QCOMPARE(controls.xp_canvas1->geometry(), QRect(QPoint(0, 0), expected.size()));
        QTRY_COMPARE(controls.List2->geometry(), list);
    }

    // Two drags make the area inside the strips about a fifth larger each
    // way (615 x 332 from 511 x 271): every control grows with it from the
    // area's corner, and its font by the smaller growth.
    void borderDragsScaleTheControls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("design");
        QTest::addColumn<QRect>("scaled");
        QTest::addColumn<int>("designFont");
        QTest::addColumn<int>("scaledFont");
        QTest::newRow("Label1 (the question)") << "Label1" << QRect(8, 32, 497, 49) << QRect(9, 33, 598, 60) << 17 << 20;
        QTest::newRow("List2 (topics)") << "List2" << QRect(8, 88, 497, 164) << QRect(9, 101, 598, 201) << 13 << 16;
        QTest::newRow("List1 (answers)") << "List1" << QRect(8, 88, 497, 164) << QRect(9, 101, 598, 201) << 13 << 16;
        QTest::newRow("Command2 (next)") << "Command2" << QRect(8, 260, 153, 33) << QRect(9, 312, 184, 40) << 11 << 13;
        QTest::newRow("Command3 (stop)") << "Command3" << QRect(416, 260, 89, 33) << QRect(500, 312, 107, 40) << 11 << 13;
    }
    void borderDragsScaleTheControls()
    {
        QFETCH(QString, name);
        QFETCH(QRect, design);
        QFETCH(QRect, scaled);
        QFETCH(int, designFont);
        QFETCH(int, scaledFont);
        Form2 form(Installation::ofRunningProgram(), m_dialogs);
        const Form2Controls controls(form);
        form.present(kPlace);
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto *control = controls.xp_canvas1->findChild<QWidget *>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), design);
        QCOMPARE(control->font().pixelSize(), designFont);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("occurs outside target window")));
        QTest::mousePress(form.windowHandle(), Qt::LeftButton, {}, QPoint(518, 150));
        QTest::mouseRelease(form.windowHandle(), Qt::LeftButton, {}, QPoint(518 + 104, 150));
        QTRY_COMPARE(form.width(), 625);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("occurs outside target window")));
        QTest::mousePress(form.windowHandle(), Qt::LeftButton, {}, QPoint(260, 302));
        QTest::mouseRelease(form.windowHandle(), Qt::LeftButton, {}, QPoint(260, 302 + 61));
        QTRY_COMPARE(form.size(), QSize(625, 366));
        QTRY_COMPARE(control->geometry(), scaled);
        QCOMPARE(control->font().pixelSize(), scaledFont);
        // Dragged back, back to the design.
        QTest::mousePress(form.windowHandle(), Qt::LeftButton, {}, QPoint(622, 150));
        QTest::mouseRelease(form.windowHandle(), Qt::LeftButton, {}, QPoint(518, 150));
        QTest::mousePress(form.windowHandle(), Qt::LeftButton, {}, QPoint(260, 363));
        QTest::mouseRelease(form.windowHandle(), Qt::LeftButton, {}, QPoint(260, 302));
        QTRY_COMPARE(form.size(), kDesignSize);
        QTRY_COMPARE(control->geometry(), design);
        QCOMPARE(control->font().pixelSize(), designFont);
    }

    // However the window is sized, its controls stay inside the frame's
    // strips, and their fonts never get smaller than designed.
    void controlsStayInsideTheFrame_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("designed") << kDesignSize;
        QTest::newRow("wide") << QSize(780, 305);
        QTest::newRow("tall") << QSize(521, 640);
        QTest::newRow("large") << QSize(760, 640);
        QTest::newRow("asked smaller than designed") << QSize(320, 200);
    }
    void controlsStayInsideTheFrame()
    {
        QFETCH(QSize, size);
        Form2 form(Installation::ofRunningProgram(), m_dialogs);
        const Form2Controls controls(form);
        form.present(kPlace);
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        controls.Command2->show();
        controls.Command3->show();
        QHash<QWidget *, int> designFonts;
        for (QWidget *control : {static_cast<QWidget *>(controls.Label1), static_cast<QWidget *>(controls.List2),
                                 static_cast<QWidget *>(controls.Command2), static_cast<QWidget *>(controls.Command3)})
            designFonts.insert(control, control->font().pixelSize());
        form.resize(size);
        QTRY_COMPARE(form.size(), size.expandedTo(kDesignSize));
        const QRect inside(xp_canvas::borderSize, xp_canvas::titleHeight, form.width() - 2 * xp_canvas::borderSize,
                           form.height() - xp_canvas::titleHeight - xp_canvas::borderSize);
        for (auto it = designFonts.cbegin(); it != designFonts.cend(); ++it) {
            QVERIFY2(inside.contains(it.key()->geometry()), qPrintable(it.key()->objectName()));
            QVERIFY(it.key()->font().pixelSize() >= it.value());
        }
    }

    void titleDragMovesTheWindow()
    {
        Form2 form(Installation::ofRunningProgram(), m_dialogs);
        form.present(kPlace);
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::mousePress(form.windowHandle(), Qt::LeftButton, {}, QPoint(300, 12));
        QTest::mouseMove(form.windowHandle(), QPoint(300, 12) + QPoint(-40, 25));
        QTest::mouseRelease(form.windowHandle(), Qt::LeftButton, {}, QPoint(300, 12));
        QTRY_COMPARE(form.pos(), kPlace + QPoint(-40, 25));
        QCOMPARE(form.size(), kDesignSize);
    }

private:
    // The windows here show no message box.
    FakeDialogs m_dialogs;
};

QTEST_MAIN(TestForm2Frame)
#include "tst_form2frame.moc"
