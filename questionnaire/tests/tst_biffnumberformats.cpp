#include "questionnaire/biffnumberformats.h"

#include <QTest>

class TestBiffNumberFormats : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void kindOfCode_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("kind");
        using Kind = BiffNumberFormats::Kind;
        QTest::newRow("General") << QStringLiteral("General") << int(Kind::Number);
        QTest::newRow("scientific") << QStringLiteral("0.00E+00") << int(Kind::Number);
        QTest::newRow("quoted letters") << QStringLiteral("0 \"days\"") << int(Kind::Number);
        QTest::newRow("escaped letters") << QStringLiteral("0\\ \\d") << int(Kind::Number);
        QTest::newRow("colour") << QStringLiteral("[Red]0.00;[Blue]-0.00") << int(Kind::Number);
        QTest::newRow("date") << QStringLiteral("dd.mm.yyyy") << int(Kind::Date);
        QTest::newRow("month alone") << QStringLiteral("mmmm") << int(Kind::Date);
        QTest::newRow("time: m is minutes") << QStringLiteral("h:mm") << int(Kind::Time);
        QTest::newRow("elapsed time") << QStringLiteral("[h]:mm:ss") << int(Kind::Time);
        QTest::newRow("date and time, locale tag, text section")
            << QStringLiteral("[$-409]dd/mm/yyyy\\ hh:mm;@") << int(Kind::DateTime);
        QTest::newRow("first section decides") << QStringLiteral("0;dd.mm.yyyy") << int(Kind::Number);
    }
    void kindOfCode()
    {
        QFETCH(QString, code);
        QFETCH(int, kind);
        QCOMPARE(int(BiffNumberFormats::kindOfCode(code)), kind);
    }

    void text_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("date1904");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("number") << QStringLiteral("0.00") << false << 1234567.25 << QStringLiteral("1234567,25");
        QTest::newRow("15 significant digits")
            << QStringLiteral("General") << false << 0.1 + 0.2 << QStringLiteral("0,3");
        QTest::newRow("date") << QStringLiteral("dd.mm.yyyy") << false << 45296.75 << QStringLiteral("05.01.2024");
        QTest::newRow("before the false leap day")
            << QStringLiteral("dd.mm.yyyy") << false << 59.0 << QStringLiteral("28.02.1900");
        QTest::newRow("after it") << QStringLiteral("dd.mm.yyyy") << false << 61.0 << QStringLiteral("01.03.1900");
        QTest::newRow("1904 date system")
            << QStringLiteral("dd.mm.yyyy") << true << 43834.0 << QStringLiteral("05.01.2024");
        QTest::newRow("time") << QStringLiteral("h:mm") << false << 0.5 + 1.0 / 86400 << QStringLiteral("12:00:01");
        QTest::newRow("date and time") << QStringLiteral("dd.mm.yyyy h:mm") << false << 45296.25
                                       << QStringLiteral("05.01.2024 06:00:00");
        QTest::newRow("format without a date")
            << QStringLiteral("#,##0.00") << false << 45296.0 << QStringLiteral("45296");
        QTest::newRow("negative date as a number")
            << QStringLiteral("dd.mm.yyyy") << false << -3.5 << QStringLiteral("-3,5");
    }
    void text()
    {
        QFETCH(QString, code);
        QFETCH(bool, date1904);
        QFETCH(double, value);
        QFETCH(QString, text);
        BiffNumberFormats formats;
        formats.addCellFormat(0);
        formats.addCellFormat(200);
        formats.addNumberFormat(200, code);
        formats.setDate1904(date1904);
        const QLocale russian(QLocale::Russian, QLocale::Russia);
        QCOMPARE(formats.text(value, 1, russian), text);
    }
};

QTEST_MAIN(TestBiffNumberFormats)
#include "tst_biffnumberformats.moc"
