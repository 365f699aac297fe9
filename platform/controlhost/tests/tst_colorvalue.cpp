#include "platform/controlhost/colorvalue.h"

#include <QGuiApplication>
#include <QPalette>
#include <QTest>

class TestColorValue : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        // A palette in which every role the system colours use is told apart.
        QPalette palette;
        palette.setColor(QPalette::Active, QPalette::Base, QColor(1, 2, 3));
        palette.setColor(QPalette::Active, QPalette::Button, QColor(10, 20, 30));
        palette.setColor(QPalette::Active, QPalette::Dark, QColor(11, 21, 31));
        palette.setColor(QPalette::Active, QPalette::ButtonText, QColor(12, 22, 32));
        palette.setColor(QPalette::Active, QPalette::Light, QColor(13, 23, 33));
        palette.setColor(QPalette::Active, QPalette::Shadow, QColor(14, 24, 34));
        palette.setColor(QPalette::Active, QPalette::Midlight, QColor(15, 25, 35));
        QGuiApplication::setPalette(palette);
    }

    void rgbValueHasRedInTheLowestByte_data()
    {
        QTest::addColumn<quint32>("value");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("black") << quint32(0) << QColor(0, 0, 0);
        QTest::newRow("red") << quint32(0x0000ff) << QColor(255, 0, 0);
        QTest::newRow("green") << quint32(0x00ff00) << QColor(0, 255, 0);
        QTest::newRow("blue") << quint32(0xff0000) << QColor(0, 0, 255);
        QTest::newRow("client grey") << quint32(0xe3dfe0) << QColor(224, 223, 227);
        QTest::newRow("high byte ignored") << quint32(0x7f102030) << QColor(0x30, 0x20, 0x10);
    }
    void rgbValueHasRedInTheLowestByte()
    {
        QFETCH(quint32, value);
        QFETCH(QColor, colour);
        QCOMPARE(ColorValue::toColor(value), colour);
        QCOMPARE(ColorValue::rgb(colour.red(), colour.green(), colour.blue()), value & 0xffffff);
        QCOMPARE(ColorValue::fromColor(colour), value & 0xffffff);
        QVERIFY(!ColorValue::isSystem(value));
    }

    void topBitNamesASystemColourOfThePalette_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("window background") << 5 << QColor(1, 2, 3);
        QTest::newRow("button face") << 15 << QColor(10, 20, 30);
        QTest::newRow("button shadow") << 16 << QColor(11, 21, 31);
        QTest::newRow("button text") << 18 << QColor(12, 22, 32);
        QTest::newRow("button highlight") << 20 << QColor(13, 23, 33);
        QTest::newRow("3D dark shadow") << 21 << QColor(14, 24, 34);
        QTest::newRow("3D light") << 22 << QColor(15, 25, 35);
        QTest::newRow("no such index") << 99 << QColor(0, 0, 0);
    }
    void topBitNamesASystemColourOfThePalette()
    {
        QFETCH(int, index);
        QFETCH(QColor, colour);
        const quint32 value = ColorValue::system(index);
        QVERIFY(ColorValue::isSystem(value));
        QCOMPARE(value, 0x80000000u | quint32(index));
        QCOMPARE(ColorValue::toColor(value), colour);
        QCOMPARE(ColorValue::translate(value), ColorValue::fromColor(colour));
    }

    void systemColourFollowsAPaletteChange()
    {
        const quint32 face = ColorValue::system(ColorValue::buttonFace);
        const QPalette saved = QGuiApplication::palette();
        QPalette changed = saved;
        changed.setColor(QPalette::Active, QPalette::Button, QColor(200, 100, 50));
        QGuiApplication::setPalette(changed);
        QCOMPARE(ColorValue::toColor(face), QColor(200, 100, 50));
        QGuiApplication::setPalette(saved);
        QCOMPARE(ColorValue::toColor(face), QColor(10, 20, 30));
    }

    void translateLeavesAnRgbValueAlone() { QCOMPARE(ColorValue::translate(0x00123456u), 0x00123456u); }

    // A control resolves system colours against its own palette, the one its
    // window gives it, whatever the application's.
    void systemColourFromAGivenPalette()
    {
        QPalette own;
        own.setColor(QPalette::Active, QPalette::Button, QColor(239, 239, 239));
        own.setColor(QPalette::Active, QPalette::ButtonText, QColor(0, 0, 0));
        const quint32 face = ColorValue::system(ColorValue::buttonFace);
        const quint32 text = ColorValue::system(ColorValue::buttonText);
        QCOMPARE(ColorValue::toColor(face, own), QColor(239, 239, 239));
        QCOMPARE(ColorValue::toColor(text, own), QColor(0, 0, 0));
        QCOMPARE(ColorValue::translate(face, own), ColorValue::rgb(239, 239, 239));
        QCOMPARE(ColorValue::translate(0x00123456u, own), 0x00123456u);
        // The application's palette, set up above, is another.
        QCOMPARE(ColorValue::toColor(face), QColor(10, 20, 30));
    }
};

QTEST_MAIN(TestColorValue)
#include "tst_colorvalue.moc"
