#include "controlonwindow.h"

#include "controls/xpgroupbox.h"
#include "controls/xpradiobutton.h"
#include "platform/controlhost/colorvalue.h"
#include "platform/controlhost/propertystore.h"

#include <QAccessible>
#include <QSignalSpy>

namespace {

using RadioOnWindow = ControlOnWindow<xpradiobutton>;

bool showsCell(xpradiobutton *radio, int cell)
{
    return showsPicture(radio, xpradiobutton::cellImage(cell), radio->boxRect().topLeft());
}

// Three radio buttons of one window: two in one frame, one in another.
struct ThreeInTwoFrames
{
    ThreeInTwoFrames()
        : window(std::make_unique<QWidget>(nullptr, Qt::Window | Qt::FramelessWindowHint))
    {
        window->setGeometry(100, 100, 400, 200);
        for (int f = 0; f < 2; ++f) {
            frames[f] = new xpgroupbox(window.get());
            frames[f]->setObjectName(QStringLiteral("Frame%1").arg(f + 1));
            frames[f]->initProperties();
            frames[f]->setGeometry(10 + 190 * f, 10, 180, 120);
        }
        for (int r = 0; r < 3; ++r) {
            radios[r] = new xpradiobutton(frames[r / 2]);
            radios[r]->setObjectName(QStringLiteral("Option%1").arg(r + 1));
            radios[r]->initProperties();
            radios[r]->setGeometry(10, 30 + 40 * (r % 2), 150, 20);
        }
    }
    QPoint centreOf(int r) const { return radios[r]->mapTo(window.get(), QPoint(8, 10)); }
    QList<bool> values() const { return {radios[0]->value(), radios[1]->value(), radios[2]->value()}; }

    PointerFollower pointer;
    std::unique_ptr<QWidget> window;
    xpgroupbox *frames[2];
    xpradiobutton *radios[3];
};

} // namespace

