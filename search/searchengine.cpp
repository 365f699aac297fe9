#include "search/searchengine.h"

#include "search/articletext.h"
#include "search/casefold.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace {

bool cancelled(SearchEngine::Cancel cancel)
{
    return cancel && cancel->load(std::memory_order_relaxed);
}

// "Find w from t" answered from the sorted occurrences of w, pulled from the
// text only as far as needed. Occurrences before the current anchor are
// dropped; the few kept ahead of it are those a skip over the window's edge
// passed over.
class Cursor
{
public:
    explicit Cursor(std::unique_ptr<OccurrenceSource> source)
        : m_source(std::move(source))
    {}

    // The first occurrence at or after t, or -1.
    qint64 firstFrom(qint64 t)
    {
        for (std::size_t i = m_head; i < m_ahead.size(); ++i) {
            if (m_ahead[i] >= t)
                return m_ahead[i];
        }
        while (!m_done) {
            const qint64 q = m_source->next();
            if (q < 0) {
                m_done = true;
                break;
            }
            if (q < m_floor)
                continue;
            m_ahead.push_back(q);
            if (q >= t)
                return q;
        }
        return -1;
    }

    void dropBefore(qint64 t)
    {
        m_floor = qMax(m_floor, t);
        while (m_head < m_ahead.size() && m_ahead[m_head] < t)
            ++m_head;
        // What was dropped goes once it is most of what is kept.
        if (m_head > 0 && m_head * 2 >= m_ahead.size()) {
            m_ahead.erase(m_ahead.begin(), m_ahead.begin() + std::ptrdiff_t(m_head));
            m_head = 0;
        }
        m_source->skipTo(m_floor);
    }

private:
    std::unique_ptr<OccurrenceSource> m_source;
    std::vector<qint64> m_ahead; // sorted; those before m_head are dropped
    std::size_t m_head = 0;
    qint64 m_floor = 0; // nothing before this is asked for any more
    bool m_done = false;
};

} // namespace

WordQuery::WordQuery(const ItemTable &words, qint64 interval)
    : m_interval(qBound<qint64>(1, interval, qint64(1) << 53))
{
    const int n = qBound(0, words.count, ItemTable::kMaxItems);
    for (int i = 1; i <= n; ++i) {
        const QString &typed = words.slot[i];
        if (typed.isEmpty())
            continue;
        Word w;
        w.item = i;
        w.typed = typed;
        // The first word is searched exactly as typed; any other ending in "!"
        // only as a whole word between two blanks.
        if (!m_words.isEmpty() && typed.endsWith(u'!'))
            w.searched = u' ' + typed.chopped(1) + u' ';
        else
            w.searched = typed;
        w.folded = CaseFold::fold(w.searched);
        w.needle = Needle(w.folded);
        m_words.append(w);
    }
}

PhraseQuery::PhraseQuery(const ItemTable &phrases)
{
    const int n = qBound(0, phrases.count, ItemTable::kMaxItems);
    for (int i = 1; i <= n; ++i) {
        const QString &typed = phrases.slot[i];
        if (typed.isEmpty() || typed == QStringLiteral(" "))
            continue;
        const QString folded = CaseFold::fold(typed);
        m_phrases.append(Phrase{i, typed, folded, Needle(folded)});
    }
}

bool SearchEngine::phraseTest(const ArticleText &text, const PhraseQuery &query, Cancel cancel)
{
    for (const auto &phrase : query.phrases()) {
        if (cancelled(cancel))
            return false;
        if (text.find(phrase.needle)->next() >= 0)
            return true;
    }
    return false;
}

bool SearchEngine::wordTest(const ArticleText &text, const WordQuery &query, Cancel cancel)
{
    bool found = false;
    proximityScan(
        text, query,
        [&found](const Cluster &) {
            found = true;
            return false;
        },
        cancel);
    return found && !cancelled(cancel);
}

void SearchEngine::proximityScan(const ArticleText &text, const WordQuery &query,
                                 const std::function<bool(const Cluster &)> &onCluster, Cancel cancel)
{
    const auto &words = query.words();
    if (words.isEmpty())
        return;
    const qint64 interval = query.interval();
    const qint64 firstLength = words.first().searched.size();
    std::vector<Cursor> cursors;
    cursors.reserve(std::size_t(words.size()));
    for (const auto &w : words)
        cursors.emplace_back(text.find(w.needle));

    Cluster cluster;
    cluster.positions.resize(words.size());
    qint64 s = 0;
    for (unsigned turn = 0;; ++turn) {
        if ((turn & 1023) == 0 && cancelled(cancel))
            return;
        const qint64 p = cursors[0].firstFrom(s);
        if (p < 0)
            return;
        cursors[0].dropBefore(p);
        cluster.positions[0] = p;
        bool abandoned = false;
        bool allFound = true;
        bool exhausted = false;
        for (qsizetype j = 1; j < words.size(); ++j) {
            Cursor &c = cursors[std::size_t(j)];
            c.dropBefore(p);
            qint64 q = c.firstFrom(p);
            if (q == p + interval) {
                // Exactly at the window's edge: passed over, and the search
                // goes on after it.
                q = c.firstFrom(q + words[j].searched.size());
                if (q < 0) {
                    allFound = false;
                    continue;
                }
            }
            if (q < 0) {
                // Not in the rest of the text: no later anchor can be a cluster.
                allFound = false;
                exhausted = true;
                continue;
            }
            if (q > p + interval) {
                abandoned = true;
                break;
            }
            cluster.positions[j] = q;
        }
        if (abandoned) {
            s = p + 1;
            continue;
        }
        if (allFound) {
            cluster.anchor = p;
            if (!onCluster(cluster))
                return;
        }
        if (exhausted)
            return;
        s = p + firstLength + 1;
    }
}

void SearchEngine::phraseOccurrences(const ArticleText &text, const PhraseQuery &query,
                                     const std::function<bool(int, qint64)> &onOccurrence, Cancel cancel)
{
    const auto &phrases = query.phrases();
    for (qsizetype i = 0; i < phrases.size(); ++i) {
        const qint64 length = phrases[i].folded.size();
        Cursor cursor(text.find(phrases[i].needle));
        qint64 p = 0;
        for (unsigned turn = 0;; ++turn) {
            if ((turn & 1023) == 0 && cancelled(cancel))
                return;
            const qint64 r = cursor.firstFrom(p);
            if (r < 0)
                break;
            if (!onOccurrence(int(i), r))
                return;
            p = r + length;
            cursor.dropBefore(p);
        }
    }
}
