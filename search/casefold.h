#pragma once

#include <QString>

#include <array>
#include <cstddef>
#include <vector>

// Case folding for the search: a character and its capital compare equal
// (Latin, Cyrillic with Ё/ё, and every other letter with a one-to-one lower
// case). The text keeps its length, so positions are unchanged.
class CaseFold
{
public:
    static char16_t fold(char16_t c);
    static QString fold(QStringView text);
    static void fold(const char16_t *in, std::size_t n, char16_t *out);

    // The same folding on Windows-1251 bytes: every byte's lower case is
    // itself a Windows-1251 character.
    static unsigned char foldCp1251(unsigned char b);
    static void foldCp1251(const char *in, std::size_t n, char *out);

    // A folded text as Windows-1251 bytes; false when one of its characters
    // cannot occur in a Windows-1251 text (so it can never be found there).
    static bool toCp1251(QStringView folded, QByteArray &out);

    // The byte folding as a table, for loops that fold byte by byte.
    static const std::array<unsigned char, 256> &cp1251Table();

    // Every character, or byte, whose folding is the given one: what a text
    // may hold where a folded text has it.
    static std::vector<char16_t> casesOf(char16_t folded);
    static std::vector<unsigned char> casesOfCp1251(unsigned char folded);
};
