#include "layout/formlayout.h"
#include "platform/eventloop.h"
#include "platform/safefile.h"
#include "platform/testsupport/faildevice.h"
#include "platform/testsupport/fakedialogs.h"
#include "platform/testsupport/temporaryinstallation.h"
#include "platform/testsupport/unwritablefolder.h"
#include "platform/twips.h"
#include "questionnaire/form2.h"
#include "questionnaire/questionnairelauncher.h"
#include "questionnaire/tests/form2controls.h"
#include "questionnaire/tests/formscript.h"
#include "questionnaire/tests/memoryworkbook.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class TestQuestionnaireLauncher : public QObject
{
    Q_OBJECT

private:
    QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    std::unique_ptr<TemporaryInstallation> m_install;
    std::unique_ptr<FakeDialogs> m_dialogs;
    std::unique_ptr<QWidget> m_main;
    QPushButton *m_start = nullptr;
    QPushButton *m_save = nullptr;
    QPlainTextEdit *m_text = nullptr;
    QWidget *m_photo = nullptr;
    QWidget *m_articleView = nullptr;
    std::unique_ptr<QuestionnaireLauncher> m_launcher;
    MemoryWorkbooks m_books;

    // The launcher writes the result text through files.
    void makeLauncher(SafeFile files = SafeFile())
    {
        m_launcher = std::make_unique<QuestionnaireLauncher>(m_install->installation(), m_start, m_save, m_text,
                                                             m_photo, m_articleView, *m_dialogs, std::move(files),
                                                             [this] { return m_books.make(); });
    }

private Q_SLOTS:
    void init()
    {
        m_install = std::make_unique<TemporaryInstallation>();
        QVERIFY(m_install->isValid());
        m_dialogs = std::make_unique<FakeDialogs>();
        QVERIFY(QDir(m_install->program.path()).mkpath(QStringLiteral("Anketa")));

        m_main = std::make_unique<QWidget>();
        m_start = new QPushButton(m_main.get());
        m_save = new QPushButton(m_main.get());
        m_text = new QPlainTextEdit(m_main.get());
        m_photo = new QWidget(m_main.get());
        m_photo->setGeometry(FormLayout::form1().pixels(u"Image1"));
        m_articleView = new QWidget(m_main.get());
        m_articleView->setGeometry(FormLayout::form1().pixels(u"RichTextBox1"));
        m_books = MemoryWorkbooks();
        makeLauncher();
        m_main->show();
    }
    void cleanup()
    {
        m_launcher.reset();
        m_main.reset();
        m_install.reset();
        m_dialogs.reset();
    }

    void launchPreparesTheWindow()
    {
        Form2 *form = m_launcher->window();
        const Form2Controls controls(*form);
        controls.List1->addItem(QStringLiteral("ответ прошлого раза"));
        controls.Label1->setText(QStringLiteral("прошлый вопрос"));
        FormScript script(form);
        QPoint placed;
        bool shown = false;
        script.steps << [&](Form2 *form) {
            placed = form->pos();
            shown = form->isVisible();
            controls.Command3->click();
        };
        m_start->click();
        QVERIFY(shown);
        QCOMPARE(script.labels, QStringList{QStringLiteral("Выберите тематику анкетирования:")});
        // The photo's width + 2500 twips, the article view's top + 2700 twips.
        const FormLayout &layout = FormLayout::form1();
        QCOMPARE(placed,
                 QPoint(Twips::toPixels(layout.twips(u"Image1").width() + 2500),
                        Twips::toPixels(layout.twips(u"RichTextBox1").top() + 2700)));
        QCOMPARE(controls.List1->count(), 0);
        QVERIFY(form->isHidden());
        QVERIFY(!form->isRunning());
    }

    void secondLaunchWhileWaitingBringsTheRunForward()
    {
        QFile topic(m_install->program.filePath(QStringLiteral("Anketa/Тема.xls")));
        QVERIFY(topic.open(QIODevice::WriteOnly));
        m_books.sheets[QStringLiteral("Тема.xls")] = {
            {QStringLiteral("Вопрос"), QStringLiteral("Да"), QStringLiteral("Ответ да")},
            {QStringLiteral("quit")},
        };
        Form2 *form = m_launcher->window();
        FormScript script(form);
        bool stillWaiting = false;
        script.steps << FormScript::next({0}) << [&](Form2 *form) {
            const Form2Controls controls(*form);
            form->hide();
            m_start->click(); // returns at once: the run goes on
            stillWaiting = form->isVisible() && controls.Label1->text() == QStringLiteral("Вопрос");
            controls.List1->item(0)->setSelected(true);
            controls.Command2->click();
        };
        m_start->click();
        QVERIFY(!script.ranOut);
        QVERIFY(stillWaiting);
        QCOMPARE(script.labels.size(), 2);
        QCOMPARE(m_text->toPlainText(), QStringLiteral("Ответ да. "));
    }

    void twoQuestionnairesAccumulate()
    {
        QFile topic(m_install->program.filePath(QStringLiteral("Anketa/Тема.xls")));
        QVERIFY(topic.open(QIODevice::WriteOnly));
        m_books.sheets[QStringLiteral("Тема.xls")] = {
            {QStringLiteral("Вопрос"), QStringLiteral("Да"), QStringLiteral("Первый")},
            {QString(), QStringLiteral("Нет"), QStringLiteral("Второй")},
            {QStringLiteral("quit")},
        };
        FormScript script(m_launcher->window());
        script.steps << FormScript::next({0}) << FormScript::next({0}) << FormScript::next({0})
                     << FormScript::next({1});
        m_start->click();
        m_start->click();
        QVERIFY(!script.ranOut);
        QCOMPARE(m_text->toPlainText(), QStringLiteral("Первый. Второй. "));
    }

    void savedFile_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty text") << QString() << QByteArray("\r\n");
        QTest::newRow("Cyrillic in Windows-1251")
            << QStringLiteral("Линия жизни. ") << QByteArray("\xCB\xE8\xED\xE8\xFF \xE6\xE8\xE7\xED\xE8. \r\n");
        QTest::newRow("lines end in CR LF") << QStringLiteral("a\nb") << QByteArray("a\r\nb\r\n");
    }
    void savedFile()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        const QString path = m_install->program.filePath(QStringLiteral("итог"));
        m_dialogs->fileNames << path;
        m_text->setPlainText(text);
        m_save->click();
        QCOMPARE(m_dialogs->titles, QStringList{QStringLiteral("Save Text")});
        QCOMPARE(m_dialogs->filters, QStringList{QStringLiteral("*.txt|*.txt")});
        // The name is used as chosen: no extension is added.
        QCOMPARE(readFile(path), bytes);
        QVERIFY(m_dialogs->messages.isEmpty());
    }

    void savingReplacesAnExistingFile()
    {
        const QString path = m_install->program.filePath(QStringLiteral("итог.txt"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("старое содержимое, длиннее нового\r\n");
        old.close();
        m_dialogs->fileNames << path;
        m_text->setPlainText(QStringLiteral("new"));
        m_save->click();
        QCOMPARE(readFile(path), QByteArray("new\r\n"));
    }

    void cancelledSaveWritesNothing()
    {
        m_text->setPlainText(QStringLiteral("текст"));
        m_save->click();
        QCOMPARE(QDir(m_install->program.path()).entryList(QDir::Files), QStringList{});
        QVERIFY(m_dialogs->messages.isEmpty());
    }

    void failedSaveIsReportedAndKeepsTheOldFile()
    {
        const QString path = m_install->program.filePath(QStringLiteral("итог.txt"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old\r\n");
        old.close();
        makeLauncher(failingSafeFile(2));
        m_dialogs->fileNames << path;
        m_text->setPlainText(QStringLiteral("новый текст"));
        m_save->click();
        QCOMPARE(m_dialogs->messages.size(), 1);
        QVERIFY(m_dialogs->messages[0].text.contains(QStringLiteral("Не удалось сохранить")));
        QVERIFY(m_dialogs->messages[0].text.contains(QDir::toNativeSeparators(path)));
        QCOMPARE(readFile(path), QByteArray("old\r\n"));
    }

    // Each failed save says why, in words that point at the remedy.
    void failedSaveNamesItsReason_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("reason");
        QTest::newRow("full disk (/dev/full)") << QStringLiteral("/dev/full") << QStringLiteral("не хватает места");
        QTest::newRow("disk fills half-way") << QStringLiteral("half-way") << QStringLiteral("не хватает места");
        QTest::newRow("read-only file") << QStringLiteral("read-only") << QStringLiteral("только для чтения");
        QTest::newRow("folder not writable")
            << QStringLiteral("folder") << QStringLiteral("Нет прав на запись в папку");
        QTest::newRow("missing folder") << QStringLiteral("missing") << QStringLiteral("Папки");
    }
    void failedSaveNamesItsReason()
    {
        QFETCH(QString, where);
        QFETCH(QString, reason);
        QString path = m_install->program.filePath(QStringLiteral("итог.txt"));
        std::unique_ptr<UnwritableFolder> locked;
        if (where == QLatin1String("/dev/full")) {
            if (!QFileInfo(where).isWritable())
                QSKIP("/dev/full cannot be written here");
            path = where;
        } else if (where == QLatin1String("half-way")) {
            makeLauncher(failingSafeFile(2));
        } else if (where == QLatin1String("read-only")) {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.close();
            QVERIFY(old.setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        } else if (where == QLatin1String("folder")) {
            locked = std::make_unique<UnwritableFolder>(m_install->program.path());
            if (!locked->isEffective())
                QSKIP("the folder cannot be made unwritable for this user");
        } else {
            path = m_install->program.filePath(QStringLiteral("нет такой папки/итог.txt"));
        }
        m_dialogs->fileNames << path;
        m_text->setPlainText(QStringLiteral("текст"));
        m_save->click();
        locked.reset();
        QCOMPARE(m_dialogs->messages.size(), 1);
        const QString text = m_dialogs->messages[0].text;
        QVERIFY2(text.startsWith(
                     QStringLiteral("Не удалось сохранить текст в файл «%1».\n").arg(QDir::toNativeSeparators(path))),
                 qPrintable(text));
        QVERIFY2(text.contains(reason), qPrintable(text));
        // No guess at a cause that is not the one.
        QVERIFY2(!text.contains(QStringLiteral("Проверьте")), qPrintable(text));
    }

    void saveIntoMissingFolderIsReported()
    {
        m_dialogs->fileNames << m_install->program.filePath(QStringLiteral("нет такой папки/итог.txt"));
        m_save->click();
        QCOMPARE(m_dialogs->messages.size(), 1);
    }
};

QTEST_MAIN(TestQuestionnaireLauncher)
#include "tst_questionnairelauncher.moc"
