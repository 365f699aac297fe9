#pragma once

#include "search/querysplit.h"

#include <QList>
#include <QString>

#include <atomic>

class ArticleText;

// What the article view highlights in a plain-text article: the places the
// scroll bar jumps to and the selections given the found-place format.
struct Highlights
{
    // The found places, in the order they were found; only the first
    // kMaxJumps are kept, as the view's table holds no more.
    static constexpr qint64 kMaxJumps = 10001;

    struct Mark
    {
        qint64 offset = 0;
        qint64 length = 0;
        bool operator==(const Mark &) const = default;
    };

    QList<qint64> jumps;
    // Every found place, kept or not; the view's F is found - 1.
    qint64 found = 0;
    // In the order the view formats them. Whole-word items start at their
    // leading blank and are as long as the item as typed.
    QList<Mark> marks;

    // Word mode scans over the words with the interval, phrase mode over the phrases.
    static Highlights compute(const ArticleText &text, const ItemTable &items, bool wordMode, qint64 interval,
                              const std::atomic_bool *cancel = nullptr);
    static Highlights compute(const QString &text, const ItemTable &items, bool wordMode, qint64 interval,
                              const std::atomic_bool *cancel = nullptr);
};
