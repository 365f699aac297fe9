#include "search/searchrun.h"

#include "search/articletext.h"
#include "search/knowledgebase.h"
#include "search/searchengine.h"

QStringList SearchRun::run(const KnowledgeBase &base, const ItemTable &items, bool wordMode, qint64 interval,
                           const Progress &progress, const std::atomic_bool *cancel)
{
    QStringList found;
    const WordQuery words = wordMode ? WordQuery(items, interval) : WordQuery();
    const PhraseQuery phrases = wordMode ? PhraseQuery() : PhraseQuery(items);
    const bool nothingToFind = wordMode ? words.isEmpty() : phrases.isEmpty();
    const auto entries = base.entries();
    const int n = int(entries.size());
    int k = 0;
    for (const auto &entry : entries) {
        if (cancel && cancel->load(std::memory_order_relaxed))
            break;
        ++k;
        bool matched = false;
        if (!entry.isFolder && !nothingToFind) {
            const auto text = base.searchText(entry.name, cancel);
            matched = wordMode ? SearchEngine::wordTest(*text, words, cancel)
                               : SearchEngine::phraseTest(*text, phrases, cancel);
            if (cancel && cancel->load(std::memory_order_relaxed))
                break;
        }
        if (matched)
            found.append(entry.name);
        if (progress && !progress(Step{k, n, entry.name, matched}))
            break;
    }
    return found;
}
