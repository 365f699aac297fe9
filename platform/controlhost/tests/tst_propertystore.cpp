#include "platform/controlhost/propertystore.h"

#include <QImage>
#include <QTest>

class TestPropertyStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void missingKeyReadsAsItsDefault_data()
    {
        QTest::addColumn<QVariant>("defaultValue");
        QTest::newRow("text") << QVariant(QStringLiteral("xp_canvas1"));
        QTest::newRow("number") << QVariant(0);
        QTest::newRow("Boolean") << QVariant(true);
    }
    void missingKeyReadsAsItsDefault()
    {
        QFETCH(QVariant, defaultValue);
        const PropertyStore store{{QStringLiteral("Other"), 5}};
        QCOMPARE(store.read(QStringLiteral("Caption"), defaultValue), defaultValue);
    }

    void valueEqualToItsDefaultIsNotStored_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QVariant>("defaultValue");
        QTest::addColumn<bool>("stored");
        QTest::newRow("same text") << QVariant(QStringLiteral("a")) << QVariant(QStringLiteral("a")) << false;
        QTest::newRow("other text") << QVariant(QStringLiteral("Анкета")) << QVariant(QStringLiteral("xp_canvas1"))
                                    << true;
        QTest::newRow("same number") << QVariant(0) << QVariant(0) << false;
        QTest::newRow("other number") << QVariant(7) << QVariant(0) << true;
        QTest::newRow("same Boolean") << QVariant(true) << QVariant(true) << false;
        QTest::newRow("other Boolean") << QVariant(false) << QVariant(true) << true;
    }
    void valueEqualToItsDefaultIsNotStored()
    {
        QFETCH(QVariant, value);
        QFETCH(QVariant, defaultValue);
        QFETCH(bool, stored);
        PropertyStore store;
        store.write(QStringLiteral("Key"), value, defaultValue);
        QCOMPARE(store.contains(QStringLiteral("Key")), stored);
        QCOMPARE(store.read(QStringLiteral("Key"), defaultValue), value);
    }

    void writingTheDefaultDropsAStoredValue()
    {
        PropertyStore store;
        store.write(QStringLiteral("Value"), 2, 0);
        QVERIFY(store.contains(QStringLiteral("Value")));
        store.write(QStringLiteral("Value"), 0, 0);
        QVERIFY(!store.contains(QStringLiteral("Value")));
        QVERIFY(store.isEmpty());
    }

    void picturesCompareByTheirPixels()
    {
        QImage picture(4, 4, QImage::Format_ARGB32);
        picture.fill(Qt::red);
        QImage same = picture.copy();
        QImage other = picture.copy();
        other.setPixel(1, 1, qRgb(0, 0, 255));

        PropertyStore store;
        store.write(QStringLiteral("Icon"), same, picture);
        QVERIFY(!store.contains(QStringLiteral("Icon")));
        store.write(QStringLiteral("Icon"), other, picture);
        QVERIFY(store.contains(QStringLiteral("Icon")));
        QCOMPARE(store.read(QStringLiteral("Icon"), picture), other);
    }

    void storedValueIsReadAsItsDefaultsType()
    {
        // Design data may keep a Boolean as a number.
        const PropertyStore store{{QStringLiteral("Fixed_Single"), 1}};
        const QVariant value = store.read(QStringLiteral("Fixed_Single"), QVariant(false));
        QCOMPARE(value.metaType(), QMetaType::fromType<bool>());
        QCOMPARE(value.toBool(), true);
        QCOMPARE(store.read(QStringLiteral("Fixed_Single"), false), true);
    }
};

QTEST_MAIN(TestPropertyStore)
#include "tst_propertystore.moc"
