#pragma once

// The scans written as plainly as the algorithm reads: a case-insensitive find
// from a 1-based start over the whole text, positions counted from 1. The
// engine is checked against this.

#include <QList>
#include <QString>
#include <QStringList>

namespace Reference {

struct Cluster
{
    qint64 anchor = 0; // 1-based
    QList<qint64> pos; // Pos(1)..Pos(n), 1-based, 0 = not found
};

// Position of the first occurrence of what in text at or after start, or 0.
inline qint64 find(const QString &text, const QString &what, qint64 start)
{
    if (start < 1 || start > text.size() + 1)
        return 0;
    const qsizetype at = text.indexOf(what, start - 1, Qt::CaseInsensitive);
    return at < 0 ? 0 : at + 1;
}

// items: the word items as split (slots 1..n). An empty first item would make
// every position an anchor, so then every empty item is dropped first.
inline QList<Cluster> proximityScan(const QString &text, QStringList items, qint64 interval)
{
    QList<Cluster> out;
    if (!items.isEmpty() && items.first().isEmpty())
        items.removeAll(QString());
    const qsizetype n = items.size();
    if (n == 0)
        return out;
    QStringList prepared = items;
    for (qsizetype j = 1; j < n; ++j) {
        if (items[j].endsWith(u'!'))
            prepared[j] = u' ' + items[j].chopped(1) + u' ';
    }
    const QString &w1 = prepared[0];
    qint64 s = 1;
    for (;;) {
        const qint64 p = find(text, w1, s);
        if (p == 0)
            return out;
        QList<qint64> pos(n, 0);
        pos[0] = p;
        bool abandoned = false;
        for (qsizetype j = 1; j < n && !abandoned; ++j) {
            qint64 q = p;
            for (;;) {
                q = find(text, prepared[j], q);
                if (q == 0)
                    break;
                if (q > p + interval) {
                    abandoned = true;
                    break;
                }
                if (q - p < interval) {
                    pos[j] = q;
                    break;
                }
                q = q + prepared[j].size();
            }
        }
        if (abandoned) {
            s = p + 1;
            continue;
        }
        if (!pos.contains(0))
            out.append(Cluster{p, pos});
        s = p + w1.size() + 1;
    }
}

struct Occurrence
{
    qsizetype phrase = 0; // index into the items
    qint64 at = 0;        // 1-based
};

inline QList<Occurrence> phraseOccurrences(const QString &text, const QStringList &items)
{
    QList<Occurrence> out;
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QString &phrase = items[i];
        if (phrase.isEmpty() || phrase == QStringLiteral(" "))
            continue;
        qint64 p = 1;
        for (;;) {
            const qint64 r = find(text, phrase, p);
            if (r == 0)
                break;
            out.append(Occurrence{i, r});
            p = r + phrase.size();
        }
    }
    return out;
}

} // namespace Reference
