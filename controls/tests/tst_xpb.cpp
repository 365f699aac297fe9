#include "buttonhost.h"

#include "controls/xpb.h"
#include "platform/controlhost/propertystore.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

namespace {

// Every event the button raises, in order, with its arguments.
class EventLog : public QObject
{
public:
    explicit EventLog(XpB *b)
    {
        const auto mouse = [this](const char *name) {
            return [this, name](int button, int shift, float x, float y) {
                entries
                    << QStringLiteral("%1 %2 %3 %4 %5").arg(QLatin1String(name)).arg(button).arg(shift).arg(x).arg(y);
            };
        };
        const auto key = [this](const char *name) {
            return [this, name](int code, int shift) {
                entries << QStringLiteral("%1 %2 %3").arg(QLatin1String(name)).arg(code).arg(shift);
            };
        };
        connect(b, &XpB::Click, this, [this] { entries << QStringLiteral("Click"); });
        connect(b, &XpB::KeyDown, this, key("KeyDown"));
        connect(b, &XpB::KeyUp, this, key("KeyUp"));
        connect(b, &XpB::MouseDown, this, mouse("MouseDown"));
        connect(b, &XpB::MouseMove, this, mouse("MouseMove"));
        connect(b, &XpB::MouseUp, this, mouse("MouseUp"));
        connect(b, &XpB::MouseIn, this, [this](int shift) { entries << QStringLiteral("MouseIn %1").arg(shift); });
        connect(b, &XpB::MouseOut, this, [this](int shift) { entries << QStringLiteral("MouseOut %1").arg(shift); });
    }
    QStringList entries;
};

void sendKey(QWindow *window, QEvent::Type type, Qt::Key key, bool autoRepeat)
{
    QKeyEvent event(type, key, Qt::NoModifier, key == Qt::Key_Space ? QStringLiteral(" ") : QString(), autoRepeat);
    QGuiApplication::sendEvent(window, &event);
}

// Runs a script of user actions on the host's button. The pointer starts away
// from the button; "in" and "out" move it over the button's centre and away.
void play(ButtonHost &host, const QStringList &script)
{
    QPoint at = host.elsewhere();
    for (const QString &step : script) {
        if (step == QLatin1String("in"))
            host.move(at = host.centre());
        else if (step == QLatin1String("nudge"))
            host.move(at = host.centre() + QPoint(1, 0));
        else if (step == QLatin1String("out"))
            host.move(at = host.elsewhere());
        else if (step == QLatin1String("press"))
            host.press(at);
        else if (step == QLatin1String("release"))
            host.release(at);
        else if (step == QLatin1String("right press"))
            host.press(at, Qt::RightButton);
        else if (step == QLatin1String("right release"))
            host.release(at, Qt::RightButton);
        else if (step == QLatin1String("double click"))
            QTest::mouseDClick(host.window(), Qt::LeftButton, {}, at);
        else if (step == QLatin1String("focus"))
            host.button->setFocus();
        else if (step == QLatin1String("space down"))
            sendKey(host.window(), QEvent::KeyPress, Qt::Key_Space, false);
        else if (step == QLatin1String("space up"))
            sendKey(host.window(), QEvent::KeyRelease, Qt::Key_Space, false);
        else if (step == QLatin1String("space repeat down"))
            sendKey(host.window(), QEvent::KeyPress, Qt::Key_Space, true);
        else if (step == QLatin1String("space repeat up"))
            sendKey(host.window(), QEvent::KeyRelease, Qt::Key_Space, true);
        else if (step == QLatin1String("shift A"))
            QTest::keyClick(host.window(), Qt::Key_A, Qt::ShiftModifier);
        else
            QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
    }
}

void activate(ButtonHost &host)
{
    host.widget()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(host.widget()));
}

} // namespace

