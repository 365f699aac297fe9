#pragma once

#include "search/querysplit.h"

#include <QStringList>

#include <atomic>
#include <functional>

class KnowledgeBase;

// One search over the whole knowledge base, entry by entry in visiting order.
// Runs on any thread; the cancel flag ends it at the next entry or chunk.
class SearchRun
{
public:
    struct Step
    {
        int k = 0;        // entries processed so far, this one included
        int n = 0;        // the entry count at the start (Kol_Fil)
        QString name;
        bool matched = false;
    };
    // Called after each entry; returning false stops the run.
    using Progress = std::function<bool(const Step &)>;

    // items: Do_S's words in word mode, Do_P's phrases otherwise. The names of
    // the matching articles, in visiting order.
    static QStringList run(const KnowledgeBase &base, const ItemTable &items, bool wordMode, qint64 interval,
                           const Progress &progress = {}, const std::atomic_bool *cancel = nullptr);
};
