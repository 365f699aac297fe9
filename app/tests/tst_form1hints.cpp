#include "app/form1.h"
#include "controls/xpb.h"
#include "controls/xpcheckbox.h"
#include "platform/eventloop.h"
#include "platform/testsupport/namedcontrol.h"
#include "platform/testsupport/pointerfollower.h"
#include "platform/testsupport/quitflag.h"
#include "platform/testsupport/temporaryinstallation.h"
#include "platform/widgets/framebox.h"
#include "platform/widgets/xtab.h"

#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QTest>
#include <QTimer>

namespace {

QPoint centreIn(const Form1 &window, const QWidget *control)
{
    return control->mapTo(&window, control->rect().center());
}

void tick(QTimer *timer, int times = 1)
{
    for (int i = 0; i < times; ++i)
        QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
}

// The main window on its photo and search tab, the pointer over the list.
struct ShownWindow
{
    explicit ShownWindow(const Installation &installation)
        : window(installation)
    {
        window.load();
        namedControl<XTab>(window, "XTab1")->setCurrentTab(Form1::tabPhotoAndSearch);
        // The browser's buttons and the back button show with an article.
        for (QWidget *w : {static_cast<QWidget *>(namedControl<XpB>(window, "Command1")),
                           static_cast<QWidget *>(namedControl<XpB>(window, "Command4")),
                           static_cast<QWidget *>(namedControl<XpB>(window, "Command5"))})
            w->show();
        window.show();
        window.activateWindow();
    }
    bool ready()
    {
        if (!QTest::qWaitForWindowActive(&window))
            return false;
        moveTo(away() + QPoint(1, 1));
        moveTo(away());
        // The check box's first poll finds the pointer elsewhere.
        QTest::qWait(50);
        return !namedControl<QLabel>(window, "Label4")->isVisible();
    }
    QPoint away() const { return centreIn(window, namedControl<QListWidget>(window, "List1")); }
    void moveTo(QPoint p) { QTest::mouseMove(window.windowHandle(), p); }
    void moveOver(const QWidget *control, QPoint offset = QPoint()) { moveTo(centreIn(window, control) + offset); }
    QWidget *control(const QString &name) const { return window.findChild<QWidget *>(name); }

    PointerFollower pointer;
    Form1 window;
};

const QString kCheck1Hint =
    QStringLiteral("Если убрать галочку, то тогда будет осуществляться поиско по фразе целиком.");

} // namespace

