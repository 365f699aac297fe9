#include "app/form1.h"
#include "platform/cyrillicspelling.h"
#include "platform/testsupport/fakedialogs.h"
#include "platform/release.h"
#include "platform/testsupport/namedcontrol.h"
#include "platform/testsupport/quitflag.h"
#include "platform/testsupport/temporaryinstallation.h"
#include "platform/widgets/xtab.h"
#include "questionnaire/form2.h"
#include "questionnaire/tests/form2controls.h"
#include "skin/xptopbuttons.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>

#include <functional>

namespace {

// The roles of what a user reaches or reads; containers and the scroll bars
// of text boxes are passed over.
bool isControl(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::Button:
    case QAccessible::CheckBox:
    case QAccessible::ScrollBar:
    case QAccessible::Slider:
    case QAccessible::List:
    case QAccessible::EditableText:
    case QAccessible::Link:
    case QAccessible::PageTab:
    case QAccessible::PageTabList:
    case QAccessible::StaticText:
    case QAccessible::Graphic:
    case QAccessible::Window:
    case QAccessible::Dialog:
        return true;
    default:
        return false;
    }
}

bool hasCyrillic(const QString &text)
{
    for (const QChar c : text) {
        if (c.script() == QChar::Script_Cyrillic)
            return true;
    }
    return false;
}

bool isScrollAreaPart(QAccessibleInterface *iface)
{
    for (QObject *o = iface->object(); o; o = o->parent()) {
        if (o->objectName().startsWith(QLatin1String("qt_scrollarea")))
            return true;
    }
    return false;
}

// Every interface under root, with whether it or one above it is hidden.
void walk(QAccessibleInterface *root, const std::function<void(QAccessibleInterface *, bool hidden)> &visit,
          bool hidden = false)
{
    for (int i = 0; i < root->childCount(); ++i) {
        QAccessibleInterface *child = root->child(i);
        if (!child)
            continue;
        const bool childHidden = hidden || child->state().invisible;
        visit(child, childHidden);
        walk(child, visit, childHidden);
    }
}

QString describe(QAccessibleInterface *iface)
{
    const QString name = iface->object() ? iface->object()->objectName() : QString();
    return QStringLiteral("%1 (%2, role %3)").arg(iface->text(QAccessible::Name), name).arg(int(iface->role()));
}

QStringList actionsOf(QAccessibleInterface *iface)
{
    QAccessibleActionInterface *actions = iface->actionInterface();
    return actions ? actions->actionNames() : QStringList();
}

} // namespace

