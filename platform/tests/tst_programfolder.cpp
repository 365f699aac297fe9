#include "programfolder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestProgramFolder : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup()
    {
        ProgramFolder::setPathForTesting(QString());
        ProgramFolder::setFallbackForTesting(QString());
        ProgramFolder::setWritableForTesting(0);
    }

    void writesBesideTheProgramWhenItCan()
    {
        QTemporaryDir dir;
        ProgramFolder::setPathForTesting(dir.path());
        QCOMPARE(ProgramFolder::writePath(QStringLiteral("run.ini")), dir.filePath(QStringLiteral("run.ini")));
    }

    void fallsBackWhenTheProgramFolderIsReadOnly()
    {
        QTemporaryDir program;
        QTemporaryDir fallback;
        QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::ExeOwner);
        if (ProgramFolder::isWritable(program.path()))
            ProgramFolder::setWritableForTesting(-1); // root ignores the bits
        ProgramFolder::setPathForTesting(program.path());
        ProgramFolder::setFallbackForTesting(fallback.path() + QStringLiteral("/sub"));
        const QString path = ProgramFolder::writePath(QStringLiteral("mes.txt"));
        QCOMPARE(path, fallback.path() + QStringLiteral("/sub/mes.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QCOMPARE(ProgramFolder::existingPath(QStringLiteral("mes.txt")), path);
        QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "tst_programfolder.moc"