// The hover hints on the real main window, driven by the controls' own events.
class TestForm1Hints : public QObject
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

    void check1IsTheSkinnedBoxCheckedForWordMode()
    {
        Form1 window(m_install->installation());
        QCOMPARE(namedControl<xpcheckbox>(window, "Check1")->value(), 1);
        QVERIFY(namedControl<xpcheckbox>(window, "Check1")->isChecked());
        QCOMPARE(namedControl<xpcheckbox>(window, "Check1")->caption(), QStringLiteral("xpcheckbox1"));
        QCOMPARE(namedControl<xpcheckbox>(window, "Check1")->size(), QSize(17, 17));
    }

    void eachControlShowsItsHint_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hint"); // empty: none
        QTest::newRow("Command6 (save the photo)") << "Command6"
                                  << "Сoхранить картинку";
        QTest::newRow("Command3 (paste)") << "Command3"
                                  << "Вставить из буфера";
        QTest::newRow("Command8 (questionnaire)") << "Command8"
                                  << "Произвести анкетирование";
        QTest::newRow("Command7 (save the text)") << "Command7"
                                  << "Сохранить текст";
        QTest::newRow("Command2, its tag") << "Command2"
                                           << "Чтобы узнать как корректно делать запросы - читайте раздел 'Инструкция'";
        QTest::newRow("Command1, its tag") << "Command1"
                                           << "Нажмите здесь чтобы вернуться к спискам книг";
        QTest::newRow("Check1, its tag") << "Check1" << kCheck1Hint;
        QTest::newRow("Command4 (browser back) has none") << "Command4"
                                           << "";
        QTest::newRow("Command5 (browser forward) has none") << "Command5"
                                           << "";
    }
    void eachControlShowsItsHint()
    {
        QFETCH(QString, name);
        QFETCH(QString, hint);
        ShownWindow on(m_install->installation());
        QVERIFY(on.ready());
        on.moveOver(on.control(name));
        QCOMPARE(namedControl<QLabel>(on.window, "Label4")->isVisible(), !hint.isEmpty());
        if (!hint.isEmpty())
            QCOMPARE(namedControl<QLabel>(on.window, "Label4")->text(), hint);
        // Leaving hides it: at once for a button, at the next poll for the box.
        on.moveTo(on.away());
        QTRY_VERIFY(!namedControl<QLabel>(on.window, "Label4")->isVisible());
        QVERIFY(namedControl<QTimer>(on.window, "Timer1")->isActive() || hint.isEmpty());
    }

    void command9OnTheNewsTabHasNone()
    {
        ShownWindow on(m_install->installation());
        namedControl<XTab>(on.window, "XTab1")->setCurrentTab(Form1::tabNews);
        QVERIFY(on.ready());
        on.moveOver(namedControl<XpB>(on.window, "Command9"));
        QVERIFY(namedControl<XpB>(on.window, "Command9")->isVisible());
        QVERIFY(!namedControl<QLabel>(on.window, "Label4")->isVisible());
    }

    void aDisabledControlShowsNoHint_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("a button") << "Command7";
        QTest::newRow("the check box") << "Check1";
    }
    void aDisabledControlShowsNoHint()
    {
        QFETCH(QString, name);
        ShownWindow on(m_install->installation());
        on.control(name)->setEnabled(false);
        QVERIFY(on.ready());
        on.moveOver(on.control(name));
        on.moveOver(on.control(name), QPoint(1, 1));
        QVERIFY(!namedControl<QLabel>(on.window, "Label4")->isVisible());
    }

    void theHintGoesAfterFourTicks()
    {
        ShownWindow on(m_install->installation());
        QVERIFY(on.ready());
        on.moveOver(namedControl<XpB>(on.window, "Command2"));
        tick(namedControl<QTimer>(on.window, "Timer1"), 3);
        QVERIFY(namedControl<QLabel>(on.window, "Label4")->isVisible());
        tick(namedControl<QTimer>(on.window, "Timer1"));
        QVERIFY(!namedControl<QLabel>(on.window, "Label4")->isVisible());
        QVERIFY(!namedControl<QTimer>(on.window, "Timer1")->isActive());
    }

    // Over the box every move starts the four ticks again; over a button
    // only coming onto it does.
    void movesOverTheBoxRenewTheHint()
    {
        ShownWindow on(m_install->installation());
        QVERIFY(on.ready());
        on.moveOver(namedControl<xpcheckbox>(on.window, "Check1"));
        for (int move = 1; move <= 3; ++move) {
            tick(namedControl<QTimer>(on.window, "Timer1"), 3);
            on.moveOver(namedControl<xpcheckbox>(on.window, "Check1"), QPoint(move % 2, 1));
            QCOMPARE(namedControl<QLabel>(on.window, "Label4")->text(), kCheck1Hint);
            QVERIFY(namedControl<QLabel>(on.window, "Label4")->isVisible());
        }
        tick(namedControl<QTimer>(on.window, "Timer1"), 4);
        QVERIFY(!namedControl<QLabel>(on.window, "Label4")->isVisible());

        on.moveOver(namedControl<XpB>(on.window, "Command2"));
        tick(namedControl<QTimer>(on.window, "Timer1"), 3);
        on.moveOver(namedControl<XpB>(on.window, "Command2"), QPoint(1, 1));
        tick(namedControl<QTimer>(on.window, "Timer1"));
        QVERIFY(!namedControl<QLabel>(on.window, "Label4")->isVisible());
    }

    void aPressDraggedOffAControlHidesTheHint_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("a button") << "Command6";
        QTest::newRow("the check box") << "Check1";
    }
    void aPressDraggedOffAControlHidesTheHint()
    {
        QFETCH(QString, name);
        ShownWindow on(m_install->installation());
        QVERIFY(on.ready());
        QWidget *control = on.control(name);
        on.moveOver(control);
        QTest::mousePress(on.window.windowHandle(), Qt::LeftButton, {}, centreIn(on.window, control));
        QVERIFY(namedControl<QLabel>(on.window, "Label4")->isVisible());
        on.moveTo(on.away());
        QTRY_VERIFY(!namedControl<QLabel>(on.window, "Label4")->isVisible());
        QTest::mouseRelease(on.window.windowHandle(), Qt::LeftButton, {}, on.away());
        QVERIFY(!namedControl<QLabel>(on.window, "Label4")->isVisible());
        // Released away from it: no click, the box still checked.
        QVERIFY(namedControl<xpcheckbox>(on.window, "Check1")->isChecked());
    }

    // The hint shows whole in the toolbar: the rows its text inks there are
    // as many as the text inks with nothing around it, the descenders of
    // "р", "у" and "д" included.
    void theHintFitsInTheToolbar()
    {
        ShownWindow on(m_install->installation());
        QVERIFY(on.ready());
        on.moveOver(namedControl<xpcheckbox>(on.window, "Check1"));
        QLabel *label = namedControl<QLabel>(on.window, "Label4");
        QVERIFY(label->isVisible());
        // Fully inked pixels have the text colour itself.
        const QRgb ink = label->palette().color(QPalette::WindowText).rgba();
        const auto inkedRows = [ink](const QImage &image) {
            int top = -1;
            int bottom = -1;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (image.pixel(x, y) == ink) {
                        if (top < 0)
                            top = y;
                        bottom = y;
                        break;
                    }
            return std::pair{top, bottom};
        };

        QImage free(label->width(), 4 * label->height(), QImage::Format_ARGB32);
        free.fill(Qt::white);
        {
            QPainter painter(&free);
            painter.setFont(label->font());
            painter.setPen(QColor::fromRgba(ink));
            painter.drawText(0, 2 * label->height(), label->text());
        }
        const auto [freeTop, freeBottom] = inkedRows(free);
        QVERIFY(freeBottom > 2 * label->height()); // it has descenders

        // Where the toolbar shows the label.
        const QRect visible =
            QRect(label->pos(), label->size()).intersected(namedControl<FrameBox>(on.window, "Frame1")->rect());
        const QImage shown =
            namedControl<FrameBox>(on.window, "Frame1")->grab(visible).toImage().convertToFormat(QImage::Format_ARGB32);
        const auto [shownTop, shownBottom] = inkedRows(shown);
        QVERIFY(shownTop >= 0);
        QCOMPARE(shownBottom - shownTop, freeBottom - freeTop);
        // Clear of the toolbar's lower border.
        QVERIFY(visible.top() + shownBottom < namedControl<FrameBox>(on.window, "Frame1")->height() - 2);
    }

    void wordModeBoxShowsItsMarkAndTheRingUnderThePointer()
    {
        ShownWindow on(m_install->installation());
        QVERIFY(on.ready());
        xpcheckbox *box = namedControl<xpcheckbox>(on.window, "Check1");
        const QColor buttonFace = box->palette().color(QPalette::Button);
        QImage face = box->grab().toImage();
        QCOMPARE(face.pixelColor(7, 8), QColor(32, 160, 32));
        for (int i = 0; i < 17; ++i)
            QCOMPARE(face.pixelColor(16, i), buttonFace);
        on.moveOver(box);
        face = box->grab().toImage();
        QCOMPARE(box->cell(), 5);
        QCOMPARE(face.pixelColor(1, 1), QColor(255, 240, 207));
        QCOMPARE(face.pixelColor(7, 8), QColor(32, 160, 32));
    }

private:
    std::unique_ptr<TemporaryInstallation> m_install;
};

QTEST_MAIN(TestForm1Hints)
#include "tst_form1hints.moc"
