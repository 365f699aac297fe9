#include "controls/virtualkey.h"

#include <QTest>

class TestVirtualKey : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void codes_data()
    {
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<int>("code");
        QTest::newRow("space") << int(Qt::Key_Space) << 32;
        QTest::newRow("enter on the main block") << int(Qt::Key_Return) << 13;
        QTest::newRow("enter on the keypad") << int(Qt::Key_Enter) << 13;
        QTest::newRow("escape") << int(Qt::Key_Escape) << 27;
        QTest::newRow("letter") << int(Qt::Key_Q) << int('Q');
        QTest::newRow("digit") << int(Qt::Key_7) << int('7');
        QTest::newRow("left arrow") << int(Qt::Key_Left) << 37;
        QTest::newRow("down arrow") << int(Qt::Key_Down) << 40;
        QTest::newRow("F1") << int(Qt::Key_F1) << 112;
        QTest::newRow("F12") << int(Qt::Key_F12) << 123;
        QTest::newRow("shift") << int(Qt::Key_Shift) << 16;
        QTest::newRow("delete") << int(Qt::Key_Delete) << 46;
        QTest::newRow("a Cyrillic letter has none") << int(0x0416) << 0;
        QTest::newRow("a media key has none") << int(Qt::Key_VolumeUp) << 0;
    }
    void codes()
    {
        QFETCH(int, qtKey);
        QFETCH(int, code);
        QCOMPARE(VirtualKey::fromQtKey(qtKey), code);
    }

    void charactersTakeTheirCyrillicCodePageByte_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<int>("ascii");
        QTest::newRow("latin") << "a" << 97;
        QTest::newRow("space") << " " << 32;
        QTest::newRow("cyrillic small") << "ж" << 0xE6;
        QTest::newRow("cyrillic capital") << "Ё" << 0xA8;
        QTest::newRow("outside the code page") << "語" << int('?');
    }
    void charactersTakeTheirCyrillicCodePageByte()
    {
        QFETCH(QString, character);
        QFETCH(int, ascii);
        QCOMPARE(VirtualKey::asciiOf(character.at(0)), ascii);
    }
};

QTEST_APPLESS_MAIN(TestVirtualKey)
#include "tst_virtualkey.moc"
