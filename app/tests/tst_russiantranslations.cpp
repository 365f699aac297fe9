#include "app/russiantranslations.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

// Qt's own dialogs speak the program's language, not the system's.
class TestRussianTranslations : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(RussianTranslations::install());
    }

    void fileDialogButtons_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("open: cancel") << int(QFileDialog::AcceptOpen) << int(QDialogButtonBox::Cancel)
                                      << QStringLiteral("Отмена");
        QTest::newRow("save: cancel") << int(QFileDialog::AcceptSave) << int(QDialogButtonBox::Cancel)
                                      << QStringLiteral("Отмена");
        QTest::newRow("open: open") << int(QFileDialog::AcceptOpen) << int(QDialogButtonBox::Open)
                                    << QStringLiteral("&Открыть");
        QTest::newRow("save: save") << int(QFileDialog::AcceptSave) << int(QDialogButtonBox::Save)
                                    << QStringLiteral("&Сохранить");
    }
    void fileDialogButtons()
    {
        QFETCH(int, mode);
        QFETCH(int, button);
        QFETCH(QString, text);
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptMode(mode));
        const auto *box = dialog.findChild<QDialogButtonBox *>();
        QVERIFY(box);
        QVERIFY(box->button(QDialogButtonBox::StandardButton(button)));
        QCOMPARE(box->button(QDialogButtonBox::StandardButton(button))->text(), text);
    }

    void fileDialogLabels_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("text");
        QTest::newRow("look in") << QStringLiteral("lookInLabel") << QStringLiteral("Перейти к:");
        QTest::newRow("file name") << QStringLiteral("fileNameLabel") << QStringLiteral("&Имя файла:");
        QTest::newRow("files of type") << QStringLiteral("fileTypeLabel") << QStringLiteral("Типы файлов:");
    }
    void fileDialogLabels()
    {
        QFETCH(QString, label);
        QFETCH(QString, text);
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        const auto *found = dialog.findChild<QLabel *>(label);
        QVERIFY(found);
        QCOMPARE(found->text(), text);
    }

    void messageBoxCancel()
    {
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        QVERIFY(box.button(QMessageBox::Cancel));
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Отмена"));
    }
};

QTEST_MAIN(TestRussianTranslations)
#include "tst_russiantranslations.moc"