// What a screen reader is handed: every visible control says what it is, by a
// role that fits and a short Russian name, and can be acted on.
class TestAccessibility : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        m_install = std::make_unique<TemporaryInstallation>();
        QVERIFY(m_install->isValid());
        QVERIFY(QFile::copy(QStringLiteral(PALMORA_SAMPLE_DIR "/инструкция.rtf"),
                            m_install->program.filePath(QStringLiteral("инструкция.rtf"))));
        // A real topic for the questionnaire window's run.
        QVERIFY(QDir(m_install->program.path()).mkpath(QStringLiteral("Anketa")));
        QVERIFY(QFile::copy(QStringLiteral(PALMORA_SAMPLE_DIR "/Anketa/Пальцы.xls"),
                            m_install->program.filePath(QStringLiteral("Anketa/Пальцы.xls"))));
        QFile marker(m_install->program.filePath(Installation::firstStartMarker));
        QVERIFY(marker.open(QIODevice::WriteOnly));
    }
    void init() { clearQuitFlag(); }
    void cleanupTestCase() { m_install.reset(); }

    void everyVisibleControlHasARussianName_data()
    {
        QTest::addColumn<int>("view");
        QTest::newRow("instruction") << int(Form1::tabInstruction);
        QTest::newRow("photo and search") << int(Form1::tabPhotoAndSearch);
        QTest::newRow("settings") << int(Form1::tabSettings);
        QTest::newRow("news") << int(Form1::tabNews);
        QTest::newRow("about") << int(Form1::tabAbout);
        QTest::newRow("questionnaire, topics") << kTopics;
        QTest::newRow("questionnaire, a question") << kQuestion;
    }
    void everyVisibleControlHasARussianName()
    {
        QFETCH(int, view);
        QStringList faults;
        int checked = 0;
        withView(view, [&](QWidget *shown) {
            QAccessibleInterface *root = QAccessible::queryAccessibleInterface(shown);
            walk(root, [&](QAccessibleInterface *iface, bool hidden) {
                if (hidden || !isControl(iface->role()) || isScrollAreaPart(iface))
                    return;
                const QString name = iface->text(QAccessible::Name).trimmed();
                const QString description = iface->text(QAccessible::Description);
                ++checked;
                if (name.isEmpty())
                    faults << QStringLiteral("no name: %1").arg(describe(iface));
                // A label reads its own text, a number among them.
                else if (iface->role() != QAccessible::StaticText && !hasCyrillic(name))
                    faults << QStringLiteral("not a Russian name: %1").arg(describe(iface));
                for (const QString &text : {name, description}) {
                    const QString mixed = CyrillicSpelling::firstMixedWord(text);
                    if (!mixed.isEmpty())
                        faults << QStringLiteral("Latin inside «%1»: %2").arg(mixed, describe(iface));
                }
            });
        });
        QVERIFY(checked > 0);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    void controlsHaveTheirRoleNameAndActions_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("actions");
        const QString press = QAccessibleActionInterface::pressAction();
        const QString toggle = QAccessibleActionInterface::toggleAction();
        const int photo = Form1::tabPhotoAndSearch;
        QTest::newRow("minimise") << photo << "xptopbuttons2" << int(QAccessible::Button) << "Свернуть"
                                  << QStringList{press};
        QTest::newRow("close") << photo << "xptopbuttons1" << int(QAccessible::Button) << "Закрыть"
                               << QStringList{press};
        QTest::newRow("save picture") << photo << "Command6" << int(QAccessible::Button) << "Сохранить картинку"
                                      << QStringList{press};
        QTest::newRow("query") << photo << "Text2" << int(QAccessible::EditableText) << "Запрос" << QStringList{};
        QTest::newRow("word mode") << photo << "Check1" << int(QAccessible::CheckBox) << "Поиск по словам"
                                   << QStringList{toggle};
        QTest::newRow("results") << photo << "List1" << int(QAccessible::List) << "Найденные статьи" << QStringList{};
        QTest::newRow("result text") << photo << "Text1" << int(QAccessible::EditableText) << "Результат анкетирования"
                                     << QStringList{};
        QTest::newRow("photo") << photo << "Image1" << int(QAccessible::Button) << "Фотография руки"
                               << QStringList{press};
        QTest::newRow("manual") << int(Form1::tabInstruction) << "RichTextBox2" << int(QAccessible::EditableText)
                                << "Инструкция" << QStringList{};
        QTest::newRow("interval") << int(Form1::tabSettings) << "HS2" << int(QAccessible::ScrollBar)
                                  << "Интервал поиска" << QStringList{};
        QTest::newRow("news") << int(Form1::tabNews) << "Text4" << int(QAccessible::EditableText) << "Новости"
                              << QStringList{};
        QTest::newRow("club link") << int(Form1::tabAbout) << "Label9" << int(QAccessible::Link)
                                   << "Велмарис - все что Вы хотели знать о хиромантии!" << QStringList{press};
        QTest::newRow("topics") << kTopics << "List2" << int(QAccessible::List) << "Темы анкетирования"
                                << QStringList{};
        QTest::newRow("answers") << kQuestion << "List1" << int(QAccessible::List) << "Ответы" << QStringList{};
        QTest::newRow("next") << kQuestion << "Command2" << int(QAccessible::Button) << "Далее" << QStringList{press};
        QTest::newRow("stop") << kQuestion << "Command3" << int(QAccessible::Button) << "Хватит" << QStringList{press};
    }
    void controlsHaveTheirRoleNameAndActions()
    {
        QFETCH(int, view);
        QFETCH(QString, control);
        QFETCH(int, role);
        QFETCH(QString, name);
        QFETCH(QStringList, actions);
        int foundRole = -1;
        QString foundName;
        QStringList foundActions;
        withView(view, [&](QWidget *shown) {
            auto *widget = shown->findChild<QWidget *>(control);
            if (QAccessibleInterface *iface = widget ? QAccessible::queryAccessibleInterface(widget) : nullptr) {
                foundRole = int(iface->role());
                foundName = iface->text(QAccessible::Name);
                foundActions = actionsOf(iface);
            }
        });
        QCOMPARE(foundRole, role);
        QCOMPARE(foundName, name);
        for (const QString &action : actions)
            QVERIFY2(foundActions.contains(action), qPrintable(foundActions.join(QLatin1Char(','))));
    }

    // The hint describes the check box, with the key that switches the mode
    // for those the box's own keys do not serve.
    void theCheckBoxNamesTheModeKey()
    {
        Form1 window(m_install->installation());
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(window.findChild<QWidget *>("Check1"));
        const QString description = iface->text(QAccessible::Description);
        QVERIFY2(description.startsWith(QStringLiteral("Если убрать галочку")), qPrintable(description));
        QVERIFY2(description.contains(Form1::modeKey().toString(QKeySequence::NativeText)), qPrintable(description));
    }

    void theWindowsAreFramesNamedByTheirTitle_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<QString>("title");
        QTest::newRow("main window") << int(Form1::tabPhotoAndSearch) << "Пальмора " PALMORA_VERSION;
        QTest::newRow("questionnaire") << kTopics << "Анкета";
    }
    void theWindowsAreFramesNamedByTheirTitle()
    {
        QFETCH(int, view);
        QFETCH(QString, title);
        QAccessible::Role role = QAccessible::NoRole;
        QString name;
        withView(view, [&](QWidget *shown) {
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(shown);
            role = iface->role();
            name = iface->text(QAccessible::Name);
        });
        QCOMPARE(role, QAccessible::Window);
        QCOMPARE(name, title);
        QCOMPARE(QAccessible::queryAccessibleInterface(qApp)->text(QAccessible::Name), QStringLiteral("Пальмора"));
    }

    // The title-bar buttons' press clicks them.
    void aTitleBarButtonIsPressedByAssistiveTechnology()
    {
        QWidget window;
        auto *button = new xptopbuttons(&window);
        button->setValue(xptopbuttons::Minimise);
        QSignalSpy clicks(button, &xptopbuttons::Click);
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(button);
        iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(clicks.count(), 1);
        QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Свернуть"));
    }

    // The list the question hides reports neither showing nor focused entries,
    // and the question labels the answers.
    void aHiddenListReportsNothingFocused_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<QString>("hiddenList");
        QTest::newRow("topics behind a question") << kQuestion << "List2";
        QTest::newRow("answers behind the topics") << kTopics << "List1";
    }
    void aHiddenListReportsNothingFocused()
    {
        QFETCH(int, view);
        QFETCH(QString, hiddenList);
        bool hidden = false;
        bool invisible = false;
        QStringList focusedEntries;
        bool labels = false;
        withView(view, [&](QWidget *shown) {
            auto *form = static_cast<Form2 *>(shown);
            auto *list = form->findChild<QListWidget *>(hiddenList);
            hidden = list->isHidden();
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(list);
            invisible = iface->state().invisible;
            for (int i = 0; i < iface->childCount(); ++i) {
                const QAccessible::State state = iface->child(i)->state();
                if (state.focused || !state.invisible)
                    focusedEntries << iface->child(i)->text(QAccessible::Name);
            }
            // The label on show names the list on show.
            const Form2Controls controls(*form);
            QListWidget *visibleList = hiddenList == QLatin1String("List1") ? controls.List2 : controls.List1;
            QAccessibleInterface *label = QAccessible::queryAccessibleInterface(controls.Label1);
            for (const auto &[other, relation] : label->relations(QAccessible::Labelled))
                labels = labels || other->object() == visibleList;
        });
        QVERIFY(hidden);
        QVERIFY(invisible);
        QVERIFY2(focusedEntries.isEmpty(), qPrintable(focusedEntries.join(QLatin1Char(','))));
        QVERIFY(labels);
    }

    // An article hides the results list: its entries do not report focused.
    void theHiddenResultsListReportsNothingFocused()
    {
        QVERIFY(QDir(m_install->program.path()).mkpath(QStringLiteral("Data")));
        QFile article(m_install->program.filePath(QStringLiteral("Data/линии.txt")));
        QVERIFY(article.open(QIODevice::WriteOnly));
        article.write("text");
        article.close();
        Form1 window(m_install->installation());
        window.load();
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto *list = namedControl<QListWidget>(window, "List1");
        list->addItem(QStringLiteral("линии.txt"));
        list->setCurrentRow(0);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(list->isHidden());
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(list);
        for (int i = 0; i < iface->childCount(); ++i) {
            QVERIFY(!iface->child(i)->state().focused);
            QVERIFY(iface->child(i)->state().invisible);
        }
        // Back at the list, the user goes on from the entry read.
        QTest::keyClick(window.focusWidget(), Qt::Key_Escape);
        QVERIFY(list->isVisible());
        QCOMPARE(QApplication::focusWidget(), list);
        QCOMPARE(list->currentRow(), 0);
    }

private:
    static constexpr int kTopics = 100;
    static constexpr int kQuestion = 101;

    // Shows the main window on a tab, or the questionnaire window as a run
    // shows its topics or its first question, and checks it there.
    void withView(int view, const std::function<void(QWidget *)> &check)
    {
        if (view < kTopics) {
            Form1 window(m_install->installation());
            window.load();
            namedControl<XTab>(window, "XTab1")->setCurrentTab(view);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            check(&window);
            return;
        }
        FakeDialogs dialogs;
        Form2 form(m_install->installation(), dialogs);
        const Form2Controls controls(form);
        form.present(QPoint(100, 100));
        int waits = 0;
        bool checked = false;
        connect(
            &form, &Form2::waiting, &form,
            [&] {
                ++waits;
                if (view == kQuestion && waits == 1) {
                    controls.List2->item(0)->setSelected(true);
                    controls.Command2->click();
                    return;
                }
                check(&form);
                checked = true;
                controls.Command3->click();
            },
            Qt::QueuedConnection);
        form.Doing();
        QVERIFY(checked);
    }

    std::unique_ptr<TemporaryInstallation> m_install;
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
