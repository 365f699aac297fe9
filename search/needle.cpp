#include "search/needle.h"

#include "platform/textcodec.h"
#include "search/casefold.h"

#include <algorithm>
#include <vector>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

namespace {

// A rough share of a character in the articles, per hundred characters: the
// rarer the characters probed, the fewer candidates there are to confirm.
double frequency(char16_t c)
{
    // а to я, in percent of the letters of Russian text.
    static constexpr double kCyrillic[32] = {
        8.01, 1.59, 4.54, 1.70, 2.98, 8.45, 0.94, 1.65, 7.35, 1.21, 3.49, 4.40, 3.21, 6.70, 10.97, 2.81,
        4.73, 5.47, 6.26, 2.62, 0.26, 0.97, 0.48, 1.44, 0.73, 0.36, 0.04, 1.90, 1.74, 0.32, 0.64,  2.01,
    };
    // a to z, in percent of the letters of English text.
    static constexpr double kLatin[26] = {
        8.2, 1.5, 2.8, 4.3, 12.7, 2.2, 2.0, 6.1, 7.0,  0.15, 0.77, 4.0, 2.4,
        6.7, 7.5, 1.9, 0.1, 6.0,  6.3, 9.1, 2.8, 0.98, 2.4,  0.15, 2.0, 0.07,
    };
    if (c >= u'а' && c <= u'я')
        return kCyrillic[c - u'а'] * 0.8;
    if (c >= u'А' && c <= u'Я')
        return kCyrillic[c - u'А'] * 0.04;
    if (c >= u'a' && c <= u'z')
        return kLatin[c - u'a'] * 0.1;
    if (c >= u'A' && c <= u'Z')
        return kLatin[c - u'A'] * 0.01;
    if (c == u' ')
        return 15;
    if (c == u'.' || c == u',')
        return 1.5;
    if (c == u'\r' || c == u'\n')
        return 0.5;
    if (c >= u'0' && c <= u'9')
        return 0.3;
    return c < 0x80 ? 0.1 : 0.03;
}

char16_t decoded(unsigned char b)
{
    const char c = char(b);
    return TextCodec::fromCp1251(QByteArrayView(&c, 1)).front().unicode();
}

char16_t decoded(char16_t c)
{
    return c;
}

const std::array<unsigned char, 256> &kBytes = CaseFold::cp1251Table();

inline unsigned char fold(unsigned char b)
{
    return kBytes[b];
}

inline char16_t fold(char16_t c)
{
    return CaseFold::fold(c);
}

std::vector<unsigned char> casesOf(unsigned char b)
{
    return CaseFold::casesOfCp1251(b);
}

std::vector<char16_t> casesOf(char16_t c)
{
    return CaseFold::casesOf(c);
}

template <typename Unit>
Needle::Pattern<Unit> prepare(std::vector<Unit> folded)
{
    Needle::Pattern<Unit> p;
    p.folded = std::move(folded);
    const int m = int(p.folded.size());
    std::vector<std::vector<Unit>> cases(static_cast<std::size_t>(m));
    std::vector<double> rarity(static_cast<std::size_t>(m), 0.0);
    for (int k = 0; k < m; ++k) {
        cases[k] = casesOf(p.folded[k]);
        if (cases[k].empty())
            return p; // nothing in a text folds to this character
        for (Unit u : cases[k])
            rarity[k] += frequency(decoded(u));
    }
    p.possible = m > 0;
    if (!p.possible)
        return p;
    // The rarest position is probed, with the next rarest as a second probe
    // (the same one again for a single character).
    auto rarest = [&](int except, bool vectorOnly) {
        int best = -1;
        for (int k = 0; k < m; ++k) {
            if (k == except || (vectorOnly && cases[k].size() > 4))
                continue;
            if (best < 0 || rarity[k] < rarity[best])
                best = k;
        }
        return best;
    };
    int first = rarest(-1, true);
    int second = first < 0 ? -1 : rarest(first, true);
    if (first >= 0 && second < 0)
        second = first;
    p.vector = first >= 0;
    if (!p.vector)
        first = second = rarest(-1, false);
    p.at = {first, second};
    p.width = std::max(cases[first].size(), cases[second].size()) <= 2 ? 2 : 4;
    for (int probe = 0; probe < 2; ++probe) {
        const auto &c = cases[p.at[probe]];
        for (std::size_t i = 0; i < 4; ++i)
            p.cases[probe][i] = i < c.size() ? c[i] : c.front();
    }
    return p;
}

template <typename Unit>
inline bool confirmed(const Needle::Pattern<Unit> &p, const Unit *at)
{
    const std::size_t m = p.folded.size();
    for (std::size_t k = 0; k < m; ++k) {
        if (fold(at[k]) != p.folded[k])
            return false;
    }
    return true;
}

template <typename Unit>
qint64 scanOneByOne(const Needle::Pattern<Unit> &p, const Unit *text, qint64 size, qint64 from)
{
    const qint64 last = size - qint64(p.folded.size());
    const int at = p.at[0];
    const Unit probe = p.folded[std::size_t(at)];
    for (qint64 x = from; x <= last; ++x) {
        if (fold(text[x + at]) == probe && confirmed(p, text + x))
            return x;
    }
    return -1;
}

#if defined(__SSE2__)

// The vector scan, written once for 16-byte SSE2 registers, which every x86-64
// processor has, and once for the 32-byte AVX2 ones most have: the probes of
// 16 or 32 positions are compared at once, and every position where both
// probes hold one of their cases is confirmed in full.
#define PALMORA_VECTOR_SCAN(Vec, load, splat8, splat16, eq8, eq16, orv, andv, movemask)                                \
    constexpr qint64 kLanes = qint64(sizeof(Vec)) / qint64(sizeof(Unit));                                              \
    const qint64 last = size - qint64(p.folded.size());                                                                \
    const int at0 = p.at[0];                                                                                           \
    const int at1 = p.at[1];                                                                                           \
    const qint64 reach = std::max(at0, at1) + kLanes;                                                                  \
    Vec cases0[Width];                                                                                                 \
    Vec cases1[Width];                                                                                                 \
    for (int i = 0; i < Width; ++i) {                                                                                  \
        if constexpr (sizeof(Unit) == 1) {                                                                             \
            cases0[i] = splat8(char(p.cases[0][std::size_t(i)]));                                                      \
            cases1[i] = splat8(char(p.cases[1][std::size_t(i)]));                                                      \
        } else {                                                                                                       \
            cases0[i] = splat16(short(p.cases[0][std::size_t(i)]));                                                    \
            cases1[i] = splat16(short(p.cases[1][std::size_t(i)]));                                                    \
        }                                                                                                              \
    }                                                                                                                  \
    qint64 x = from;                                                                                                   \
    for (; x + reach <= size; x += kLanes) {                                                                           \
        const Vec v0 = load(reinterpret_cast<const Vec *>(text + x + at0));                                            \
        const Vec v1 = load(reinterpret_cast<const Vec *>(text + x + at1));                                            \
        Vec hit0;                                                                                                      \
        Vec hit1;                                                                                                      \
        if constexpr (sizeof(Unit) == 1) {                                                                             \
            hit0 = eq8(v0, cases0[0]);                                                                                 \
            hit1 = eq8(v1, cases1[0]);                                                                                 \
            for (int i = 1; i < Width; ++i) {                                                                          \
                hit0 = orv(hit0, eq8(v0, cases0[i]));                                                                  \
                hit1 = orv(hit1, eq8(v1, cases1[i]));                                                                  \
            }                                                                                                          \
        } else {                                                                                                       \
            hit0 = eq16(v0, cases0[0]);                                                                                \
            hit1 = eq16(v1, cases1[0]);                                                                                \
            for (int i = 1; i < Width; ++i) {                                                                          \
                hit0 = orv(hit0, eq16(v0, cases0[i]));                                                                 \
                hit1 = orv(hit1, eq16(v1, cases1[i]));                                                                 \
            }                                                                                                          \
        }                                                                                                              \
        unsigned bits = unsigned(movemask(andv(hit0, hit1)));                                                          \
        if constexpr (sizeof(Unit) == 2)                                                                               \
            bits &= 0x55555555u;                                                                                       \
        while (bits) {                                                                                                 \
            const qint64 q = x + qint64(__builtin_ctz(bits)) / qint64(sizeof(Unit));                                   \
            if (q > last)                                                                                              \
                return -1;                                                                                             \
            if (confirmed(p, text + q))                                                                                \
                return q;                                                                                              \
            bits &= bits - 1;                                                                                          \
        }                                                                                                              \
    }                                                                                                                  \
    return scanOneByOne(p, text, size, x);

template <typename Unit, int Width>
qint64 scanSse2(const Needle::Pattern<Unit> &p, const Unit *text, qint64 size, qint64 from)
{
    PALMORA_VECTOR_SCAN(__m128i, _mm_loadu_si128, _mm_set1_epi8, _mm_set1_epi16, _mm_cmpeq_epi8, _mm_cmpeq_epi16,
                        _mm_or_si128, _mm_and_si128, _mm_movemask_epi8)
}

template <typename Unit, int Width>
__attribute__((target("avx2"))) qint64 scanAvx2(const Needle::Pattern<Unit> &p, const Unit *text, qint64 size,
                                                qint64 from)
{
    PALMORA_VECTOR_SCAN(__m256i, _mm256_loadu_si256, _mm256_set1_epi8, _mm256_set1_epi16, _mm256_cmpeq_epi8,
                        _mm256_cmpeq_epi16, _mm256_or_si256, _mm256_and_si256, _mm256_movemask_epi8)
}

#undef PALMORA_VECTOR_SCAN

// With AVX-512 the comparisons give bit masks straight away, 64 bytes at a time.
template <typename Unit, int Width>
__attribute__((target("avx512f,avx512bw"))) qint64 scanAvx512(const Needle::Pattern<Unit> &p, const Unit *text,
                                                              qint64 size, qint64 from)
{
    constexpr qint64 kLanes = 64 / qint64(sizeof(Unit));
    const qint64 last = size - qint64(p.folded.size());
    const int at0 = p.at[0];
    const int at1 = p.at[1];
    const qint64 reach = std::max(at0, at1) + kLanes;
    __m512i cases0[Width];
    __m512i cases1[Width];
    for (int i = 0; i < Width; ++i) {
        if constexpr (sizeof(Unit) == 1) {
            cases0[i] = _mm512_set1_epi8(char(p.cases[0][std::size_t(i)]));
            cases1[i] = _mm512_set1_epi8(char(p.cases[1][std::size_t(i)]));
        } else {
            cases0[i] = _mm512_set1_epi16(short(p.cases[0][std::size_t(i)]));
            cases1[i] = _mm512_set1_epi16(short(p.cases[1][std::size_t(i)]));
        }
    }
    qint64 x = from;
    for (; x + reach <= size; x += kLanes) {
        const __m512i v0 = _mm512_loadu_si512(text + x + at0);
        const __m512i v1 = _mm512_loadu_si512(text + x + at1);
        quint64 hit0 = 0;
        quint64 hit1 = 0;
        for (int i = 0; i < Width; ++i) {
            if constexpr (sizeof(Unit) == 1) {
                hit0 |= _mm512_cmpeq_epi8_mask(v0, cases0[i]);
                hit1 |= _mm512_cmpeq_epi8_mask(v1, cases1[i]);
            } else {
                hit0 |= _mm512_cmpeq_epi16_mask(v0, cases0[i]);
                hit1 |= _mm512_cmpeq_epi16_mask(v1, cases1[i]);
            }
        }
        for (quint64 bits = hit0 & hit1; bits; bits &= bits - 1) {
            const qint64 q = x + qint64(__builtin_ctzll(bits));
            if (q > last)
                return -1;
            if (confirmed(p, text + q))
                return q;
        }
    }
    return scanOneByOne(p, text, size, x);
}

const bool kHasAvx512 = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw");
const bool kHasAvx2 = __builtin_cpu_supports("avx2");

template <typename Unit>
qint64 scanVector(const Needle::Pattern<Unit> &p, const Unit *text, qint64 size, qint64 from)
{
    if (kHasAvx512)
        return p.width == 2 ? scanAvx512<Unit, 2>(p, text, size, from) : scanAvx512<Unit, 4>(p, text, size, from);
    if (kHasAvx2)
        return p.width == 2 ? scanAvx2<Unit, 2>(p, text, size, from) : scanAvx2<Unit, 4>(p, text, size, from);
    return p.width == 2 ? scanSse2<Unit, 2>(p, text, size, from) : scanSse2<Unit, 4>(p, text, size, from);
}

#endif

} // namespace

Needle::Needle(const QString &folded)
    : m_length(folded.size())
{
    const auto *units = reinterpret_cast<const char16_t *>(folded.utf16());
    m_units = prepare(std::vector<char16_t>(units, units + folded.size()));
    QByteArray bytes;
    if (CaseFold::toCp1251(folded, bytes)) {
        const auto *b = reinterpret_cast<const unsigned char *>(bytes.constData());
        m_bytes = prepare(std::vector<unsigned char>(b, b + bytes.size()));
    }
}

template <typename Unit>
qint64 Needle::scan(const Pattern<Unit> &p, const Unit *text, qint64 size, qint64 from)
{
    if (!p.possible)
        return -1;
    from = std::max<qint64>(from, 0);
    if (size - from < qint64(p.folded.size()))
        return -1;
#if defined(__SSE2__)
    if (p.vector)
        return scanVector(p, text, size, from);
#endif
    return scanOneByOne(p, text, size, from);
}

qint64 Needle::find(const char *text, qint64 size, qint64 from) const
{
    return scan(m_bytes, reinterpret_cast<const unsigned char *>(text), size, from);
}

qint64 Needle::find(const char16_t *text, qint64 size, qint64 from) const
{
    return scan(m_units, text, size, from);
}
