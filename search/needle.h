#pragma once

#include <QString>

#include <array>
#include <vector>

// A case-folded text made ready to be found in an article's own characters,
// Windows-1251 bytes or UTF-16 units, without folding the article: a vector
// scan looks for every case of two of its rarer characters at once, and only
// the characters under a candidate are folded to confirm it. Finding is const
// and may run on several threads at once.
class Needle
{
public:
    Needle() = default;
    explicit Needle(const QString &folded);

    // In characters, the same in both forms.
    qint64 length() const { return m_length; }

    // The first occurrence that starts at or after from and ends by size, or -1.
    qint64 find(const char *text, qint64 size, qint64 from) const;
    qint64 find(const char16_t *text, qint64 size, qint64 from) const;

    template <typename Unit>
    struct Pattern
    {
        std::vector<Unit> folded;
        bool possible = false;                      // every character of it can stand in such a text
        bool vector = false;                        // the probes below hold every case of their characters
        int width = 0;                              // the cases compared per probe: 2 or 4
        std::array<int, 2> at{};                    // the probed positions, the rarest first
        std::array<std::array<Unit, 4>, 2> cases{}; // each probe's cases, the first repeated to fill
    };

private:
    template <typename Unit>
    static qint64 scan(const Pattern<Unit> &p, const Unit *text, qint64 size, qint64 from);

    qint64 m_length = 0;
    Pattern<unsigned char> m_bytes;
    Pattern<char16_t> m_units;
};
