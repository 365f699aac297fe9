#include "search/highlights.h"

#include "search/articletext.h"
#include "search/searchengine.h"

namespace {

void addJump(Highlights &h, qint64 offset)
{
    if (h.found < Highlights::kMaxJumps)
        h.jumps.append(offset);
    ++h.found;
}

} // namespace

Highlights Highlights::compute(const ArticleText &text, const ItemTable &items, bool wordMode, qint64 interval,
                               const std::atomic_bool *cancel)
{
    Highlights h;
    if (wordMode) {
        const WordQuery query(items, interval);
        SearchEngine::proximityScan(
            text, query,
            [&](const Cluster &c) {
                addJump(h, c.anchor);
                for (qsizetype i = 0; i < c.positions.size(); ++i)
                    h.marks.append(Mark{c.positions[i], query.words()[i].typed.size()});
                return true;
            },
            cancel);
    } else {
        const PhraseQuery query(items);
        SearchEngine::phraseOccurrences(
            text, query,
            [&](int i, qint64 at) {
                addJump(h, at);
                h.marks.append(Mark{at, query.phrases()[i].typed.size()});
                return true;
            },
            cancel);
    }
    return h;
}

Highlights Highlights::compute(const QString &text, const ItemTable &items, bool wordMode, qint64 interval,
                               const std::atomic_bool *cancel)
{
    return compute(*ArticleText::fromString(text), items, wordMode, interval, cancel);
}
