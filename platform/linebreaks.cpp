#include "platform/linebreaks.h"

#include <algorithm>

QString LineBreaks::bound(const QString &text, qsizetype max, bool *broken)
{
    Counter counter(max);
    QString out;
    qsizetype from = 0;
    const QChar *p = text.constData();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (p[i] == u'\n' || p[i] == u'\r') {
            counter.lineEnded();
            continue;
        }
        if (!counter.breakBefore(p[i]))
            continue;
        if (out.isEmpty())
            out.reserve(text.size() + text.size() / std::max<qsizetype>(max / 2, 1) + 1);
        out.append(QStringView(p + from, i - from));
        out.append(u'\n');
        from = i;
    }
    if (broken)
        *broken = from > 0;
    if (from == 0)
        return text;
    out.append(QStringView(p + from, text.size() - from));
    return out;
}
