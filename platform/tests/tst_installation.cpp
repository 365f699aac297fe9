#include "platform/installation.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestInstallation : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void writesBesideTheProgramWhenItCan()
    {
        QTemporaryDir dir;
        QCOMPARE(Installation(dir.path()).writePath(Installation::firstStartMarker),
                 dir.filePath(Installation::firstStartMarker));
    }

    // The installation names its folder; a copy of it elsewhere is a copy.
    void anInstalledFolderIsNeverWritten_data()
    {
        QTest::addColumn<bool>("marked");
        QTest::addColumn<bool>("namesThisFolder");
        QTest::addColumn<bool>("beside");
        QTest::newRow("no marker") << false << false << true;
        QTest::newRow("installed here") << true << true << false;
        QTest::newRow("a copy of an installation") << true << false << true;
    }
    void anInstalledFolderIsNeverWritten()
    {
        QFETCH(bool, marked);
        QFETCH(bool, namesThisFolder);
        QFETCH(bool, beside);
        QTemporaryDir program;
        QTemporaryDir fallback;
        if (marked) {
            QFile marker(program.filePath(QStringLiteral(".installed-at")));
            QVERIFY(marker.open(QIODevice::WriteOnly));
            marker.write((namesThisFolder ? program.path() : QStringLiteral("/usr/lib/palmora")).toUtf8() + '\n');
        }
        const Installation installation(program.path(), fallback.path());
        QVERIFY(Installation::isWritable(program.path()));
        const QString expected =
            (beside ? program.path() : fallback.path()) + QLatin1Char('/') + Installation::firstStartMarker;
        QCOMPARE(installation.writePath(Installation::firstStartMarker), expected);
        QCOMPARE(installation.existingPath(Installation::firstStartMarker),
                 beside ? expected : program.filePath(Installation::firstStartMarker));
    }

    void fallsBackWhenTheProgramFolderIsReadOnly()
    {
        QTemporaryDir program;
        QTemporaryDir fallback;
        QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::ExeOwner);
        // Root ignores the bits: there the folder is declared read-only instead.
        const Installation installation(program.path(), fallback.path() + QStringLiteral("/sub"),
                                        Installation::isWritable(program.path())
                                            ? Installation::ProgramFolderWrites::Never
                                            : Installation::ProgramFolderWrites::AsAllowed);
        const QString path = installation.writePath(QStringLiteral("mes.txt"));
        QCOMPARE(path, fallback.path() + QStringLiteral("/sub/mes.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QCOMPARE(installation.existingPath(QStringLiteral("mes.txt")), path);
        QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // The user's data location holds one folder of the program's own, not one
    // per organisation with the program's inside it.
    void fallbackIsOneFolderNamedAfterTheProgram_data()
    {
        QTest::addColumn<QString>("organization");
        QTest::addColumn<QString>("application");
        QTest::newRow("names the executable sets") << QStringLiteral("Palmora") << QStringLiteral("Palmora");
        QTest::newRow("no organisation") << QString() << QStringLiteral("Palmora");
        QTest::newRow("no names") << QString() << QString();
    }
    void fallbackIsOneFolderNamedAfterTheProgram()
    {
#ifndef Q_OS_LINUX
        QSKIP("The user's data folder is read from XDG_DATA_HOME on Linux only");
#endif
        QFETCH(QString, organization);
        QFETCH(QString, application);
        QTemporaryDir data;
        const QByteArray savedData = qgetenv("XDG_DATA_HOME");
        const QString savedOrganization = QCoreApplication::organizationName();
        const QString savedApplication = QCoreApplication::applicationName();
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
        QCoreApplication::setOrganizationName(organization);
        QCoreApplication::setApplicationName(application);
        const QString folder = Installation::defaultUserDataFolder();
        QCoreApplication::setOrganizationName(savedOrganization);
        QCoreApplication::setApplicationName(savedApplication);
        if (savedData.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", savedData);
        QCOMPARE(folder, data.path() + QStringLiteral("/palmora"));
    }

    // Reading back finds the file where this copy of the program writes it.
    void existingPathFollowsWhereTheFileIsWritten_data()
    {
        QTest::addColumn<bool>("writable");
        QTest::addColumn<bool>("beside");
        QTest::addColumn<bool>("inFallback");
        QTest::addColumn<bool>("expectFallback");
        QTest::newRow("writable, another copy's file in the fallback") << true << false << true << false;
        QTest::newRow("writable, both") << true << true << true << false;
        QTest::newRow("read-only, shipped file and a newer one in the fallback") << false << true << true << true;
        QTest::newRow("read-only, shipped file alone") << false << true << false << false;
        QTest::newRow("read-only, fallback alone") << false << false << true << true;
        QTest::newRow("read-only, none") << false << false << false << false;
    }
    void existingPathFollowsWhereTheFileIsWritten()
    {
        QFETCH(bool, writable);
        QFETCH(bool, beside);
        QFETCH(bool, inFallback);
        QFETCH(bool, expectFallback);
        QTemporaryDir program;
        QTemporaryDir fallback;
        const Installation installation(program.path(), fallback.path(),
                                        writable ? Installation::ProgramFolderWrites::Always
                                                 : Installation::ProgramFolderWrites::Never);
        const QString name = QStringLiteral("allmes.txt");
        for (const auto &[present, folder] :
             {std::pair{beside, program.path()}, std::pair{inFallback, fallback.path()}}) {
            QFile file(folder + QLatin1Char('/') + name);
            QVERIFY(!present || file.open(QIODevice::WriteOnly));
        }
        QCOMPARE(installation.existingPath(name),
                 (expectFallback ? fallback.path() : program.path()) + QLatin1Char('/') + name);
    }
};

QTEST_GUILESS_MAIN(TestInstallation)
#include "tst_installation.moc"
