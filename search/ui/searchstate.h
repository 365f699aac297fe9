#pragma once

#include "search/querysplit.h"
#include "search/searchinterval.h"

#include <atomic>

// The window's search state, one per window, shared by the run and the article
// view: the mode and item tables of the last run, read again when an article is
// opened, and the interval the settings tab sets for this run of the program.
struct SearchState
{
    bool Adv_Mode = true;                         // the last run was in word mode
    ItemTable Words;                              // the query's words, for word mode
    ItemTable Phrases;                            // the query's phrases, for phrase mode
    qint64 Search_Int = SearchInterval::kDefault; // how near the words must lie, in characters
    // Set to stop the running search; cleared when a run starts.
    std::atomic_bool Search_Stop{false};
};
