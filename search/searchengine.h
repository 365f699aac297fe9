#pragma once

#include "search/needle.h"
#include "search/querysplit.h"
#include "search/searchinterval.h"

#include <QList>
#include <QString>

#include <atomic>
#include <functional>

class ArticleText;

// The words of a word-mode query, ready for the proximity scan. Empty items
// are left out: one after the first is always found at the anchor itself, and
// an empty first item would make every character an anchor.
class WordQuery
{
public:
    struct Word
    {
        int item = 0;     // slot in the item table (1 to 100)
        QString typed;    // the item as typed
        QString searched; // what is searched for: " word " for a whole word
        QString folded;   // searched, case-folded
        Needle needle;    // folded, ready to be found
    };

    WordQuery() = default;
    WordQuery(const ItemTable &words, qint64 interval);

    // True when there is no word at all: such a query matches nothing.
    bool isEmpty() const { return m_words.isEmpty(); }
    const QList<Word> &words() const { return m_words; }
    qint64 interval() const { return m_interval; }

private:
    QList<Word> m_words;
    qint64 m_interval = SearchInterval::kDefault;
};

// The phrases of a phrase-mode query; empty and single-blank items are passed over.
class PhraseQuery
{
public:
    struct Phrase
    {
        int item = 0;
        QString typed;
        QString folded;
        Needle needle;
    };

    PhraseQuery() = default;
    explicit PhraseQuery(const ItemTable &phrases);

    bool isEmpty() const { return m_phrases.isEmpty(); }
    const QList<Phrase> &phrases() const { return m_phrases; }

private:
    QList<Phrase> m_phrases;
};

// One cluster of the proximity scan: the anchor and, for each word of the
// query (in the order of WordQuery::words()), where it was found. 0-based.
struct Cluster
{
    qint64 anchor = 0;
    QList<qint64> positions;
};

// The match tests and scans of both modes. Positions are 0-based character
// offsets into the article text. Every function may be called from any thread;
// a set cancel flag ends the work early (the result is then meaningless).
class SearchEngine
{
public:
    using Cancel = const std::atomic_bool *;

    // Phrase mode: one of the phrases occurs.
    static bool phraseTest(const ArticleText &text, const PhraseQuery &query, Cancel cancel = nullptr);
    // Word mode: the proximity scan has a first cluster.
    static bool wordTest(const ArticleText &text, const WordQuery &query, Cancel cancel = nullptr);

    // Every cluster in order; the callback returns false to stop the scan.
    static void proximityScan(const ArticleText &text, const WordQuery &query,
                              const std::function<bool(const Cluster &)> &onCluster, Cancel cancel = nullptr);

    // Every occurrence of every phrase, phrase by phrase; occurrences of one
    // phrase do not overlap. The callback gets the phrase's index in
    // PhraseQuery::phrases() and the position, and returns false to stop.
    static void phraseOccurrences(const ArticleText &text, const PhraseQuery &query,
                                  const std::function<bool(int, qint64)> &onOccurrence, Cancel cancel = nullptr);
};
