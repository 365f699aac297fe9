#pragma once

#include <QHash>
#include <QList>
#include <QLocale>
#include <QString>

// What a workbook's cell formats make of a number: a date, a time of day,
// both, or the plain number. A cell names a cell format (XF), which names a
// number format, built in or given by a FORMAT record.
class BiffNumberFormats
{
public:
    enum class Kind { Number, Date, Time, DateTime };

    // Whether a number format's code shows a date or a time: by its letters
    // for years, days, hours and seconds (months alone count as a date),
    // outside quoted text, escaped characters and colours in brackets.
    static Kind kindOfCode(QStringView code);

    void addNumberFormat(quint16 index, const QString &code);
    // Excel 2 to 4 number their formats in the order they come.
    void addNumberFormat(const QString &code) { addNumberFormat(m_nextFormat, code); }
    void addCellFormat(quint16 numberFormat) { m_cellFormats.append(numberFormat); }
    void setDate1904(bool on) { m_date1904 = on; }

    Kind kindOf(quint16 cellFormat) const;

    // The number as Excel hands it out: in the locale, without digit
    // grouping, up to 15 significant digits; a date in the locale's short
    // form, a time as hours, minutes and seconds.
    QString text(double value, quint16 cellFormat, const QLocale &locale) const;

private:
    QList<quint16> m_cellFormats;
    QHash<quint16, Kind> m_numberFormats;
    quint16 m_nextFormat = 0;
    bool m_date1904 = false;
};
