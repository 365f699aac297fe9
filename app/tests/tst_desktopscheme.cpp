#include "app/form1.h"
#include "platform/testsupport/fakedialogs.h"
#include "platform/testsupport/namedcontrol.h"
#include "platform/testsupport/temporaryinstallation.h"
#include "platform/widgets/xtab.h"
#include "questionnaire/form2.h"
#include "questionnaire/tests/form2controls.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>

#include <functional>
#include <memory>

namespace {

// A dark desktop scheme as a platform theme hands it to the application:
// every role of every group dark or light-on-dark.
QPalette darkDesktop()
{
    QPalette p;
    const struct
    {
        QPalette::ColorRole role;
        QColor colour;
    } roles[] = {
        {QPalette::WindowText, QColor(240, 240, 240)},  {QPalette::Button, QColor(53, 53, 53)},
        {QPalette::Light, QColor(80, 80, 80)},          {QPalette::Midlight, QColor(66, 66, 66)},
        {QPalette::Dark, QColor(30, 30, 30)},           {QPalette::Mid, QColor(40, 40, 40)},
        {QPalette::Text, QColor(240, 240, 240)},        {QPalette::BrightText, QColor(255, 80, 80)},
        {QPalette::ButtonText, QColor(240, 240, 240)},  {QPalette::Base, QColor(36, 36, 36)},
        {QPalette::Window, QColor(50, 50, 50)},         {QPalette::Shadow, QColor(10, 10, 10)},
        {QPalette::Highlight, QColor(21, 83, 158)},     {QPalette::HighlightedText, QColor(250, 250, 250)},
        {QPalette::Link, QColor(120, 170, 255)},        {QPalette::LinkVisited, QColor(200, 140, 255)},
        {QPalette::AlternateBase, QColor(44, 44, 44)},  {QPalette::ToolTipBase, QColor(30, 30, 30)},
        {QPalette::ToolTipText, QColor(230, 230, 230)}, {QPalette::PlaceholderText, QColor(140, 140, 140)},
    };
    for (const QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (const auto &r : roles)
            p.setColor(g, r.role, r.colour);
    }
    return p;
}

// Where two shots first differ, or nothing when they are the same.
QString firstDifference(const QImage &light, const QImage &dark)
{
    if (light.size() != dark.size())
        return QStringLiteral("sizes differ");
    const QImage a = light.convertToFormat(QImage::Format_RGB32);
    const QImage b = dark.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QColor ca = a.pixelColor(x, y);
            const QColor cb = b.pixelColor(x, y);
            if (ca != cb)
                return QStringLiteral("at (%1, %2): %3 under the light scheme, %4 under the dark one")
                    .arg(x)
                    .arg(y)
                    .arg(ca.name(), cb.name());
        }
    }
    return QString();
}

using Shot = std::function<QImage()>;

} // namespace

Q_DECLARE_METATYPE(Shot)

namespace {

QImage mainWindowOnTab(const Installation &installation, int tab)
{
    Form1 window(installation);
    window.load();
    namedControl<XTab>(window, "XTab1")->setCurrentTab(tab);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return QImage();
    return window.grab().toImage();
}

QImage questionnaireWindow(const Installation &installation, bool asking)
{
    FakeDialogs dialogs;
    Form2 form(installation, dialogs);
    const Form2Controls controls(form);
    form.present(QPoint(100, 100));
    controls.List2->addItems({QStringLiteral("Линия жизни"), QStringLiteral("Линия сердца")});
    controls.List2->item(1)->setSelected(true);
    if (asking) {
        // As a question shows it: the prompt, the answers and both buttons.
        controls.List2->hide();
        controls.List1->show();
        controls.List1->addItems({QStringLiteral("Да"), QStringLiteral("Нет")});
        controls.List1->item(0)->setSelected(true);
        controls.Label1->setText(QStringLiteral("Длинная ли у вас линия жизни?"));
        controls.Command2->show();
        controls.Command3->show();
    }
    if (!QTest::qWaitForWindowExposed(&form))
        return QImage();
    return form.grab().toImage();
}

} // namespace

// The windows wear the program's own colours: a dark desktop scheme, handed to
// the application before they are made, changes none of their pixels.
class TestDesktopScheme : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        m_light = QApplication::palette();
        m_install = std::make_unique<TemporaryInstallation>();
        QVERIFY(m_install->isValid());
        // The manual, so the instruction tab shows its headings and text.
        QVERIFY(QFile::copy(QStringLiteral(PALMORA_SAMPLE_DIR "/инструкция.rtf"),
                            m_install->program.filePath(QStringLiteral("инструкция.rtf"))));
        // Not the first start: no marker gets written on the way.
        QFile marker(m_install->program.filePath(Installation::firstStartMarker));
        QVERIFY(marker.open(QIODevice::WriteOnly));
    }
    void init() { clearQuitFlag(); }
    void cleanup() { QApplication::setPalette(m_light); }
    void cleanupTestCase() { m_install.reset(); }

    void windowsLookTheSameUnderADarkScheme_data()
    {
        QTest::addColumn<Shot>("shot");
        const Installation installation = m_install->installation();
        QTest::newRow("main window, instruction") << Shot([=] { return mainWindowOnTab(installation, 0); });
        QTest::newRow("main window, photo and search") << Shot([=] { return mainWindowOnTab(installation, 1); });
        QTest::newRow("main window, settings") << Shot([=] { return mainWindowOnTab(installation, 2); });
        QTest::newRow("main window, news") << Shot([=] { return mainWindowOnTab(installation, 3); });
        QTest::newRow("main window, about") << Shot([=] { return mainWindowOnTab(installation, 4); });
        QTest::newRow("questionnaire, topics") << Shot([=] { return questionnaireWindow(installation, false); });
        QTest::newRow("questionnaire, question") << Shot([=] { return questionnaireWindow(installation, true); });
    }
    void windowsLookTheSameUnderADarkScheme()
    {
        QFETCH(Shot, shot);
        QApplication::setPalette(m_light);
        const QImage light = shot();
        QVERIFY(!light.isNull());
        QApplication::setPalette(darkDesktop());
        const QImage dark = shot();
        QVERIFY(!dark.isNull());
        const QString difference = firstDifference(light, dark);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

private:
    QPalette m_light;
    std::unique_ptr<TemporaryInstallation> m_install;
};

QTEST_MAIN(TestDesktopScheme)
#include "tst_desktopscheme.moc"
