#include "questionnaire/biffnumberformats.h"

#include <QDate>
#include <QTime>

#include <cmath>

BiffNumberFormats::Kind BiffNumberFormats::kindOfCode(QStringView code)
{
    bool date = false;
    bool time = false;
    bool month = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const char16_t c = QChar::toLower(code[i].unicode());
        switch (c) {
        case u'"': {
            const qsizetype close = code.indexOf(u'"', i + 1);
            i = close < 0 ? code.size() : close;
            break;
        }
        case u'\\':
        case u'_':
        case u'*':
            ++i; // the next character is shown as it is, or is padding
            break;
        case u'[': {
            const qsizetype close = code.indexOf(u']', i + 1);
            const QStringView inside = code.mid(i + 1, close < 0 ? 0 : close - i - 1);
            // [h], [mm], [ss]: elapsed time; anything else is a colour or a condition.
            if (!inside.isEmpty()
                && (inside[0] == u'h' || inside[0] == u'H' || inside[0] == u's' || inside[0] == u'S'
                    || inside[0] == u'm' || inside[0] == u'M'))
                time = true;
            i = close < 0 ? code.size() : close;
            break;
        }
        case u';':
            i = code.size(); // the first section decides
            break;
        case u'g':
            // "General", the plain number.
            if (code.mid(i, 7).compare(QLatin1String("general"), Qt::CaseInsensitive) == 0)
                i += 6;
            break;
        case u'y':
        case u'd':
            date = true;
            break;
        case u'h':
        case u's':
            time = true;
            break;
        case u'm':
            month = true;
            break;
        default:
            break;
        }
    }
    // "m" is minutes next to hours or seconds, and a month otherwise.
    if (month && !time)
        date = true;
    if (date && time)
        return Kind::DateTime;
    if (date)
        return Kind::Date;
    if (time)
        return Kind::Time;
    return Kind::Number;
}

void BiffNumberFormats::addNumberFormat(quint16 index, const QString &code)
{
    m_numberFormats.insert(index, kindOfCode(code));
    m_nextFormat = quint16(index + 1);
}

BiffNumberFormats::Kind BiffNumberFormats::kindOf(quint16 cellFormat) const
{
    if (cellFormat >= m_cellFormats.size())
        return Kind::Number;
    const quint16 format = m_cellFormats[cellFormat];
    const auto found = m_numberFormats.constFind(format);
    if (found != m_numberFormats.cend())
        return found.value();
    // The built-in formats no FORMAT record repeats.
    if ((format >= 14 && format <= 17) || (format >= 27 && format <= 31) || (format >= 50 && format <= 58))
        return Kind::Date;
    if (format == 22)
        return Kind::DateTime;
    if ((format >= 18 && format <= 21) || (format >= 45 && format <= 47) || (format >= 32 && format <= 35))
        return Kind::Time;
    return Kind::Number;
}

QString BiffNumberFormats::text(double value, quint16 cellFormat, const QLocale &locale) const
{
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    const Kind kind = kindOf(cellFormat);
    // Dates before the epoch or beyond the year 9999 are shown as numbers.
    if (kind == Kind::Number || !std::isfinite(value) || value < 0 || value >= 2958466)
        return plain.toString(value, 'g', 15);

    qint64 seconds = std::llround(value * 86400.0);
    qint64 days = seconds / 86400;
    const QTime clock = QTime(0, 0).addSecs(int(seconds % 86400));
    const QString clockText = clock.toString(QStringLiteral("HH:mm:ss"));
    if (kind == Kind::Time)
        return clockText;
    QDate date;
    if (m_date1904) {
        date = QDate(1904, 1, 1).addDays(days);
    } else {
        // Excel counts a 29 February 1900 that never was.
        if (days == 60)
            return plain.toString(value, 'g', 15);
        date = days < 60 ? QDate(1899, 12, 31).addDays(days) : QDate(1899, 12, 30).addDays(days);
    }
    const QString dateText = locale.toString(date, QLocale::ShortFormat);
    return kind == Kind::Date ? dateText : dateText + u' ' + clockText;
}
