#include "app/form1.h"
#include "controls/xpcheckbox.h"
#include "platform/testsupport/fakedialogs.h"
#include "platform/testsupport/namedcontrol.h"
#include "platform/testsupport/temporaryinstallation.h"
#include "platform/textcodec.h"
#include "platform/widgets/focusmark.h"
#include "platform/widgets/richtextbox.h"
#include "platform/widgets/xtab.h"
#include "questionnaire/form2.h"
#include "questionnaire/questionnairelauncher.h"
#include "questionnaire/tests/form2controls.h"
#include "search/ui/articleview.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// A key as the keyboard gives it: to the active window, which hands it to its focus.
void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWindow *window = QGuiApplication::focusWindow();
    QVERIFY(window);
    QTest::keyClick(window, Qt::Key(key), modifiers);
}

// Tab (or Shift+Tab) until the control has the focus; false when a whole
// round of the window does not reach it.
bool tabTo(const QWidget *control, bool backwards = false)
{
    for (int i = 0; i < 60; ++i) {
        if (QApplication::focusWidget() == control)
            return true;
        press(Qt::Key_Tab, backwards ? Qt::ShiftModifier : Qt::NoModifier);
    }
    return QApplication::focusWidget() == control;
}

// Russian letters, key by key, as a Russian keyboard gives them.
void typeText(const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(c), Qt::NoModifier);
}

bool isMarked(const QWidget *control)
{
    const auto marks = control->parentWidget()->findChildren<FocusMark *>(Qt::FindDirectChildrenOnly);
    for (const FocusMark *mark : marks) {
        if (mark->widget() == control && mark->isVisible())
            return true;
    }
    return false;
}

QString focusName()
{
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QStringLiteral("(none)");
}

} // namespace

