#pragma once

#include <QString>

#include <array>

// One table of query items: slot 0 always empty, the items in slots 1 to count.
struct ItemTable
{
    static constexpr int kMaxItems = 100;
    std::array<QString, kMaxItems + 1> slot;
    int count = 0;

    QString item(int i) const { return slot.at(i); }
};

// Cutting the query text into items. Done in memory: a scratch file beside
// the program cannot be written in an installed copy, which would leave every
// query empty.
class QuerySplit
{
public:
    // Do_P, phrase mode: the query as comma-separated phrases.
    static ItemTable Do_P(const QString &query);
    // Do_S, word mode: the query's words; every space is first turned into a comma.
    static ItemTable Do_S(const QString &query);
    // The field split shared by both.
    static ItemTable split(const QString &text);
};
