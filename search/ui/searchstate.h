#pragma once

#include "search/querysplit.h"

#include <atomic>

// The window's search state, shared by the run and the article view: the mode
// and item tables of the last run, read again when an article is opened.
struct SearchState
{
    bool Adv_Mode = true;
    ItemTable Words;
    ItemTable Phrases;
    // Set to stop the running search; cleared when a run starts.
    std::atomic_bool Search_Stop{false};
};
