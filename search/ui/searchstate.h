#pragma once

#include "search/querysplit.h"
#include "search/searchinterval.h"

#include <atomic>

// The window's search state, one per window, shared by the run and the article
// view: the mode and item tables of the last run, read again when an article is
// opened, and the interval the settings tab sets for this run of the program.
struct SearchState
{
    bool Adv_Mode = true;
    ItemTable Words;
    ItemTable Phrases;
    qint64 Search_Int = SearchInterval::kDefault;
    // Set to stop the running search; cleared when a run starts.
    std::atomic_bool Search_Stop{false};
};
