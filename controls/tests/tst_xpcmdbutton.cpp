#include "controlonwindow.h"

#include "controls/xpcmdbutton.h"
#include "platform/controlhost/propertystore.h"

#include <QAccessible>
#include <QSignalSpy>

namespace {

using CommandOnWindow = ControlOnWindow<xpcmdbutton>;

// A hidden widget gets its resize event when it is first shown or grabbed.
QImage faceOf(xpcmdbutton &button)
{
    button.grab();
    return button.face().convertToFormat(QImage::Format_ARGB32);
}

// Transparent pixels compare by their transparency alone.
bool samePixel(QRgb a, QRgb b)
{
    return (qAlpha(a) == 0 && qAlpha(b) == 0) || a == b;
}

} // namespace

class TestXpCmdButton : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { useFixedPalette(); }

    // Nine pieces: 3 x 3 corners unscaled, the edges and the 12 x 15 centre
    // stretched, here to 34 x 19.
    void fortyByTwentyFiveDrawsItsCellInNinePieces_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("cell");
        QTest::newRow("normal") << 0 << 0;
        QTest::newRow("default button") << 1 << 4;
    }
    void fortyByTwentyFiveDrawsItsCellInNinePieces()
    {
        QFETCH(int, state);
        QFETCH(int, cell);
        xpcmdbutton button;
        button.setState(state);
        button.setCaption(QString());
        button.resize(40, 25);
        QCOMPARE(button.drawnCell(), cell);
        const QImage face = faceOf(button);
        const QImage source = xpcmdbutton::cellImage(cell).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(face.size(), QSize(40, 25));

        // The corners, pixel for pixel.
        const struct
        {
            QPoint from, to;
        } corners[] = {{{0, 0}, {0, 0}}, {{15, 0}, {37, 0}}, {{15, 18}, {37, 22}}, {{0, 18}, {0, 22}}};
        for (const auto &c : corners)
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 3; ++x)
                    QVERIFY2(samePixel(face.pixel(c.to + QPoint(x, y)), source.pixel(c.from + QPoint(x, y))),
                             qPrintable(QStringLiteral("corner at %1,%2").arg(c.to.x() + x).arg(c.to.y() + y)));

        // The top and bottom edges keep their rows, the side edges their columns.
        for (int x = 3; x < 37; ++x)
            for (int y = 0; y < 3; ++y) {
                QCOMPARE(face.pixel(x, y), source.pixel(9, y));
                QCOMPARE(face.pixel(x, 22 + y), source.pixel(9, 18 + y));
            }
        for (int y = 3; y < 22; ++y) {
            QCOMPARE(face.pixel(0, y), source.pixel(0, 10));
            QCOMPARE(face.pixel(39, y), source.pixel(17, 10));
        }

        // The centre spans 3..36 x 3..21: its first row is the source's row 3,
        // its last row the source's row 17, and every row is one colour.
        QCOMPARE(face.pixel(3, 3), source.pixel(3, 3));
        QCOMPARE(face.pixel(36, 21), source.pixel(14, 17));
        for (int y = 3; y < 22; ++y)
            for (int x = 3; x < 37; ++x)
                QCOMPARE(face.pixel(x, y), face.pixel(3, y));
    }

    void stateChoosesTheCell_data()
    {
        QTest::addColumn<QList<int>>("states");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("cell");
        QTest::newRow("normal") << QList<int>{0} << true << 0;
        QTest::newRow("default") << QList<int>{1} << true << 4;
        QTest::newRow("5 after default keeps the default cell") << QList<int>{1, 5} << true << 4;
        QTest::newRow("5 after normal keeps the normal cell") << QList<int>{1, 0, 5} << true << 0;
        QTest::newRow("disabled default") << QList<int>{1} << false << 2;
    }
    void stateChoosesTheCell()
    {
        QFETCH(QList<int>, states);
        QFETCH(bool, enabled);
        QFETCH(int, cell);
        xpcmdbutton button;
        button.resize(60, 24);
        button.setEnabled(enabled);
        for (int state : states)
            button.setState(state);
        QCOMPARE(button.state(), states.last());
        QCOMPARE(button.drawnCell(), cell);
        QCOMPARE(faceOf(button).pixel(1, 12),
                 xpcmdbutton::cellImage(cell).convertToFormat(QImage::Format_ARGB32).pixel(1, 10));
        button.setEnabled(true);
        QCOMPARE(button.drawnCell(), button.stateCell());
    }

    void eventsAndCellsFollowTheMouse()
    {
        CommandOnWindow on(QSize(80, 26));
        on.control->setState(1);
        QVERIFY(on.show());
        QStringList events;
        const auto log = [&](const char *name) {
            return [&events, &on, name] {
                events << QStringLiteral("%1 cell %2").arg(QLatin1String(name)).arg(on.control->drawnCell());
            };
        };
        connect(on.control, &xpcmdbutton::MouseMove, on.control, log("MouseMove"));
        connect(on.control, &xpcmdbutton::MouseDown, on.control, log("MouseDown"));
        connect(on.control, &xpcmdbutton::MouseUp, on.control, log("MouseUp"));
        connect(on.control, &xpcmdbutton::Click, on.control, log("Click"));
        connect(on.control, &xpcmdbutton::MouseOut, on.control, log("MouseOut"));
        QTest::mouseMove(on.handle(), on.at(10, 10));
        QCOMPARE(on.control->drawnCell(), 3);
        QTest::mousePress(on.handle(), Qt::LeftButton, {}, on.at(10, 10));
        QCOMPARE(on.control->drawnCell(), 1);
        QTest::mouseMove(on.handle(), on.at(12, 10));
        QTest::mouseRelease(on.handle(), Qt::LeftButton, {}, on.at(12, 10));
        QCOMPARE(on.control->drawnCell(), 4);
        QTest::mouseMove(on.handle(), on.at(14, 10));
        QTest::mouseMove(on.handle(), on.at(14, 60));
        QTRY_VERIFY(events.last().startsWith(QLatin1String("MouseOut")));
        QCOMPARE(events,
                 QStringList({"MouseMove cell 4", "MouseDown cell 3", "MouseMove cell 1", "MouseUp cell 1",
                              "Click cell 4", "MouseMove cell 4", "MouseOut cell 3"}));
        QCOMPARE(on.control->drawnCell(), 4);
    }

    void pollIsOffUntilThePointerComes()
    {
        CommandOnWindow on(QSize(80, 26));
        QSignalSpy outs(on.control, &xpcmdbutton::MouseOut);
        QVERIFY(!on.control->isPolling());
        QVERIFY(on.show());
        QVERIFY(outs.isEmpty());
    }

    void accessKeyClicks()
    {
        CommandOnWindow on(QSize(80, 26));
        on.control->setCaption(QStringLiteral("&Далее"));
        QVERIFY(on.show());
        on.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(on.window.get()));
        QSignalSpy clicks(on.control, &xpcmdbutton::Click);
        QTest::sendKeyEvent(QTest::Click, on.handle(), Qt::Key(0x414), QStringLiteral("д"), Qt::AltModifier);
        QCOMPARE(clicks.size(), 1);
        QCOMPARE(on.control->drawnCell(), 0);
    }

    void keysOnlyRaiseTheirEvents()
    {
        CommandOnWindow on(QSize(80, 26));
        QVERIFY(on.show());
        on.control->setFocus();
        QSignalSpy downs(on.control, &xpcmdbutton::KeyDown);
        QSignalSpy ups(on.control, &xpcmdbutton::KeyUp);
        QSignalSpy clicks(on.control, &xpcmdbutton::Click);
        QTest::keyClick(on.handle(), Qt::Key_Space);
        QTest::keyClick(on.handle(), Qt::Key_Return);
        QCOMPARE(downs.size(), 2);
        QCOMPARE(ups.size(), 2);
        QVERIFY(clicks.isEmpty());
    }

    void captionIsCentredBlackOrGray_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("enabled") << true << QColor(0, 0, 0);
        QTest::newRow("disabled") << false << QColor(161, 161, 146);
    }
    void captionIsCentredBlackOrGray()
    {
        QFETCH(bool, enabled);
        QFETCH(QColor, colour);
        xpcmdbutton button;
        button.resize(100, 30);
        button.setCaption(QStringLiteral("Хватит"));
        button.setEnabled(enabled);
        const QRect label = button.labelRect();
        QVERIFY(qAbs(label.left() - (100 - label.right() - 1)) <= 1);
        QVERIFY(qAbs(label.top() - (30 - label.bottom() - 1)) <= 1);
        const QImage face = faceOf(button);
        bool found = false;
        for (int y = label.top(); y <= label.bottom() && !found; ++y)
            for (int x = label.left(); x <= label.right() && !found; ++x)
                found = QColor(face.pixel(x, y)) == colour;
        QVERIFY(found);
    }

    void writesThatMarkTheDesignDataChanged_data()
    {
        QTest::addColumn<QString>("property");
        QTest::newRow("State") << "State";
        QTest::newRow("Enabled") << "Enabled";
        QTest::newRow("Caption") << "Caption";
        QTest::newRow("Font") << "Font";
    }
    void writesThatMarkTheDesignDataChanged()
    {
        QFETCH(QString, property);
        xpcmdbutton button;
        QSignalSpy changed(&button, &xpcmdbutton::propertyChanged);
        if (property == QLatin1String("State"))
            button.setState(1);
        else if (property == QLatin1String("Enabled"))
            button.setEnabled(false);
        else if (property == QLatin1String("Caption"))
            button.setCaption(QStringLiteral("Далее"));
        else
            button.setFont(QFont(QStringLiteral("Liberation Sans"), 17));
        QVERIFY(changed.contains(QVariantList{property}));
    }

    void settingsRoundTripThroughTheStore()
    {
        QWidget container;
        xpcmdbutton button(&container);
        button.setObjectName(QStringLiteral("Command1"));
        const PropertyStore stored{{QStringLiteral("State"), 1},
                                   {QStringLiteral("Enabled"), false},
                                   {QStringLiteral("Caption"), QStringLiteral("&Далее")}};
        button.readProperties(stored);
        QCOMPARE(button.drawnCell(), 2);
        PropertyStore written;
        button.writeProperties(written);
        QCOMPARE(written.keys(), stored.keys());
        for (const QString &key : stored.keys())
            QCOMPARE(written.read(key, QVariant()), stored.read(key, QVariant()));
    }

    void accessibleAsAButton()
    {
        QWidget window;
        auto *button = new xpcmdbutton(&window);
        button->setCaption(QStringLiteral("&Далее"));
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(button);
        QVERIFY(face);
        QCOMPARE(face->role(), QAccessible::Button);
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Далее"));
        QVERIFY(!face->state().defaultButton);
        button->setState(1);
        QVERIFY(face->state().defaultButton);
        QSignalSpy clicks(button, &xpcmdbutton::Click);
        face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(clicks.size(), 1);
    }
};

QTEST_MAIN(TestXpCmdButton)
#include "tst_xpcmdbutton.moc"
