#include "controlonwindow.h"

#include "controls/xpcheckbox.h"
#include "platform/controlhost/colorvalue.h"
#include "platform/controlhost/controlproperties.h"
#include "platform/controlhost/propertystore.h"
#include "platform/testsupport/pointerevents.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QSignalSpy>

namespace {

using BoxOnWindow = ControlOnWindow<xpcheckbox>;

bool showsCell(xpcheckbox *box, int cell)
{
    return showsPicture(box, xpcheckbox::cellImage(cell), box->boxRect().topLeft());
}

// Whether some pixel of the grabbed rectangle has exactly this colour.
bool hasPixelOf(QWidget *widget, QRect area, QColor colour)
{
    const QImage shot = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (shot.pixelColor(x, y) == colour)
                return true;
    return false;
}

const QColor kButtonFace(236, 233, 216);
const QColor kGrayCaption(161, 161, 146);

} // namespace

class TestXpCheckBox : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { useFixedPalette(); }

    void newBoxTakesTheCreationDefaults()
    {
        QWidget container;
        container.setFont(QFont(QStringLiteral("Liberation Serif"), 13));
        xpcheckbox box(&container);
        box.setObjectName(QStringLiteral("xpcheckbox7"));
        box.initProperties();
        QCOMPARE(box.value(), 0);
        QCOMPARE(box.caption(), QStringLiteral("xpcheckbox7"));
        QCOMPARE(box.backColor(), 0x8000000Fu);
        QCOMPARE(box.foreColor(), 0u);
        QCOMPARE(box.font(), container.font());
        QVERIFY(box.isEnabled());
        // Nothing differs from a new box, so nothing is stored.
        PropertyStore store;
        box.writeProperties(store);
        QVERIFY(store.isEmpty());
    }

    // The main window's box: 17 x 17, stored checked with its own caption.
    void check1ShowsItsCheckedCellOnTheButtonFace()
    {
        BoxOnWindow on(QSize(17, 17), "Check1");
        on.control->readProperties(
            PropertyStore{{QStringLiteral("Value"), 1}, {QStringLiteral("Caption"), QStringLiteral("xpcheckbox1")}});
        QVERIFY(on.show());
        QCOMPARE(on.control->value(), 1);
        QVERIFY(on.control->isChecked());
        QCOMPARE(on.control->caption(), QStringLiteral("xpcheckbox1"));
        QCOMPARE(on.control->cell(), 4);
        QVERIFY(showsCell(on.control, 4));
        const QImage shot = on.control->grab().toImage();
        // The green mark, inside the frame.
        QCOMPARE(shot.pixelColor(7, 8), QColor(32, 160, 32));
        QCOMPARE(shot.pixelColor(0, 0), QColor(31, 80, 128));
        // The 17th column and row are the control's own background.
        for (int i = 0; i < 17; ++i) {
            QCOMPARE(shot.pixelColor(16, i), kButtonFace);
            QCOMPARE(shot.pixelColor(i, 16), kButtonFace);
        }
        // The caption lies beyond the visible area.
        QVERIFY(on.control->labelRect().left() >= on.control->width());
    }

    void valueShowsItsCell_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("cell");
        QTest::newRow("unchecked") << 0 << true << 0;
        QTest::newRow("checked") << 1 << true << 4;
        QTest::newRow("grayed") << 2 << true << 8;
        QTest::newRow("unchecked, disabled") << 0 << false << 3;
        QTest::newRow("checked, disabled") << 1 << false << 7;
        QTest::newRow("grayed, disabled") << 2 << false << 11;
    }
    void valueShowsItsCell()
    {
        QFETCH(int, value);
        QFETCH(bool, enabled);
        QFETCH(int, cell);
        xpcheckbox box;
        box.resize(120, 20);
        box.setValue(value);
        box.setEnabled(enabled);
        QCOMPARE(box.cell(), cell);
        QVERIFY(showsCell(&box, cell));
        box.setEnabled(true);
        QCOMPARE(box.cell(), 4 * value);
    }

    void otherValuesAreStoredButKeepThePicture()
    {
        xpcheckbox box;
        box.resize(17, 17);
        box.setValue(1);
        QSignalSpy changed(&box, &xpcheckbox::propertyChanged);
        box.setValue(3);
        QCOMPARE(box.value(), 3);
        QCOMPARE(box.cell(), 4);
        QVERIFY(showsCell(&box, 4));
        QVERIFY(!box.isChecked());
        QCOMPARE(changed.value(0).value(0).toString(), QStringLiteral("Value"));
        PropertyStore store;
        box.writeProperties(store);
        QCOMPARE(store.read(QStringLiteral("Value"), 0), 3);
    }

    // A click: Click sees the old value, then the value changes and the
    // normal cell of the new value shows.
    void clickTogglesAfterRaisingClick_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::newRow("checked becomes unchecked") << 1 << 0;
        QTest::newRow("unchecked becomes checked") << 0 << 1;
        QTest::newRow("grayed becomes unchecked, never checked") << 2 << 0;
        QTest::newRow("another value stays") << 3 << 3;
    }
    void clickTogglesAfterRaisingClick()
    {
        QFETCH(int, before);
        QFETCH(int, after);
        BoxOnWindow on(QSize(17, 17));
        on.control->setValue(2);
        on.control->setValue(before);
        QVERIFY(on.show());
        const int cellBefore = on.control->cell();
        QStringList events;
        connect(on.control, &xpcheckbox::MouseDown, on.control,
                [&] { events << QStringLiteral("MouseDown cell %1").arg(on.control->cell()); });
        connect(on.control, &xpcheckbox::MouseUp, on.control,
                [&] { events << QStringLiteral("MouseUp value %1").arg(on.control->value()); });
        connect(on.control, &xpcheckbox::Click, on.control,
                [&] { events << QStringLiteral("Click value %1").arg(on.control->value()); });
        QTest::mouseMove(on.handle(), on.at(8, 8));
        QTest::mousePress(on.handle(), Qt::LeftButton, {}, on.at(8, 8));
        QTest::mouseRelease(on.handle(), Qt::LeftButton, {}, on.at(8, 8));
        const int pressedCell = before <= 2 ? 4 * before + 2 : cellBefore;
        QCOMPARE(events,
                 QStringList({QStringLiteral("MouseDown cell %1").arg(pressedCell),
                              QStringLiteral("MouseUp value %1").arg(before),
                              QStringLiteral("Click value %1").arg(before)}));
        QCOMPARE(on.control->value(), after);
        const int normal = after <= 2 ? 4 * after : pressedCell;
        QCOMPARE(on.control->cell(), normal);
        QVERIFY(showsCell(on.control, normal));
    }

    // The cell after each input, the pointer staying over a checked box.
    void cellsFollowTheMouse_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("cell");
        QTest::addColumn<int>("value");
        QTest::newRow("hover") << "move" << 5 << 1;
        QTest::newRow("left press") << "press left" << 6 << 1;
        QTest::newRow("right press") << "press right" << 6 << 1;
        QTest::newRow("drag with the left button") << "press left, move" << 6 << 1;
        QTest::newRow("move with the right button") << "press right, move" << 5 << 1;
        QTest::newRow("right release changes nothing") << "press right, release" << 6 << 1;
        QTest::newRow("left release clicks") << "press left, release" << 0 << 0;
        QTest::newRow("hover after the click") << "press left, release, move" << 1 << 0;
    }
    void cellsFollowTheMouse()
    {
        QFETCH(QString, input);
        QFETCH(int, cell);
        QFETCH(int, value);
        BoxOnWindow on(QSize(17, 17));
        on.control->setValue(1);
        QVERIFY(on.show());
        const Qt::MouseButton button = input.contains(QStringLiteral("right")) ? Qt::RightButton : Qt::LeftButton;
        QTest::mouseMove(on.handle(), on.at(6, 6));
        if (input.startsWith(QStringLiteral("press")))
            QTest::mousePress(on.handle(), button, {}, on.at(7, 7));
        if (input.contains(QStringLiteral("release")))
            QTest::mouseRelease(on.handle(), button, {}, on.at(7, 7));
        if (input.endsWith(QStringLiteral("move")))
            QTest::mouseMove(on.handle(), on.at(9, 8));
        QCOMPARE(on.control->cell(), cell);
        QCOMPARE(on.control->value(), value);
        QVERIFY(showsCell(on.control, cell));
        // The pointer is still over it: the poll changes nothing.
        QTest::qWait(kPollWait);
        QCOMPARE(on.control->cell(), cell);
        if (input.startsWith(QStringLiteral("press")) && !input.contains(QStringLiteral("release")))
            QTest::mouseRelease(on.handle(), button, {}, on.at(7, 7));
    }

    void disabledBoxIgnoresTheMouse()
    {
        BoxOnWindow on(QSize(17, 17));
        on.control->setValue(1);
        on.control->setEnabled(false);
        QVERIFY(on.show());
        QSignalSpy moves(on.control, &xpcheckbox::MouseMove);
        QSignalSpy clicks(on.control, &xpcheckbox::Click);
        QTest::mouseMove(on.handle(), on.at(6, 6));
        QTest::mouseClick(on.handle(), Qt::LeftButton, {}, on.at(6, 6));
        QVERIFY(moves.isEmpty());
        QVERIFY(clicks.isEmpty());
        QCOMPARE(on.control->value(), 1);
        QCOMPARE(on.control->cell(), 7);
    }

    // Both far edges count as inside, for MouseMove and for the poll.
    void theFarEdgeCountsAsInside()
    {
        BoxOnWindow on(QSize(17, 17));
        QVERIFY(on.show());
        QSignalSpy moves(on.control, &xpcheckbox::MouseMove);
        QSignalSpy outs(on.control, &xpcheckbox::MouseOut);
        QTest::mouseMove(on.handle(), on.at(5, 5));
        QTest::mousePress(on.handle(), Qt::LeftButton, {}, on.at(5, 5));
        QTest::mouseMove(on.handle(), on.at(17, 17));
        QCOMPARE(moves.size(), 2);
        QCOMPARE(moves.last().value(2).toFloat(), 17.0f);
        QCOMPARE(moves.last().value(3).toFloat(), 17.0f);
        QCOMPARE(on.control->cell(), 2);
        QTest::qWait(kPollWait);
        QVERIFY(outs.isEmpty());
        // One pixel further is outside.
        QTest::mouseMove(on.handle(), on.at(18, 17));
        QCOMPARE(moves.size(), 2);
        QTRY_COMPARE(outs.size(), 1);
        QCOMPARE(on.control->cell(), 0);
        QTest::mouseRelease(on.handle(), Qt::LeftButton, {}, on.at(18, 17));
        QCOMPARE(on.control->value(), 0);
    }

    void leavingRaisesOneMouseOutAfterTheNormalCell()
    {
        BoxOnWindow on(QSize(17, 17));
        on.control->setValue(2);
        QVERIFY(on.show());
        int cellAtMouseOut = -1;
        QSignalSpy outs(on.control, &xpcheckbox::MouseOut);
        connect(on.control, &xpcheckbox::MouseOut, on.control, [&] { cellAtMouseOut = on.control->cell(); });
        QTest::mouseMove(on.handle(), on.at(8, 8));
        QCOMPARE(on.control->cell(), 9);
        QVERIFY(on.control->isPolling());
        QTest::mouseMove(on.handle(), on.at(60, 8));
        QTest::mouseMove(on.handle(), on.at(80, 20));
        QTRY_VERIFY(!outs.isEmpty());
        QTest::qWait(kPollWait);
        QCOMPARE(outs.size(), 1);
        QCOMPARE(cellAtMouseOut, 8);
        QVERIFY(!on.control->isPolling());
    }

    // A press dragged off the box reports the pointer gone once, and the
    // release away from it is no click.
    void pressDraggedOffRaisesOneMouseOut()
    {
        BoxOnWindow on(QSize(17, 17));
        on.control->setValue(1);
        QVERIFY(on.show());
        QSignalSpy outs(on.control, &xpcheckbox::MouseOut);
        QSignalSpy ups(on.control, &xpcheckbox::MouseUp);
        QSignalSpy clicks(on.control, &xpcheckbox::Click);
        QTest::mouseMove(on.handle(), on.at(8, 8));
        QTest::mousePress(on.handle(), Qt::LeftButton, {}, on.at(8, 8));
        for (int x = 30; x <= 90; x += 20) {
            QTest::mouseMove(on.handle(), on.at(x, 8));
            QTest::qWait(2 * xpcheckbox::pollInterval);
        }
        QTest::qWait(kPollWait);
        QCOMPARE(outs.size(), 1);
        QCOMPARE(on.control->cell(), 4);
        QTest::mouseRelease(on.handle(), Qt::LeftButton, {}, on.at(90, 8));
        QCOMPARE(ups.size(), 1);
        QVERIFY(clicks.isEmpty());
        QCOMPARE(on.control->value(), 1);
    }

    void firstPollAfterCreationReportsThePointerAway()
    {
        BoxOnWindow on(QSize(17, 17));
        QSignalSpy outs(on.control, &xpcheckbox::MouseOut);
        QTRY_COMPARE(outs.size(), 1);
        QTest::qWait(kPollWait);
        QCOMPARE(outs.size(), 1);
    }

    void keysRaiseTheirEventsAndNeverToggle_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("keyCode");
        QTest::addColumn<int>("keyAscii"); // 0: no KeyPress
        QTest::newRow("space") << int(Qt::Key_Space) << " " << 32 << 32;
        QTest::newRow("enter") << int(Qt::Key_Return) << "\r" << 13 << 13;
        QTest::newRow("letter") << int(Qt::Key_A) << "a" << 65 << 97;
        QTest::newRow("cyrillic letter") << 0x416 << "ж" << 0 << 0xE6;
        QTest::newRow("arrow") << int(Qt::Key_Down) << "" << 40 << 0;
    }
    void keysRaiseTheirEventsAndNeverToggle()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(int, keyCode);
        QFETCH(int, keyAscii);
        BoxOnWindow on(QSize(17, 17));
        on.control->setValue(1);
        QVERIFY(on.show());
        on.control->setFocus();
        QSignalSpy downs(on.control, &xpcheckbox::KeyDown);
        QSignalSpy presses(on.control, &xpcheckbox::KeyPress);
        QSignalSpy ups(on.control, &xpcheckbox::KeyUp);
        QSignalSpy clicks(on.control, &xpcheckbox::Click);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QApplication::sendEvent(on.control, &press);
        QApplication::sendEvent(on.control, &release);
        QCOMPARE(downs.size(), 1);
        QCOMPARE(downs.first().value(0).toInt(), keyCode);
        QCOMPARE(ups.size(), 1);
        QCOMPARE(ups.first().value(0).toInt(), keyCode);
        QCOMPARE(presses.size(), keyAscii ? 1 : 0);
        if (keyAscii)
            QCOMPARE(presses.first().value(0).toInt(), keyAscii);
        QVERIFY(clicks.isEmpty());
        QCOMPARE(on.control->value(), 1);
        QCOMPARE(on.control->cell(), 4);
    }

    void spaceThroughTheWindowTogglesNothing()
    {
        BoxOnWindow on(QSize(17, 17));
        on.control->setValue(1);
        QVERIFY(on.show());
        on.control->setFocus();
        QSignalSpy downs(on.control, &xpcheckbox::KeyDown);
        QTest::keyClick(on.handle(), Qt::Key_Space);
        QCOMPARE(downs.size(), 1);
        QCOMPARE(on.control->value(), 1);
        QVERIFY(on.control->isChecked());
    }

    // The caption is gray while the box is disabled, whatever ForeColor says.
    void captionColourFollowsTheEnabledState()
    {
        xpcheckbox box;
        box.resize(160, 20);
        box.setCaption(QStringLiteral("Слова"));
        box.setForeColor(ColorValue::rgb(200, 0, 0));
        const QRect label = box.labelRect();
        QCOMPARE(box.labelColour(), QColor(200, 0, 0));
        QVERIFY(hasPixelOf(&box, label, QColor(200, 0, 0)));

        box.setEnabled(false);
        QCOMPARE(box.labelColour(), kGrayCaption);
        QVERIFY(hasPixelOf(&box, label, kGrayCaption));
        QVERIFY(!hasPixelOf(&box, label, QColor(200, 0, 0)));

        // Stored while disabled, shown once enabled.
        box.setForeColor(ColorValue::rgb(0, 0, 200));
        QCOMPARE(box.foreColor(), ColorValue::rgb(0, 0, 200));
        QCOMPARE(box.labelColour(), kGrayCaption);
        box.setEnabled(true);
        QCOMPARE(box.labelColour(), QColor(0, 0, 200));
        QVERIFY(hasPixelOf(&box, label, QColor(0, 0, 200)));
    }

    void boxAndLabelAreCentredVertically_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("boxTop");
        QTest::newRow("17 px") << 17 << 0;
        QTest::newRow("16 px") << 16 << 0;
        QTest::newRow("31 px") << 31 << 7;
        QTest::newRow("40 px") << 40 << 12;
    }
    void boxAndLabelAreCentredVertically()
    {
        QFETCH(int, height);
        QFETCH(int, boxTop);
        xpcheckbox box;
        box.setCaption(QStringLiteral("Подпись"));
        box.resize(150, height);
        QCOMPARE(box.boxRect(), QRect(0, boxTop, 16, 16));
        QVERIFY(showsCell(&box, 0));
        const QRect label = box.labelRect();
        QCOMPARE(label.left(), 32);
        // As much room above the label as below, to the pixel.
        QVERIFY(qAbs(label.top() - (height - label.bottom() - 1)) <= 1);
    }

    void settingsRoundTripThroughTheStore_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("stored");
        QTest::newRow("Value") << "Value" << QVariant(2);
        QTest::newRow("Caption") << "Caption" << QVariant(QStringLiteral("Искать по словам"));
        QTest::newRow("Enabled") << "Enabled" << QVariant(false);
        QTest::newRow("Font") << "Font" << QVariant(QFont(QStringLiteral("Liberation Serif"), 15));
        QTest::newRow("BackColor") << "BackColor" << QVariant(ColorValue::rgb(1, 2, 3));
        QTest::newRow("ForeColor") << "ForeColor" << QVariant(ColorValue::system(ColorValue::buttonText));
    }
    void settingsRoundTripThroughTheStore()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, stored);
        QWidget container;
        xpcheckbox box(&container);
        box.setObjectName(QStringLiteral("Check9"));
        box.readProperties(PropertyStore{{key, stored}});
        PropertyStore written;
        box.writeProperties(written);
        QCOMPARE(written.keys(), QStringList{key});
        QCOMPARE(written.read(key, QVariant()), stored);
    }

    void heldAsAButtonItIsCheckedExactlyAtValueOne()
    {
        xpcheckbox box;
        box.resize(17, 17);
        QAbstractButton *button = &box;
        QSignalSpy toggled(button, &QAbstractButton::toggled);
        box.setValue(1);
        QVERIFY(button->isChecked());
        box.setValue(2);
        QVERIFY(!button->isChecked());
        QCOMPARE(toggled.size(), 2);
        button->setChecked(true);
        QCOMPARE(box.value(), 1);
        QCOMPARE(box.cell(), 4);
        button->setChecked(false);
        QCOMPARE(box.value(), 0);
        QCOMPARE(box.cell(), 0);
        // Unchecking a grayed box leaves it grayed.
        box.setValue(2);
        button->setChecked(false);
        QCOMPARE(box.value(), 2);
    }

    void accessibleAsACheckBox_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<bool>("mixed");
        QTest::newRow("unchecked") << 0 << false << false;
        QTest::newRow("checked") << 1 << true << false;
        QTest::newRow("grayed") << 2 << false << true;
    }
    void accessibleAsACheckBox()
    {
        QFETCH(int, value);
        QFETCH(bool, checked);
        QFETCH(bool, mixed);
        QWidget window;
        auto *box = new xpcheckbox(&window);
        box->setCaption(QStringLiteral("xpcheckbox1"));
        box->setValue(value);
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(box);
        QVERIFY(face);
        QCOMPARE(face->role(), QAccessible::CheckBox);
        QVERIFY(face->state().checkable);
        QCOMPARE(bool(face->state().checked), checked);
        QCOMPARE(bool(face->state().checkStateMixed), mixed);
        // Without a hint the caption names it; with one, the hint does.
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("xpcheckbox1"));
        box->setProperty(ControlProperty::Hint, QStringLiteral("Поиск по словам"));
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Поиск по словам"));
    }

    void accessibleToggleClicks()
    {
        QWidget window;
        auto *box = new xpcheckbox(&window);
        box->setValue(1);
        QSignalSpy clicks(box, &xpcheckbox::Click);
        QAccessibleActionInterface *actions = QAccessible::queryAccessibleInterface(box)->actionInterface();
        QVERIFY(actions);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
        actions->doAction(QAccessibleActionInterface::toggleAction());
        QCOMPARE(clicks.size(), 1);
        QCOMPARE(box->value(), 0);
    }

    // Where the platform cannot report the pointer outside its windows
    // (Wayland), the poll goes on finding it where it last was. The window's
    // leave ends the hover at once; the box's own leave has the platform's
    // fresh place looked at, where one past the far edge still counts.
    void leaveEventsEndTheHover_data()
    {
        QTest::addColumn<QString>("leave");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<int>("cell");
        QTest::addColumn<int>("mouseOuts");
        QTest::newRow("window left, poll still inside") << "window" << QPoint(8, 8) << 0 << 1;
        QTest::newRow("box left for the window") << "box" << QPoint(40, 8) << 0 << 1;
        QTest::newRow("box left for its far edge") << "box" << QPoint(17, 17) << 1 << 0;
    }
    void leaveEventsEndTheHover()
    {
        QFETCH(QString, leave);
        QFETCH(QPoint, to);
        QFETCH(int, cell);
        QFETCH(int, mouseOuts);
        BoxOnWindow on(QSize(17, 17));
        QVERIFY(on.show());
        QTest::mouseMove(on.handle(), on.at(8, 8));
        QCOMPARE(on.control->cell(), 1);
        QSignalSpy outs(on.control, &xpcheckbox::MouseOut);
        if (leave == QLatin1String("window"))
            leaveWindow(on.handle());
        else
            QTest::mouseMove(on.handle(), on.at(to.x(), to.y()));
        // At once, before any tick of the poll.
        QCOMPARE(outs.size(), mouseOuts);
        QCOMPARE(on.control->cell(), cell);
        QTest::qWait(kPollWait);
        QCOMPARE(outs.size(), mouseOuts);
        QCOMPARE(on.control->cell(), cell);
        QVERIFY(showsCell(on.control, cell));
        // Coming back lights it again.
        QTest::mouseMove(on.handle(), on.at(9, 9));
        QCOMPARE(on.control->cell(), 1);
    }

    // The window was moved without the program hearing of it (no notice from
    // the window manager): the poll still places the pointer by where the
    // box's own events showed it.
    void hoverHoldsAfterAMoveTheProgramDidNotHear()
    {
        BoxOnWindow on(QSize(17, 17));
        QVERIFY(on.show());
        const QPoint shift(300, 120);
        moveOnWindowMovedBy(on.handle(), on.at(8, 8), shift);
        QCOMPARE(on.control->cell(), 1);
        QSignalSpy outs(on.control, &xpcheckbox::MouseOut);
        QTest::qWait(kPollWait);
        QVERIFY(outs.isEmpty());
        QCOMPARE(on.control->cell(), 1);
        on.pointer.moveTo(on.window->mapToGlobal(on.at(40, 8)) + shift);
        QTRY_COMPARE(outs.size(), 1);
        QCOMPARE(on.control->cell(), 0);
    }
};

QTEST_MAIN(TestXpCheckBox)
#include "tst_xpcheckbox.moc"
