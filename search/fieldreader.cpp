#include "search/fieldreader.h"

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// The fields of one line, appended to out.
void readLine(QStringView line, QStringList &out, qsizetype maxFields)
{
    qsizetype i = 0;
    const qsizetype n = line.size();
    for (;;) {
        if (maxFields >= 0 && out.size() >= maxFields)
            return;
        while (i < n && isBlank(line[i]))
            ++i;
        if (i < n && line[i] == u'"') {
            // A quote that never closes runs to the end of the line.
            const qsizetype close = line.indexOf(u'"', i + 1);
            const qsizetype end = close < 0 ? n : close;
            out.append(line.sliced(i + 1, end - i - 1).toString());
            if (close < 0)
                return;
            const qsizetype comma = line.indexOf(u',', close + 1);
            if (comma < 0)
                return;
            i = comma + 1;
            continue;
        }
        const qsizetype comma = line.indexOf(u',', i);
        const qsizetype end = comma < 0 ? n : comma;
        qsizetype last = end;
        while (last > i && isBlank(line[last - 1]))
            --last;
        out.append(line.sliced(i, last - i).toString());
        if (comma < 0)
            return;
        // A comma at the end of the line still leaves an empty field after it.
        i = comma + 1;
    }
}

} // namespace

QStringList FieldReader::read(QStringView text, qsizetype maxFields)
{
    QStringList out;
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start < n || (start == 0 && n == 0)) {
        qsizetype end = start;
        while (end < n && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        readLine(text.sliced(start, end - start), out, maxFields);
        if (maxFields >= 0 && out.size() >= maxFields)
            break;
        if (end >= n)
            break;
        start = end + ((text[end] == u'\r' && end + 1 < n && text[end + 1] == u'\n') ? 2 : 1);
    }
    return out;
}
