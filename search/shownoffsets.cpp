#include "search/shownoffsets.h"

#include <algorithm>

ShownOffsets::ShownOffsets(const QString &text, const QString &shown)
{
    // The view's own feeds never come before a line break of the text, so
    // matching its characters in turn finds them.
    qsizetype t = 0;
    for (qsizetype s = 0; s < shown.size(); ++s) {
        if (t < text.size() && shown[s] == text[t]) {
            ++t;
        } else if (shown[s] == u'\n') {
            m_breaks.push_back(t);
        } else {
            m_matches = false;
            m_breaks.clear();
            m_shownLength = shown.size();
            return;
        }
    }
    m_shownLength = t;
}

qint64 ShownOffsets::map(qint64 offset) const
{
    const auto before = std::upper_bound(m_breaks.begin(), m_breaks.end(), offset) - m_breaks.begin();
    return offset + qint64(before);
}

Highlights ShownOffsets::map(const Highlights &places) const
{
    Highlights shown;
    shown.found = places.found;
    for (qint64 jump : places.jumps) {
        if (jump < m_shownLength)
            shown.jumps.append(map(jump));
        else
            --shown.found;
    }
    for (const Highlights::Mark &mark : places.marks) {
        if (mark.offset >= m_shownLength || mark.length <= 0)
            continue;
        const qint64 last = std::min(mark.offset + mark.length, m_shownLength) - 1;
        const qint64 from = map(mark.offset);
        shown.marks.append(Highlights::Mark{from, map(last) + 1 - from});
    }
    return shown;
}
