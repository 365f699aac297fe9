#include "app/form1.h"
#include "controls/xpb.h"
#include "controls/xpcheckbox.h"
#include "platform/eventloop.h"
#include "platform/testsupport/namedcontrol.h"
#include "platform/testsupport/quitflag.h"
#include "platform/testsupport/temporaryinstallation.h"
#include "platform/widgets/xtab.h"

#include <QAccessible>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

namespace {

// The window's pointer position of a control's centre.
QPoint centreIn(const Form1 &window, const QWidget *control)
{
    return control->mapTo(&window, control->rect().center());
}

void showAndActivate(Form1 &window)
{
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

} // namespace

// The main window's push buttons are the program's own picture buttons, with
// the settings the window keeps for them.
class TestForm1Buttons : public QObject
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

    void designSettings_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("side");
        QTest::addColumn<bool>("icon");
        QTest::newRow("Command6, save the photo") << "Command6"
                                                  << "" << 0 << 16 << false;
        QTest::newRow("Command3, paste") << "Command3"
                                         << "" << 0 << 16 << false;
        QTest::newRow("Command8, questionnaire") << "Command8"
                                                 << "" << 0 << 16 << false;
        QTest::newRow("Command7, save the text") << "Command7"
                                                 << "" << 0 << 16 << false;
        QTest::newRow("Command2, search") << "Command2"
                                          << "" << 0 << 32 << true;
        QTest::newRow("Command1, back to the list") << "Command1"
                                                    << "" << 0 << 23 << false;
        QTest::newRow("Command4, browser back") << "Command4"
                                                << "" << 0 << 23 << false;
        QTest::newRow("Command5, browser forward") << "Command5"
                                                   << "" << 0 << 23 << false;
        QTest::newRow("Command9, news") << "Command9"
                                        << "  Обновить" << 1 << 16 << false;
    }
    void designSettings()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(int, position);
        QFETCH(int, side);
        QFETCH(bool, icon);
        Form1 window(m_install->installation());
        auto *button = window.findChild<XpB *>(name);
        QVERIFY(button);
        // An empty caption, not the button's own name.
        QCOMPARE(button->caption(), caption);
        QCOMPARE(button->buttonStyle(), int(XpBDrawing::XP));
        QCOMPARE(button->picturePosition(), position);
        QCOMPARE(button->pictureWidth(), side);
        QCOMPARE(button->pictureHeight(), side);
        QCOMPARE(button->picture().kind(), icon ? PictureObject::Kind::Icon : PictureObject::Kind::Bitmap);
        QVERIFY(!button->showFocusRect());
        QVERIFY(!button->xpDefaultColors());
        QCOMPARE(button->xpColorPressed(), quint32(0));
        QCOMPARE(button->xpColorHover(), quint32(0));
        QVERIFY(!button->useMaskColor());
    }

    void noStandardPushButtonIsLeft()
    {
        Form1 window(m_install->installation());
        QVERIFY(window.findChildren<QPushButton *>().isEmpty());
        // Buttons of the window's own are picture buttons, or the word-mode
        // box; the tab strip's scroll arrows are Qt's.
        for (const QAbstractButton *b : window.findChildren<QAbstractButton *>()) {
            if (qobject_cast<const QTabBar *>(b->parentWidget()))
                continue;
            QVERIFY2(qobject_cast<const XpB *>(b) || b == namedControl<xpcheckbox>(window, "Check1"),
                     qPrintable(b->objectName()));
        }
        QCOMPARE(window.findChildren<XpB *>().size(), 9);
    }

    void toolbarShowsTheXPLook()
    {
        Form1 window(m_install->installation());
        window.load();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // At rest: neither focused nor hovered.
        namedControl<XpB>(window, "Command6")->clearFocus();
        const QImage face = namedControl<XpB>(window, "Command6")->grab().toImage();
        QCOMPARE(face.size(), QSize(25, 23));
        QCOMPARE(face.pixelColor(1, 1), QColor(Qt::black));
        QCOMPARE(face.pixelColor(3, 1), QColor(253, 253, 253));
        QCOMPARE(face.pixelColor(3, 21), QColor(209, 209, 209));
        // The picture's ground is clear; the picture itself is drawn.
        QCOMPARE(face.pixelColor(4, 4), QColor(246, 246, 246));
        bool drawn = false;
        for (int y = 4; y < 20; ++y)
            for (int x = 4; x < 20; ++x)
                drawn |= face.pixelColor(x, y).red() != face.pixelColor(x, y).blue();
        QVERIFY(drawn);
    }

    void hintsFollowThePointerOverTheButtons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hint");
        QTest::newRow("Command6 (save the photo)") << "Command6"
                                  << "Сoхранить картинку";
        QTest::newRow("Command3 (paste)") << "Command3"
                                  << "Вставить из буфера";
        QTest::newRow("Command8 (questionnaire)") << "Command8"
                                  << "Произвести анкетирование";
        QTest::newRow("Command7 (save the text)") << "Command7"
                                  << "Сохранить текст";
        QTest::newRow("Command2 (search)") << "Command2"
                                  << "Чтобы узнать как корректно делать запросы - читайте раздел 'Инструкция'";
    }
    void hintsFollowThePointerOverTheButtons()
    {
        QFETCH(QString, name);
        QFETCH(QString, hint);
        Form1 window(m_install->installation());
        window.load();
        namedControl<XTab>(window, "XTab1")->setCurrentTab(Form1::tabPhotoAndSearch);
        showAndActivate(window);
        auto *button = window.findChild<XpB *>(name);
        QWindow *handle = window.windowHandle();
        const QPoint away = centreIn(window, namedControl<QListWidget>(window, "List1"));
        QTest::mouseMove(handle, away + QPoint(1, 1));
        QTest::mouseMove(handle, away);
        QVERIFY(!namedControl<QLabel>(window, "Label4")->isVisible());
        QTest::mouseMove(handle, centreIn(window, button));
        QVERIFY(namedControl<QLabel>(window, "Label4")->isVisible());
        QCOMPARE(namedControl<QLabel>(window, "Label4")->text(), hint);
        QTest::mouseMove(handle, away);
        QVERIFY(!namedControl<QLabel>(window, "Label4")->isVisible());
    }

    // Short Russian names of their own; the hint, where there is one,
    // describes the button.
    void buttonsAreNamedForAssistiveTechnology_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("accessibleName");
        QTest::addColumn<QString>("description");
        QTest::newRow("Command6 (save the photo)") << "Command6"
                                  << "Сохранить картинку"
                                  // the hint's Latin "o" is read as the Cyrillic one
                                  << "Сохранить картинку";
        QTest::newRow("Command3 (paste)") << "Command3"
                                  << "Вставить из буфера"
                                  << "Вставить из буфера";
        QTest::newRow("Command2 (search)") << "Command2"
                                  << "Найти"
                                  << "Чтобы узнать как корректно делать запросы - читайте раздел 'Инструкция'";
        QTest::newRow("Command1 (back to the list)") << "Command1"
                                  << "К списку"
                                  << "Нажмите здесь чтобы вернуться к спискам книг";
        QTest::newRow("Command4 (browser back)") << "Command4"
                                  << "Назад"
                                  << "";
        QTest::newRow("Command5 (browser forward)") << "Command5"
                                  << "Вперёд"
                                  << "";
        QTest::newRow("Command9, by its caption") << "Command9"
                                                  << "Обновить"
                                                  << "";
    }
    void buttonsAreNamedForAssistiveTechnology()
    {
        QFETCH(QString, name);
        QFETCH(QString, accessibleName);
        QFETCH(QString, description);
        Form1 window(m_install->installation());
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(window.findChild<XpB *>(name));
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::Button);
        QCOMPARE(iface->text(QAccessible::Name), accessibleName);
        QCOMPARE(iface->text(QAccessible::Description), description);
        // Read aloud as Russian: no Latin letter inside a Russian name.
        for (const QChar c : iface->text(QAccessible::Name))
            QVERIFY2(c.script() != QChar::Script_Latin, qPrintable(iface->text(QAccessible::Name)));
    }

    void tabReachesTheButtonsInTheWindowsOrder_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("tab");
        QTest::newRow("Command6 (save the photo) to Command3 (paste)") << "Command6"
                                              << "Command3" << int(Form1::tabPhotoAndSearch);
        QTest::newRow("Command3 (paste) to Command8 (questionnaire)") << "Command3"
                                              << "Command8" << int(Form1::tabPhotoAndSearch);
        QTest::newRow("Command8 (questionnaire) to Command7 (save the text)") << "Command8"
                                              << "Command7" << int(Form1::tabPhotoAndSearch);
        QTest::newRow("the query to Command2 (search)") << "Text2"
                                               << "Command2" << int(Form1::tabPhotoAndSearch);
        QTest::newRow("the news to Command9 (fetch the news)") << "Text4"
                                              << "Command9" << int(Form1::tabNews);
    }
    void tabReachesTheButtonsInTheWindowsOrder()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(int, tab);
        Form1 window(m_install->installation());
        window.load();
        namedControl<XTab>(window, "XTab1")->setCurrentTab(tab);
        showAndActivate(window);
        auto *start = window.findChild<QWidget *>(from);
        start->setFocus();
        QCOMPARE(QApplication::focusWidget(), start);
        QTest::keyClick(window.windowHandle(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), to);
        // And shows it.
        if (auto *button = qobject_cast<XpB *>(QApplication::focusWidget()))
            QCOMPARE(button->state().hasFocus, 1);
    }

    // A click leaves the focus where the user was typing, and the button at
    // rest shows no focus.
    void aClickTakesNoFocus_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("typing");
        QTest::addColumn<int>("tab");
        QTest::newRow("search") << "Command2"
                                << "Text2" << int(Form1::tabPhotoAndSearch);
        QTest::newRow("paste") << "Command3"
                               << "Text2" << int(Form1::tabPhotoAndSearch);
        QTest::newRow("refresh") << "Command9"
                                 << "Text4" << int(Form1::tabNews);
    }
    void aClickTakesNoFocus()
    {
        QFETCH(QString, button);
        QFETCH(QString, typing);
        QFETCH(int, tab);
        Form1 window(m_install->installation());
        window.load();
        namedControl<XTab>(window, "XTab1")->setCurrentTab(tab);
        showAndActivate(window);
        auto *field = window.findChild<QWidget *>(typing);
        auto *pressed = window.findChild<XpB *>(button);
        field->setFocus();
        // Only the press and the release: what the click does is not at issue here.
        const QPoint at = centreIn(window, pressed);
        QTest::mousePress(window.windowHandle(), Qt::LeftButton, {}, at);
        QCOMPARE(QApplication::focusWidget(), field);
        QCOMPARE(pressed->state().hasFocus, 0);
    }

private:
    std::unique_ptr<TemporaryInstallation> m_install;
};

QTEST_MAIN(TestForm1Buttons)
#include "tst_form1buttons.moc"
