#include "app/programoptions.h"
#include "platform/installation.h"
#include "platform/release.h"

#include <QTest>
#include <QTextStream>

class TestProgramOptions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void answersBeforeAnyWindow_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("says");
        const QLocale english = QLocale::c();
        const QLocale russian(QLocale::Russian, QLocale::Russia);
        QTest::newRow("help") << QStringList{QStringLiteral("--help")} << english << QStringLiteral("usage: palmora");
        QTest::newRow("short help") << QStringList{QStringLiteral("-h")} << english
                                    << QStringLiteral("~/.local/share/palmora");
        QTest::newRow("help in Russian") << QStringList{QStringLiteral("--help")} << russian
                                         << QStringLiteral("использование: palmora");
        QTest::newRow("help after Qt's options")
            << QStringList{QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("--help")}
            << english << QStringLiteral("--version");
        QTest::newRow("help names the first-start marker")
            << QStringList{QStringLiteral("--help")} << english
            << QStringLiteral("first-run marker ") + Installation::firstStartMarker + QStringLiteral(" and");
        QTest::newRow("Russian help names the first-start marker")
            << QStringList{QStringLiteral("--help")} << russian
            << QStringLiteral("запуска ") + Installation::firstStartMarker + QStringLiteral(" и файлы");
        QTest::newRow("version") << QStringList{QStringLiteral("--version")} << english
                                 << QStringLiteral("palmora " PALMORA_VERSION "\n");
    }
    void answersBeforeAnyWindow()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QLocale, locale);
        QFETCH(QString, says);
        arguments.prepend(QStringLiteral("palmora"));
        QString text;
        QTextStream out(&text);
        QCOMPARE(ProgramOptions::handle(arguments, out, locale), std::optional<int>(0));
        QVERIFY2(text.contains(says), qPrintable(text));
    }

    void anythingElseOpensTheWindows_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("nothing") << QStringList{};
        QTest::newRow("Qt's own option") << QStringList{QStringLiteral("-platform"), QStringLiteral("offscreen")};
    }
    void anythingElseOpensTheWindows()
    {
        QFETCH(QStringList, arguments);
        arguments.prepend(QStringLiteral("palmora"));
        QString text;
        QTextStream out(&text);
        QCOMPARE(ProgramOptions::handle(arguments, out), std::nullopt);
        QVERIFY(text.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestProgramOptions)
#include "tst_programoptions.moc"