class TestXpB : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { FixedColours::install(); }

    void events_data()
    {
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<QStringList>("expected");

        // The button's centre is (12, 11); the pointer elsewhere is at (170, 70) of it.
        const QString in = QStringLiteral("MouseIn 0");
        const QString out = QStringLiteral("MouseOut 0");
        const QString moveIn = QStringLiteral("MouseMove 0 0 12 11");
        const QString down = QStringLiteral("MouseDown 1 0 12 11");
        const QString up = QStringLiteral("MouseUp 1 0 12 11");
        const QString click = QStringLiteral("Click");
        const QString spaceDown = QStringLiteral("KeyDown 32 0");
        const QString spaceUp = QStringLiteral("KeyUp 32 0");
        const QString spaceRelease = QStringLiteral("MouseUp 1 0 0 0");

        QTest::newRow("a click") << QStringList{"in", "press", "release"} << QStringList{in, moveIn, down, click, up};
        QTest::newRow("the first move after a click enters again")
            << QStringList{"in", "press", "release", "nudge"}
            << QStringList{in, moveIn, down, click, up, in, "MouseMove 0 0 13 11"};
        QTest::newRow("leaving after a click")
            << QStringList{"in", "press", "release", "out"} << QStringList{in, moveIn, down, click, up, out};
        QTest::newRow("pressed, dragged off and released there")
            << QStringList{"in", "press", "out", "release"}
            << QStringList{in, moveIn, down, out, "MouseMove 1 0 170 70"};
        QTest::newRow("pressed, dragged off and back, released")
            << QStringList{"in", "press", "out", "in", "release"}
            << QStringList{in, moveIn, down, out, "MouseMove 1 0 170 70", in, "MouseMove 1 0 12 11", click, up};
        QTest::newRow("leaving with no button held") << QStringList{"in", "out"} << QStringList{in, moveIn, out};
        QTest::newRow("space with the pointer elsewhere")
            << QStringList{"focus", "space down", "space up"} << QStringList{spaceDown, click, spaceRelease, spaceUp};
        QTest::newRow("space with the pointer over the button")
            << QStringList{"in", "focus", "space down", "space up"}
            << QStringList{in, moveIn, spaceDown, click, spaceRelease, spaceUp};
        QTest::newRow("an auto-repeated space bar")
            << QStringList{"focus", "space down", "space repeat up", "space repeat down", "space up"}
            << QStringList{spaceDown, spaceDown, click, spaceRelease, spaceUp};
        QTest::newRow("the right button does not click")
            << QStringList{"in", "right press", "right release"}
            << QStringList{in, moveIn, "MouseDown 2 0 12 11", "MouseUp 2 0 12 11"};
        QTest::newRow("right button dragged off and back")
            << QStringList{"in", "right press", "out", "in", "right release"} << QStringList{in,
                                                                                             moveIn,
                                                                                             "MouseDown 2 0 12 11",
                                                                                             out,
                                                                                             "MouseMove 2 0 170 70",
                                                                                             in,
                                                                                             "MouseMove 2 0 12 11",
                                                                                             "MouseUp 2 0 12 11"};
        QTest::newRow("a double click clicks twice")
            << QStringList{"in", "double click"} << QStringList{in, moveIn, down, click, up, down, click, up};
        QTest::newRow("other keys, Shift among them")
            << QStringList{"focus", "shift A"}
            << QStringList{"KeyDown 16 1", "KeyDown 65 1", "KeyUp 65 1", "KeyUp 16 0"};
    }
    void events()
    {
        QFETCH(QStringList, script);
        QFETCH(QStringList, expected);
        ButtonHost host;
        activate(host);
        EventLog log(host.button);
        play(host, script);
        QCOMPARE(log.entries.join(QLatin1String(" | ")), expected.join(QLatin1String(" | ")));
    }

    void stateAfterInput_data()
    {
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<int>("pressed");
        QTest::addColumn<int>("hovered");
        QTest::addColumn<int>("hasFocus");

        QTest::newRow("pointer over") << QStringList{"in"} << 0 << 1 << 0;
        // The press brings the focus, and the focus coming in forgets the hover.
        QTest::newRow("left button down") << QStringList{"in", "press"} << 1 << 0 << 1;
        QTest::newRow("dragged off") << QStringList{"in", "press", "out"} << 0 << 0 << 1;
        QTest::newRow("dragged back") << QStringList{"in", "press", "out", "in"} << 1 << 1 << 1;
        QTest::newRow("right button brought back: its mask")
            << QStringList{"in", "right press", "out", "in"} << 2 << 1 << 1;
        QTest::newRow("clicked") << QStringList{"in", "press", "release"} << 0 << 0 << 1;
        QTest::newRow("focus forgets the hover") << QStringList{"in", "focus"} << 0 << 0 << 1;
        QTest::newRow("space bar down") << QStringList{"focus", "space down"} << 1 << 1 << 1;
        QTest::newRow("space bar up") << QStringList{"focus", "space down", "space up"} << 0 << 0 << 1;
    }
    void stateAfterInput()
    {
        QFETCH(QStringList, script);
        QFETCH(int, pressed);
        QFETCH(int, hovered);
        QFETCH(int, hasFocus);
        ButtonHost host;
        activate(host);
        play(host, script);
        QCOMPARE(host.button->state().pressed, pressed);
        QCOMPARE(host.button->state().hovered, hovered);
        QCOMPARE(host.button->state().hasFocus, hasFocus);
    }

    void rightReleaseLeavesTheHoverLookUntilTheNextRedraw()
    {
        ButtonHost host;
        // As on the toolbar: a click does not take the focus.
        host.button->setFocusPolicy(Qt::TabFocus);
        host.button->setButtonStyle(XpBDrawing::XP);
        host.button->setXPColorHover(0x000000C8); // RGB(200, 0, 0)
        play(host, {"in", "right press", "right release"});
        QCOMPARE(host.button->state().hovered, 0);
        QCOMPARE(host.shot().pixelColor(1, 10), QColor(200, 0, 0));
        host.button->Refresh();
        QCOMPARE(host.shot().pixelColor(1, 10), QColor(233, 233, 233));
    }

    // A window coming back hands the focus to a button it falls back on; the
    // button shows it only if it showed it when the window went.
    void focusHandedBackWithTheWindowLooksAsBefore_data()
    {
        QTest::addColumn<bool>("hadFocus");
        QTest::newRow("never focused") << false;
        QTest::newRow("focused by Tab before") << true;
    }
    void focusHandedBackWithTheWindowLooksAsBefore()
    {
        QFETCH(bool, hadFocus);
        ButtonHost host;
        if (hadFocus) {
            QFocusEvent tabIn(QEvent::FocusIn, Qt::TabFocusReason);
            QCoreApplication::sendEvent(host.button, &tabIn);
            QCOMPARE(host.button->state().hasFocus, 1);
            QFocusEvent windowGone(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
            QCoreApplication::sendEvent(host.button, &windowGone);
            QCOMPARE(host.button->state().hasFocus, 0);
        }
        QFocusEvent windowBack(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
        QCoreApplication::sendEvent(host.button, &windowBack);
        QCOMPARE(host.button->state().hasFocus, hadFocus ? 1 : 0);
    }

    void spaceBarShowsThePressedLook()
    {
        ButtonHost host;
        activate(host);
        host.button->setButtonStyle(XpBDrawing::XP);
        play(host, {"focus"});
        const QColor rest = host.shot().pixelColor(3, 10);
        play(host, {"space down"});
        QVERIFY(host.shot().pixelColor(3, 10) != rest);
        play(host, {"space up"});
        QCOMPARE(host.shot().pixelColor(3, 10), rest);
    }

    void hostsClickThroughTheButtonInterface()
    {
        ButtonHost host;
        QAbstractButton *asButton = host.button;
        QSignalSpy clicked(asButton, &QAbstractButton::clicked);
        QSignalSpy click(host.button, &XpB::Click);
        asButton->click();
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(click.count(), 1);
        play(host, {"in", "press", "release"});
        QCOMPARE(clicked.count(), 2);
        QCOMPARE(click.count(), 2);
    }

    void accessKeyClicks_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("clicks");
        QTest::newRow("Alt+S on \"&Save\"") << "&Save" << Qt::Key_S << true << 1;
        QTest::newRow("disabled") << "&Save" << Qt::Key_S << false << 0;
        QTest::newRow("a doubled pair marks nothing") << "a&&b" << Qt::Key_B << true << 0;
        // Qt's own mnemonic rule would pick c here.
        QTest::newRow("only the ampersand after a leading pair counts") << "&&a&&b&c" << Qt::Key_C << true << 0;
        QTest::newRow("Cyrillic") << "  &Хватит  " << Qt::Key(0x0425) << true << 1;
    }
    void accessKeyClicks()
    {
        QFETCH(QString, caption);
        QFETCH(Qt::Key, key);
        QFETCH(bool, enabled);
        QFETCH(int, clicks);
        ButtonHost host;
        activate(host);
        host.button->setCaption(caption);
        host.button->setEnabled1(enabled);
        QSignalSpy click(host.button, &XpB::Click);
        const QString text = QChar(char16_t(key)).toLower();
        QTest::sendKeyEvent(QTest::Press, host.window(), key, text, Qt::AltModifier);
        QTest::sendKeyEvent(QTest::Release, host.window(), key, text, Qt::AltModifier);
        QCOMPARE(click.count(), clicks);
    }

    void enabled1ForgetsFocusPressAndHover()
    {
        ButtonHost host;
        activate(host);
        play(host, {"focus", "in", "space down"});
        QCOMPARE(host.button->state().hovered, 1);
        host.button->setEnabled1(false);
        QVERIFY(!host.button->Enabled1());
        QVERIFY(!host.button->isEnabled());
        QCOMPARE(host.button->state().hasFocus, 0);
        QCOMPARE(host.button->state().pressed, 0);
        QCOMPARE(host.button->state().hovered, 0);
        host.button->setEnabled1(true);
        QVERIFY(host.button->Enabled1());
    }

    void tooSmallGrowsToTenPixels_data()
    {
        QTest::addColumn<QSize>("asked");
        QTest::addColumn<QSize>("got");
        QTest::newRow("5 x 5") << QSize(5, 5) << QSize(10, 10);
        QTest::newRow("too narrow") << QSize(5, 40) << QSize(10, 40);
        QTest::newRow("too low") << QSize(40, 9) << QSize(40, 10);
        QTest::newRow("10 x 10 stays") << QSize(10, 10) << QSize(10, 10);
    }
    void tooSmallGrowsToTenPixels()
    {
        QFETCH(QSize, asked);
        QFETCH(QSize, got);
        ButtonHost host;
        host.button->resize(asked);
        QCOMPARE(host.button->size(), got);
        QCOMPARE(host.button->face().size(), got);
        QCOMPARE(host.button->state().focusRect, QRect(QPoint(4, 4), QPoint(got.width() - 5, got.height() - 5)));
    }

    void pictureSetsTheSlotSize()
    {
        ButtonHost host;
        QImage image(23, 23, QImage::Format_RGB32);
        image.fill(Qt::red);
        host.button->setPicture(PictureObject::bitmap(image));
        QCOMPARE(host.button->pictureWidth(), 23);
        QCOMPARE(host.button->pictureHeight(), 23);
        host.button->setPicture(PictureObject());
        QVERIFY(host.button->picture().isNone());
        QCOMPARE(host.button->pictureWidth(), 23);
    }

    void freshControlWritesExactlyTheDefaultKeys()
    {
        ButtonHost host;
        QCOMPARE(host.button->buttonStyle(), 0);
        QCOMPARE(host.button->picturePosition(), 0);
        PropertyStore store;
        host.button->writeProperties(store);

        const QMap<QString, QVariant> expected{
            {"Caption", QString()}, {"PicturePosition", 0}, {"ButtonStyle", 0},
            {"PictureWidth", 0},    {"PictureHeight", 0},   {"ShowFocusRect", 0},
            {"XPColor_Pressed", 0}, {"XPColor_Hover", 0},   {"XPDefaultColors", 0},
        };
        QStringList keys = store.keys();
        keys.sort();
        QCOMPARE(keys, QStringList(expected.keys()));
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QCOMPARE(store.read(it.key(), QVariant()).toString(), it.value().toString());
    }

    void readingAStoreWithoutKeysGivesTheDefaults()
    {
        ButtonHost host;
        host.button->readProperties(PropertyStore());
        QCOMPARE(host.button->caption(), QStringLiteral("Command1")); // the instance's name
        QCOMPARE(host.button->buttonStyle(), 2);
        QCOMPARE(host.button->picturePosition(), 1);
        QCOMPARE(host.button->pictureWidth(), 32);
        QCOMPARE(host.button->pictureHeight(), 32);
        QVERIFY(host.button->picture().isNone());
        QVERIFY(host.button->isEnabled());
        QVERIFY(host.button->showFocusRect());
        QVERIFY(host.button->xpDefaultColors());
        QCOMPARE(host.button->xpColorPressed(), quint32(0x80000014));
        QCOMPARE(host.button->xpColorHover(), quint32(0x80000016));
        QCOMPARE(host.button->maskColor(), quint32(0));
        QVERIFY(!host.button->useMaskColor());
    }

    void settingsSurviveWritingAndReading()
    {
        QImage image(16, 16, QImage::Format_RGB32);
        image.fill(Qt::blue);
        const PictureObject picture = PictureObject::bitmap(image);
        // A picture stored with sizes of its own: they are not recomputed.
        const PropertyStore design{
            {"Caption", QStringLiteral("&Далее")},
            {"ButtonStyle", 3},
            {"PicturePosition", 2},
            {"Picture", QVariant::fromValue(picture)},
            {"PictureWidth", 20},
            {"PictureHeight", 18},
            {"Enabled", false},
            {"ShowFocusRect", qint16(-1)},
            {"XPColor_Pressed", 0},
            {"XPColor_Hover", 0x0000FF},
            {"XPDefaultColors", qint16(0)},
            {"MaskColor", 0x00FFFFFF},
            {"UseMaskColor", -1},
        };
        ButtonHost host;
        host.button->readProperties(design);
        QCOMPARE(host.button->caption(), QStringLiteral("&Далее"));
        QCOMPARE(host.button->accessKey(), QChar(u'д'));
        QCOMPARE(host.button->pictureWidth(), 20);
        QCOMPARE(host.button->pictureHeight(), 18);
        QVERIFY(!host.button->isEnabled());
        QVERIFY(host.button->showFocusRect());
        QVERIFY(!host.button->xpDefaultColors());
        QVERIFY(host.button->useMaskColor());

        PropertyStore written;
        host.button->writeProperties(written);
        QStringList keys = written.keys();
        keys.sort();
        QStringList designKeys = design.keys();
        designKeys.sort();
        QCOMPARE(keys, designKeys);
        for (const QString &key : designKeys) {
            if (key == QLatin1String("Picture"))
                QCOMPARE(written.read(key, QVariant()).value<PictureObject>(), picture);
            else
                QCOMPARE(written.read(key, QVariant()).toLongLong(), design.read(key, QVariant()).toLongLong());
        }
    }

    void trueIsAlwaysStored_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("ShowFocusRect") << "ShowFocusRect";
        QTest::newRow("XPDefaultColors") << "XPDefaultColors";
    }
    void trueIsAlwaysStored()
    {
        QFETCH(QString, key);
        ButtonHost host;
        host.button->setProperty(key.toLatin1(), true);
        PropertyStore store;
        host.button->writeProperties(store);
        QVERIFY(store.contains(key));
        QCOMPARE(store.read(key, QVariant()).toInt(), -1);
    }

    void accessibleAsAPushButton_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("accessibleName");
        QTest::addColumn<QString>("name");
        QTest::newRow("caption") << "&Save"
                                 << ""
                                 << "Save";
        QTest::newRow("caption with padding") << "  Обновить"
                                              << ""
                                              << "Обновить";
        QTest::newRow("no caption: the name its window gives") << ""
                                                               << "Вставить из буфера"
                                                               << "Вставить из буфера";
    }
    void accessibleAsAPushButton()
    {
        QFETCH(QString, caption);
        QFETCH(QString, accessibleName);
        QFETCH(QString, name);
        ButtonHost host;
        host.button->setCaption(caption);
        host.button->setAccessibleName(accessibleName);
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(host.button);
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::Button);
        QCOMPARE(iface->text(QAccessible::Name), name);
        QVERIFY(iface->state().focusable);

        QAccessibleActionInterface *actions = iface->actionInterface();
        QVERIFY(actions);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        QSignalSpy click(host.button, &XpB::Click);
        actions->doAction(QAccessibleActionInterface::pressAction());
        // The click follows the reply to assistive technology.
        QTRY_COMPARE(click.count(), 1);
    }

    void tabReachesTheButtonsInOrder()
    {
        QWidget window;
        auto *edit = new QLineEdit(&window);
        auto *first = new XpB(&window);
        auto *second = new XpB(&window);
        first->setGeometry(10, 40, 25, 23);
        second->setGeometry(40, 40, 25, 23);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        edit->setFocus();
        QTest::keyClick(window.windowHandle(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), first);
        QCOMPARE(first->state().hasFocus, 1);
        QTest::keyClick(window.windowHandle(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), second);
        QCOMPARE(first->state().hasFocus, 0);
        QCOMPARE(second->state().hasFocus, 1);
    }

    // The window was moved without the program hearing of it (no notice from
    // the window manager): a move over the button is still over it.
    void hoverFollowsTheEventAfterAMoveTheProgramDidNotHear()
    {
        ButtonHost host;
        QSignalSpy ins(host.button, &XpB::MouseIn);
        QSignalSpy outs(host.button, &XpB::MouseOut);
        const QPoint local = host.centre();
        const QPoint shift(300, 120);
        QMouseEvent move(QEvent::MouseMove, local, host.window()->mapToGlobal(local) + shift, Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(host.window(), &move);
        QCOMPARE(ins.size(), 1);
        QVERIFY(outs.isEmpty());
        host.move(host.elsewhere());
        QCOMPARE(outs.size(), 1);
    }
};

QTEST_MAIN(TestXpB)
#include "tst_xpb.moc"
