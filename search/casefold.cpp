#include "search/casefold.h"

#include "platform/textcodec.h"

#include <QChar>

#include <algorithm>
#include <array>
#include <utility>

namespace {

struct Tables
{
    std::array<char16_t, 0x500> low{};      // the folding below U+0500
    std::array<unsigned char, 256> bytes{}; // the same on Windows-1251 bytes
    std::array<char16_t, 256> decoded{};    // each byte as a character

    Tables()
    {
        for (std::size_t c = 0; c < low.size(); ++c)
            low[c] = QChar::toLower(char16_t(c));
        QByteArray all(256, Qt::Uninitialized);
        for (int b = 0; b < 256; ++b)
            all[b] = char(b);
        const QString chars = TextCodec::fromCp1251(all);
        for (int b = 0; b < 256; ++b)
            decoded[b] = chars[b].unicode();
        for (int b = 0; b < 256; ++b) {
            const char16_t lower = QChar::toLower(decoded[b]);
            bytes[b] = static_cast<unsigned char>(b);
            for (int t = 0; t < 256; ++t) {
                if (decoded[t] == lower) {
                    bytes[b] = static_cast<unsigned char>(t);
                    break;
                }
            }
        }
    }
};

const Tables &tables()
{
    static const Tables t;
    return t;
}

// Every character that folding changes, as (folded, character), sorted.
const std::vector<std::pair<char16_t, char16_t>> &changed()
{
    static const auto pairs = [] {
        std::vector<std::pair<char16_t, char16_t>> out;
        for (char32_t c = 0; c <= 0xFFFF; ++c) {
            const char16_t f = CaseFold::fold(char16_t(c));
            if (f != c)
                out.emplace_back(f, char16_t(c));
        }
        std::sort(out.begin(), out.end());
        return out;
    }();
    return pairs;
}

} // namespace

char16_t CaseFold::fold(char16_t c)
{
    return c < 0x500 ? tables().low[c] : char16_t(QChar::toLower(c));
}

void CaseFold::fold(const char16_t *in, std::size_t n, char16_t *out)
{
    const auto &low = tables().low;
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t c = in[i];
        out[i] = c < 0x500 ? low[c] : char16_t(QChar::toLower(c));
    }
}

QString CaseFold::fold(QStringView text)
{
    QString out(text.size(), Qt::Uninitialized);
    fold(text.utf16(), std::size_t(text.size()), reinterpret_cast<char16_t *>(out.data()));
    return out;
}

unsigned char CaseFold::foldCp1251(unsigned char b)
{
    return tables().bytes[b];
}

void CaseFold::foldCp1251(const char *in, std::size_t n, char *out)
{
    const auto &t = tables().bytes;
    const auto *src = reinterpret_cast<const unsigned char *>(in);
    auto *dst = reinterpret_cast<unsigned char *>(out);
    for (std::size_t i = 0; i < n; ++i)
        dst[i] = t[src[i]];
}

bool CaseFold::toCp1251(QStringView folded, QByteArray &out)
{
    const auto &decoded = tables().decoded;
    out.resize(folded.size());
    for (qsizetype i = 0; i < folded.size(); ++i) {
        const char16_t c = folded[i].unicode();
        int found = -1;
        if (c < 0x80) {
            found = c;
        } else {
            for (int b = 0x80; b < 256; ++b) {
                if (decoded[b] == c) {
                    found = b;
                    break;
                }
            }
        }
        if (found < 0)
            return false;
        out[i] = char(found);
    }
    return true;
}

const std::array<unsigned char, 256> &CaseFold::cp1251Table()
{
    return tables().bytes;
}

std::vector<char16_t> CaseFold::casesOf(char16_t folded)
{
    std::vector<char16_t> out;
    if (fold(folded) == folded)
        out.push_back(folded);
    const auto &pairs = changed();
    auto it = std::lower_bound(pairs.begin(), pairs.end(), std::make_pair(folded, char16_t(0)));
    for (; it != pairs.end() && it->first == folded; ++it)
        out.push_back(it->second);
    return out;
}

std::vector<unsigned char> CaseFold::casesOfCp1251(unsigned char folded)
{
    std::vector<unsigned char> out;
    const auto &t = tables().bytes;
    for (int b = 0; b < 256; ++b) {
        if (t[b] == folded)
            out.push_back(static_cast<unsigned char>(b));
    }
    return out;
}
