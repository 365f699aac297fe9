#pragma once

#include "search/articletext.h"
#include "search/querysplit.h"

#include <QStringList>

#include <atomic>
#include <functional>

class KnowledgeBase;

// One search over the whole knowledge base. The articles are read and tested
// on a small pool of worker threads, each with its own reader, and their
// outcomes are handed on strictly in visiting order as they complete, so the
// results are those of a search that visits one entry after another. Runs on
// any thread; the cancel flag ends it within a moment.
class SearchRun
{
public:
    // Before the first entry, each name the listing leaves out although it
    // was put there as an article comes with k 0 and why it is not read.
    struct Step
    {
        int k = 0; // entries processed so far, this one included
        int n = 0; // the entry count at the start (Kol_Fil)
        QString name;
        bool matched = false;
        int error = 0; // the system's error number when the article could not be opened
    };
    // Called after each entry, in visiting order, on the thread that runs
    // the search; returning false stops the run.
    using Progress = std::function<bool(const Step &)>;

    // More threads than this gain nothing on reading files and cost memory.
    static constexpr int kMaxWorkers = 8;

    struct Options
    {
        // Threads that read and test the articles; 0: one per core, up to kMaxWorkers.
        int workers = 0;
        ArticleText::Options reading;
    };

    // items: Do_S's words in word mode, Do_P's phrases otherwise. The names of
    // the matching articles, in visiting order.
    static QStringList run(const KnowledgeBase &base, const ItemTable &items, bool wordMode, qint64 interval,
                           const Progress &progress = {}, const std::atomic_bool *cancel = nullptr);
    static QStringList run(const KnowledgeBase &base, const ItemTable &items, bool wordMode, qint64 interval,
                           const Options &options, const Progress &progress = {},
                           const std::atomic_bool *cancel = nullptr);
};