class TestXpRadioButton : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { useFixedPalette(); }

    void cellFollowsValueAndLook_data()
    {
        QTest::addColumn<bool>("value");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("cell");
        QTest::newRow("clear") << false << true << 0;
        QTest::newRow("set") << true << true << 4;
        QTest::newRow("clear, disabled") << false << false << 3;
        QTest::newRow("set, disabled") << true << false << 7;
    }
    void cellFollowsValueAndLook()
    {
        QFETCH(bool, value);
        QFETCH(bool, enabled);
        QFETCH(int, cell);
        xpradiobutton radio;
        radio.resize(120, 20);
        radio.setValue(value);
        radio.setEnabled(enabled);
        QCOMPARE(radio.cell(), cell);
        QVERIFY(showsCell(&radio, cell));
        QCOMPARE(radio.isChecked(), value);
    }

    // A click clears every radio button of the window, whatever frame holds it.
    void clickLeavesExactlyTheClickedOneSet_data()
    {
        QTest::addColumn<int>("clicked");
        QTest::addColumn<QList<bool>>("values");
        QTest::newRow("first frame, first") << 0 << QList<bool>{true, false, false};
        QTest::newRow("first frame, second") << 1 << QList<bool>{false, true, false};
        QTest::newRow("second frame") << 2 << QList<bool>{false, false, true};
    }
    void clickLeavesExactlyTheClickedOneSet()
    {
        QFETCH(int, clicked);
        QFETCH(QList<bool>, values);
        ThreeInTwoFrames three;
        // Every one set beforehand, so each must be cleared.
        for (xpradiobutton *radio : three.radios)
            radio->setValue(true);
        three.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(three.window.get()));
        QTest::mouseMove(three.window->windowHandle(), three.centreOf(clicked));
        QTest::mouseClick(three.window->windowHandle(), Qt::LeftButton, {}, three.centreOf(clicked));
        QCOMPARE(three.values(), values);
        for (int r = 0; r < 3; ++r)
            QCOMPARE(three.radios[r]->cell(), values[r] ? 4 : 0);
    }

    void clickRaisesClickBeforeAnyValueChanges()
    {
        ThreeInTwoFrames three;
        three.radios[2]->setValue(true);
        three.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(three.window.get()));
        QList<bool> seen;
        connect(three.radios[0], &xpradiobutton::Click, three.radios[0], [&] { seen = three.values(); });
        QTest::mouseClick(three.window->windowHandle(), Qt::LeftButton, {}, three.centreOf(0));
        QCOMPARE(seen, QList<bool>({false, false, true}));
        QCOMPARE(three.values(), QList<bool>({true, false, false}));
    }

    void radioButtonsOfAnotherWindowAreLeftAlone()
    {
        ThreeInTwoFrames three;
        QWidget other;
        auto *elsewhere = new xpradiobutton(&other);
        elsewhere->setValue(true);
        three.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(three.window.get()));
        QTest::mouseClick(three.window->windowHandle(), Qt::LeftButton, {}, three.centreOf(1));
        QVERIFY(three.radios[1]->value());
        QVERIFY(elsewhere->value());
    }

    // The poll raises MouseOut before it shows the normal cell.
    void leavingRaisesMouseOutBeforeTheNormalCell()
    {
        RadioOnWindow on(QSize(120, 20));
        on.control->setValue(true);
        QVERIFY(on.show());
        int cellAtMouseOut = -1;
        QSignalSpy outs(on.control, &xpradiobutton::MouseOut);
        connect(on.control, &xpradiobutton::MouseOut, on.control, [&] { cellAtMouseOut = on.control->cell(); });
        QTest::mouseMove(on.handle(), on.at(6, 10));
        QCOMPARE(on.control->cell(), 5);
        QTest::mouseMove(on.handle(), on.at(6, 60));
        QTRY_COMPARE(outs.size(), 1);
        QCOMPARE(cellAtMouseOut, 5);
        QCOMPARE(on.control->cell(), 4);
        QTest::qWait(kPollWait);
        QCOMPARE(outs.size(), 1);
    }

    void pressAndDragShowThePressedCell()
    {
        RadioOnWindow on(QSize(120, 20));
        QVERIFY(on.show());
        QTest::mouseMove(on.handle(), on.at(6, 10));
        QCOMPARE(on.control->cell(), 1);
        QTest::mousePress(on.handle(), Qt::LeftButton, {}, on.at(6, 10));
        QCOMPARE(on.control->cell(), 2);
        QTest::mouseMove(on.handle(), on.at(30, 10));
        QCOMPARE(on.control->cell(), 2);
        QTest::mouseRelease(on.handle(), Qt::LeftButton, {}, on.at(30, 10));
        QVERIFY(on.control->value());
        QCOMPARE(on.control->cell(), 4);
    }

    void keysNeverSetIt()
    {
        RadioOnWindow on(QSize(120, 20));
        QVERIFY(on.show());
        on.control->setFocus();
        QSignalSpy downs(on.control, &xpradiobutton::KeyDown);
        QTest::keyClick(on.handle(), Qt::Key_Space);
        QTest::keyClick(on.handle(), Qt::Key_Down);
        QCOMPARE(downs.size(), 2);
        QVERIFY(!on.control->value());
    }

    void foreColorWrittenWhileDisabledLeavesTheGrayCaption()
    {
        xpradiobutton radio;
        radio.setEnabled(false);
        radio.setForeColor(ColorValue::rgb(0, 128, 0));
        QCOMPARE(radio.foreColor(), ColorValue::rgb(0, 128, 0));
        QCOMPARE(radio.labelColour(), QColor(161, 161, 146));
        radio.setEnabled(true);
        QCOMPARE(radio.labelColour(), QColor(0, 128, 0));
    }

    // Enabled is no persisted change for the radio button; the others are.
    void writesThatMarkTheDesignDataChanged_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<bool>("notifies");
        QTest::newRow("Value") << "Value" << true;
        QTest::newRow("Caption") << "Caption" << true;
        QTest::newRow("Font") << "Font" << true;
        QTest::newRow("BackColor") << "BackColor" << true;
        QTest::newRow("ForeColor") << "ForeColor" << true;
        QTest::newRow("Enabled") << "Enabled" << false;
    }
    void writesThatMarkTheDesignDataChanged()
    {
        QFETCH(QString, property);
        QFETCH(bool, notifies);
        xpradiobutton radio;
        QSignalSpy changed(&radio, &xpradiobutton::propertyChanged);
        if (property == QLatin1String("Value"))
            radio.setValue(true);
        else if (property == QLatin1String("Caption"))
            radio.setCaption(QStringLiteral("По фразе"));
        else if (property == QLatin1String("Font"))
            radio.setFont(QFont(QStringLiteral("Liberation Sans"), 17));
        else if (property == QLatin1String("BackColor"))
            radio.setBackColor(ColorValue::rgb(1, 1, 1));
        else if (property == QLatin1String("ForeColor"))
            radio.setForeColor(ColorValue::rgb(1, 1, 1));
        else
            radio.setEnabled(false);
        QCOMPARE(changed.contains(QVariantList{property}), notifies);
    }

    void settingsRoundTripThroughTheStore()
    {
        QWidget container;
        xpradiobutton radio(&container);
        radio.setObjectName(QStringLiteral("Option1"));
        const PropertyStore stored{{QStringLiteral("Value"), true},
                                   {QStringLiteral("Caption"), QStringLiteral("По словам")},
                                   {QStringLiteral("ForeColor"), ColorValue::rgb(0, 0, 128)}};
        radio.readProperties(stored);
        QVERIFY(radio.value());
        QCOMPARE(radio.caption(), QStringLiteral("По словам"));
        PropertyStore written;
        radio.writeProperties(written);
        QCOMPARE(written.keys(), stored.keys());
        for (const QString &key : stored.keys())
            QCOMPARE(written.read(key, QVariant()), stored.read(key, QVariant()));
    }

    void accessibleAsARadioButton()
    {
        QWidget window;
        auto *radio = new xpradiobutton(&window);
        radio->setCaption(QStringLiteral("По словам"));
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(radio);
        QVERIFY(face);
        QCOMPARE(face->role(), QAccessible::RadioButton);
        QVERIFY(!face->state().checked);
        radio->setValue(true);
        QVERIFY(face->state().checked);
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("По словам"));
    }
};

QTEST_MAIN(TestXpRadioButton)
#include "tst_xpradiobutton.moc"
