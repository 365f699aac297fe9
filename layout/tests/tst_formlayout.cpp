#include "layout/formlayout.h"

#include <QTest>
#include <QWidget>

class TestFormLayout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void placesAControlByItsName()
    {
        QWidget container;
        QWidget check(&container);
        check.setObjectName(QStringLiteral("Check1"));
        FormLayout::form1().place(&check);
        // 11880, 540, 255 × 255 twips at 15 twips a pixel.
        QCOMPARE(check.geometry(), QRect(792, 36, 17, 17));

        QWidget unknown(&container);
        unknown.setObjectName(QStringLiteral("NoSuchControl"));
        unknown.setGeometry(1, 2, 3, 4);
        FormLayout::form1().place(&unknown);
        QCOMPARE(unknown.geometry(), QRect(1, 2, 3, 4));
    }

    void linesKeepTheirEndPoints()
    {
        QCOMPARE(FormLayout::form1().lineTwips(u"Line2"), QLine(240, 9120, 2525, 9120));
        QVERIFY(FormLayout::form1().lineTwips(u"Line2") != QLine());
        // A line is not a rectangle, and a rectangle is not a line.
        QVERIFY(FormLayout::form1().twips(u"Line2").isNull());
        QVERIFY(FormLayout::form1().lineTwips(u"Check1").isNull());
    }

    void eachWindowHoldsItsOwnControls_data()
    {
        QTest::addColumn<int>("form");
        QTest::addColumn<QString>("name");
        QTest::newRow("main window's search button") << 1 << QStringLiteral("Command2");
        QTest::newRow("questionnaire's next button") << 2 << QStringLiteral("Command2");
        QTest::newRow("splash picture") << 3 << QStringLiteral("Image1");
    }
    void eachWindowHoldsItsOwnControls()
    {
        QFETCH(int, form);
        QFETCH(QString, name);
        const FormLayout &layout = form == 1 ? FormLayout::form1()
            : form == 2                      ? FormLayout::form2()
                                             : FormLayout::form3();
        const QRect control = layout.twips(name);
        QVERIFY(!control.isNull());
        // The design places every control of these windows inside the window.
        QVERIFY(QRect(QPoint(0, 0), layout.windowTwips()).contains(control));
    }

    void tellsWhichNamesAreTheWindowsOwn_data()
    {
        QTest::addColumn<int>("form");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("named");
        QTest::newRow("a control") << 1 << QStringLiteral("Check1") << true;
        QTest::newRow("a line") << 1 << QStringLiteral("Line2") << true;
        QTest::newRow("unknown") << 1 << QStringLiteral("pictop") << false;
        QTest::newRow("the questionnaire's list") << 2 << QStringLiteral("List2") << true;
        QTest::newRow("a main-window control on the questionnaire") << 2 << QStringLiteral("Check1") << false;
    }
    void tellsWhichNamesAreTheWindowsOwn()
    {
        QFETCH(int, form);
        QFETCH(QString, name);
        QFETCH(bool, named);
        const FormLayout &layout = form == 1 ? FormLayout::form1() : FormLayout::form2();
        QCOMPARE(layout.names(name), named);
    }

    void questionnaireWindowDiffersFromTheMainWindow()
    {
        QVERIFY(FormLayout::form1().twips(u"Command2") != FormLayout::form2().twips(u"Command2"));
        QCOMPARE(FormLayout::form2().windowPixels(), QSize(521, 305));
    }
};

QTEST_MAIN(TestFormLayout)
#include "tst_formlayout.moc"
