#pragma once

#include "search/highlights.h"

#include <QString>

#include <vector>

// Where the places of an article's text lie in the text a view shows of it:
// the view may show only a beginning of it and puts line feeds of its own into
// lines too long to lay out, so a place (a phrase across such a break, a word
// broken inside) moves by the feeds before it and grows by those within it.
class ShownOffsets
{
public:
    // text: the article's text, or a beginning of it; shown: the view's text.
    ShownOffsets(const QString &text, const QString &shown);

    // False when the view's text is not the article's with line feeds put in
    // (the two were read differently); offsets are then taken as they are.
    bool matches() const { return m_matches; }
    // How much of the article's text the view shows.
    qint64 shownLength() const { return m_shownLength; }

    // The view's offset of the character at offset in the article's text.
    qint64 map(qint64 offset) const;

    // The places as the view shows them; those beyond its text are left out
    // of the jumps and the marks but still counted as found.
    Highlights map(const Highlights &places) const;

private:
    // Offsets in the article's text before which the view put a line feed.
    std::vector<qint64> m_breaks;
    qint64 m_shownLength = 0;
    bool m_matches = true;
};