// The main paths walked with the keyboard alone: every step is a key.
class TestKeyboardWalk : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_install = std::make_unique<TemporaryInstallation>();
        QVERIFY(m_install->isValid());
        QDir program(m_install->program.path());
        QVERIFY(program.mkdir(QStringLiteral("Data")));
        QVERIFY(program.mkdir(QStringLiteral("Anketa")));
        const struct
        {
            const char *name;
            const char *text;
        } articles[] = {{"первая.txt", "Здесь линия жизни видна ясно."}, {"вторая.txt", "Линия жизни длинная."}};
        for (const auto &a : articles) {
            QFile file(program.filePath(QStringLiteral("Data/") + QString::fromUtf8(a.name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(TextCodec::toCp1251(QString::fromUtf8(a.text)));
        }
        QVERIFY(QFile::copy(QStringLiteral(PALMORA_SAMPLE_DIR "/Anketa/Пальцы.xls"),
                            program.filePath(QStringLiteral("Anketa/Пальцы.xls"))));
        // Not the first start: the window opens on the photo and search tab.
        QFile marker(program.filePath(Installation::firstStartMarker));
        QVERIFY(marker.open(QIODevice::WriteOnly));
        marker.close();

        m_dialogs = std::make_unique<FakeDialogs>();
        m_window = std::make_unique<Form1>(m_install->installation(), *m_dialogs);
        m_window->load();
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    void cleanup()
    {
        m_window.reset();
        m_dialogs.reset();
        m_install.reset();
    }

    void theWindowOpensWithTheFocusInTheQuery() { QCOMPARE(focusName(), QStringLiteral("Text2")); }

    void searchAndOpenAnArticle()
    {
        auto *list = control<QListWidget>("List1");
        auto *article = control<RichTextBox>("RichTextBox1");
        typeText(QStringLiteral("линия жизни"));
        press(Qt::Key_Return);
        QTRY_COMPARE(list->count(), 2);
        QVERIFY(tabTo(list));
        QVERIFY(isMarked(list));
        press(Qt::Key_End);
        const int row = list->currentRow();
        press(Qt::Key_Return);
        QTRY_VERIFY(article->isVisible());
        QCOMPARE(focusName(), QStringLiteral("RichTextBox1"));
        QVERIFY(isMarked(article));
        // Esc goes back to the list, at the article just read.
        press(Qt::Key_Escape);
        QVERIFY(list->isVisible());
        QVERIFY(!article->isVisible());
        QCOMPARE(focusName(), QStringLiteral("List1"));
        QCOMPARE(list->currentRow(), row);
    }

    // The jump bar is a focus stop: its arrows go from one found place to the
    // next, as F3 does, and the focus stays on it.
    void jumpBetweenFoundPlacesWithTheBar()
    {
        QFile file(m_install->program.filePath(QStringLiteral("Data/третья.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(TextCodec::toCp1251(QStringLiteral("Ладонь узкая, а пальцы длинные. Потом снова ладонь.")));
        file.close();
        auto *list = control<QListWidget>("List1");
        auto *article = control<RichTextBox>("RichTextBox1");
        auto *bar = control<QScrollBar>("HS1");
        typeText(QStringLiteral("ладонь"));
        press(Qt::Key_Return);
        QTRY_COMPARE(list->count(), 1);
        QVERIFY(tabTo(list));
        press(Qt::Key_Return);
        QTRY_VERIFY(article->isVisible());
        const QList<qint64> places = m_window->articleView()->Jump_Pos();
        QCOMPARE(places.size(), 2);
        QVERIFY(tabTo(bar, true));
        QVERIFY(isMarked(bar));
        press(Qt::Key_Right);
        QCOMPARE(bar->value(), 1);
        QCOMPARE(article->selStart(), int(places[1]));
        press(Qt::Key_Left);
        QCOMPARE(bar->value(), 0);
        QCOMPARE(article->selStart(), int(places[0]));
        QCOMPARE(focusName(), QStringLiteral("HS1"));
    }

    // The check box's own keys do not toggle it; the window's key does,
    // wherever the focus is, and the box shows the focus when it has it.
    void switchTheMode()
    {
        auto *box = control<xpcheckbox>("Check1");
        QCOMPARE(box->value(), 1);
        press(Form1::modeKey()[0].key());
        QCOMPARE(box->value(), 0);
        QCOMPARE(focusName(), QStringLiteral("Text2"));
        QVERIFY(tabTo(box));
        QVERIFY(isMarked(box));
        press(Qt::Key_Space);
        QCOMPARE(box->value(), 0);
        press(Form1::modeKey()[0].key());
        QCOMPARE(box->value(), 1);
        press(Qt::Key_Tab);
        QVERIFY(!isMarked(box));
    }

    void changeTheInterval()
    {
        auto *tabs = control<XTab>("XTab1");
        auto *slider = control<QScrollBar>("HS2");
        QVERIFY(tabTo(tabs->tabBar(), true));
        press(Qt::Key_Right);
        QCOMPARE(tabs->currentTab(), int(Form1::tabSettings));
        QVERIFY(tabTo(slider));
        QVERIFY(isMarked(slider));
        const struct
        {
            int key;
            qint64 interval;
        } steps[] = {{Qt::Key_Right, 101},    {Qt::Key_PageUp, 151},  {Qt::Key_Left, 150},
                     {Qt::Key_PageDown, 100}, {Qt::Key_PageDown, 50}, {Qt::Key_Left, 50}};
        for (const auto &step : steps) {
            press(step.key);
            QCOMPARE(m_window->searchState().Search_Int, step.interval);
            QCOMPARE(slider->value(), int(step.interval));
        }
    }

    void openAPhoto_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }
    void openAPhoto()
    {
        QFETCH(int, key);
        const QString picture = m_install->program.filePath(QStringLiteral("ладонь.png"));
        QImage palm(40, 60, QImage::Format_RGB32);
        palm.fill(Qt::darkYellow);
        QVERIFY(palm.save(picture));
        m_dialogs->fileNames << picture;
        auto *photo = control<QLabel>("Image1");
        QVERIFY(tabTo(photo, true));
        QVERIFY(isMarked(photo));
        press(key);
        QCOMPARE(m_dialogs->titles, QStringList{QStringLiteral("Open Image")});
        QVERIFY(!control<QLabel>("Label3")->isVisible());
        QVERIFY(!photo->pixmap().isNull());
        // 40 x 60 at the design width keeps its proportions.
        QVERIFY(qAbs(photo->height() - photo->width() * 1.5) <= 1);
    }

    void answerAQuestionnaireAndSaveTheResult()
    {
        auto *result = control<QPlainTextEdit>("Text1");
        QStringList faults;
        int waits = 0;
        // The questionnaire window is made by the launch; the user's keys go to
        // it each time its run waits.
        const auto act = [&](Form2 *form) {
            ++waits;
            // The desktop makes the window the user works in active; inside the
            // key that launched it, that may come a moment later.
            if (!QTest::qWaitFor([form] { return QGuiApplication::focusWindow() == form->windowHandle(); }))
                faults << QStringLiteral("wait %1: the questionnaire window is not active").arg(waits);
            const Form2Controls controls(*form);
            QListWidget *expected = waits == 1 ? controls.List2 : controls.List1;
            if (QApplication::focusWidget() != expected)
                faults << QStringLiteral("wait %1: the focus is on %2").arg(waits).arg(focusName());
            if (waits <= 2) {
                // The first entry is current; Space chooses it, Enter goes on.
                press(Qt::Key_Space);
                press(Qt::Key_Return);
            } else {
                press(Qt::Key_Escape);
            }
        };
        QTimer findForm;
        findForm.setInterval(0);
        connect(&findForm, &QTimer::timeout, this, [&] {
            Form2 *form = m_window->findChild<Form2 *>();
            if (!form)
                return;
            findForm.stop();
            connect(
                form, &Form2::waiting, this, [&, form] { act(form); }, Qt::QueuedConnection);
            // Found while its run already waits for the topic.
            if (Form2Controls(*form).Command2->isVisible())
                act(form);
        });
        findForm.start();
        QVERIFY(tabTo(control<QWidget>("Command8"), true));
        press(Qt::Key_Space);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        QCOMPARE(waits, 3);
        const QString answered = result->toPlainText();
        QVERIFY(!answered.isEmpty());

        // Back in the main window, at the button that started it; Tab passes
        // through the result, typing nothing.
        QVERIFY(QTest::qWaitFor([this] { return QGuiApplication::focusWindow() == m_window->windowHandle(); }));
        QCOMPARE(focusName(), QStringLiteral("Command8"));
        QVERIFY(tabTo(result));
        press(Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != result);
        QVERIFY(tabTo(result));
        press(Qt::Key_Tab, Qt::ShiftModifier);
        QVERIFY(QApplication::focusWidget() != result);
        QCOMPARE(result->toPlainText(), answered);

        const QString saved = m_install->program.filePath(QStringLiteral("результат.txt"));
        m_dialogs->fileNames << saved;
        QVERIFY(tabTo(control<QWidget>("Command7"), true));
        press(Qt::Key_Space);
        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QuestionnaireLauncher::fileBytes(answered));
    }

    // The title-bar buttons and the about tab's link are in the Tab round.
    void theTitleBarButtonsAndTheLinkAreReached()
    {
        QVERIFY(tabTo(control<QWidget>("xptopbuttons2")));
        QVERIFY(isMarked(control<QWidget>("xptopbuttons2")));
        QVERIFY(tabTo(control<QWidget>("xptopbuttons1")));
        control<XTab>("XTab1")->setCurrentTab(Form1::tabAbout);
        QVERIFY(tabTo(control<QWidget>("Label9")));
        QVERIFY(isMarked(control<QWidget>("Label9")));
    }

private:
    template <typename T>
    T *control(const char *name) const
    {
        return namedControl<T>(*m_window, name);
    }

    std::unique_ptr<TemporaryInstallation> m_install;
    std::unique_ptr<FakeDialogs> m_dialogs;
    std::unique_ptr<Form1> m_window;
};

QTEST_MAIN(TestKeyboardWalk)
#include "tst_keyboardwalk.moc"
