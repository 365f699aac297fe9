#include "controls/xpb.h"
#include "platform/testsupport/fakedialogs.h"
#include "questionnaire/form2.h"
#include "questionnaire/tests/form2controls.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

// The window shown and active, with both its buttons.
bool showWithButtons(Form2 &form)
{
    form.present(QPoint(100, 100));
    const Form2Controls controls(form);
    controls.Command2->show();
    controls.Command3->show();
    return QTest::qWaitForWindowActive(&form);
}

} // namespace

// The questionnaire window's buttons are the program's own picture buttons:
// "Далее" with its picture right of the caption, "Хватит" with it left.
class TestForm2Buttons : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void designSettings_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("position");
        QTest::newRow("Command2, next") << "Command2"
                                        << "       Далее       " << 2;
        QTest::newRow("Command3, stop") << "Command3"
                                        << "  Хватит  " << 1;
    }
    void designSettings()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(int, position);
        Form2 form(Installation::ofRunningProgram(), m_dialogs);
        auto *button = form.findChild<XpB *>(name);
        QVERIFY(button);
        QCOMPARE(button->caption(), caption);
        QCOMPARE(button->picturePosition(), position);
        QCOMPARE(button->buttonStyle(), int(XpBDrawing::XP));
        QCOMPARE(button->picture().kind(), PictureObject::Kind::Bitmap);
        QCOMPARE(button->pictureWidth(), 16);
        QCOMPARE(button->pictureHeight(), 16);
        QVERIFY(!button->showFocusRect());
        QVERIFY(!button->xpDefaultColors());
        QCOMPARE(button->xpColorPressed(), quint32(0));
        QCOMPARE(button->xpColorHover(), quint32(0));
    }

    void picturesSitBesideTheirCaptions()
    {
        Form2 form(Installation::ofRunningProgram(), m_dialogs);
        const Form2Controls controls(form);
        form.present(QPoint(100, 100));
        controls.Command2->show();
        controls.Command3->show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const auto *next = static_cast<XpB *>(controls.Command2);
        const auto *stop = static_cast<XpB *>(controls.Command3);
        QVERIFY(next->state().pictureRect.left()
                >= next->state().captionRect.left() + next->state().captionRect.width());
        QVERIFY(stop->state().captionRect.left()
                >= stop->state().pictureRect.left() + stop->state().pictureRect.width());
        // Both inside their buttons.
        for (const XpB *b : {next, stop})
            QVERIFY(b->rect().contains(b->state().pictureRect));
    }

    void noStandardPushButtonIsLeft()
    {
        Form2 form(Installation::ofRunningProgram(), m_dialogs);
        QVERIFY(form.findChildren<QPushButton *>().isEmpty());
        QCOMPARE(form.findChildren<XpB *>().size(), 2);
    }

    void tabGoesFromTheTopicsToNextThenStop()
    {
        Form2 form(Installation::ofRunningProgram(), m_dialogs);
        const Form2Controls controls(form);
        QVERIFY(showWithButtons(form));
        controls.List2->setFocus();
        QTest::keyClick(form.windowHandle(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), controls.Command2);
        QTest::keyClick(form.windowHandle(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), controls.Command3);
        QCOMPARE(qobject_cast<XpB *>(controls.Command3)->state().hasFocus, 1);
    }

    // A press keeps the focus in the list and leaves the button at rest
    // without the focused look.
    void aPressTakesNoFocus()
    {
        Form2 form(Installation::ofRunningProgram(), m_dialogs);
        const Form2Controls controls(form);
        QVERIFY(showWithButtons(form));
        controls.List2->setFocus();
        for (QAbstractButton *button : {controls.Command2, controls.Command3}) {
            QTest::mousePress(form.windowHandle(), Qt::LeftButton, {}, button->geometry().center());
            QCOMPARE(QApplication::focusWidget(), controls.List2);
            QCOMPARE(qobject_cast<XpB *>(button)->state().hasFocus, 0);
            QTest::mouseMove(form.windowHandle(), QPoint(1, 1));
        }
    }

private:
    // The windows here show no message box.
    FakeDialogs m_dialogs;
};

QTEST_MAIN(TestForm2Buttons)
#include "tst_form2buttons.moc"
