#include "platform/textcodec.h"

#include <QHash>
#include <QStringDecoder>

#include <array>

namespace {

// Upper half of Windows-1251; 0x98 is unassigned and maps to U+FFFD.
constexpr std::array<char16_t, 128> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0xFFFD, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, 0x0410,
    0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D,
    0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A,
    0x042B, 0x042C, 0x042D, 0x042E, 0x042F, 0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444,
    0x0445, 0x0446, 0x0447, 0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

const QHash<char16_t, char> &reverseTable()
{
    static const QHash<char16_t, char> table = [] {
        QHash<char16_t, char> t;
        for (int i = 0; i < 128; ++i) {
            if (kHigh[i] != 0xFFFD)
                t.insert(kHigh[i], char(0x80 + i));
        }
        return t;
    }();
    return table;
}

} // namespace

QString TextCodec::fromCp1251(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *dst = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        dst[i] = b < 0x80 ? QChar(char16_t(b)) : QChar(kHigh[b - 0x80]);
    }
    return out;
}

QByteArray TextCodec::toCp1251(QStringView text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    const auto &reverse = reverseTable();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            out[i] = char(c);
        } else {
            const auto it = reverse.constFind(c);
            out[i] = it == reverse.cend() ? '?' : it.value();
        }
    }
    return out;
}

bool TextCodec::looksLikeUtf8(QByteArrayView bytes)
{
    bool sawMultibyte = false;
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra;
        char32_t cp;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= n)
            return false;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char cc = p[i + k];
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF))
            || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        sawMultibyte = true;
        i += extra + 1;
    }
    return sawMultibyte;
}

TextCodec::Utf16 TextCodec::utf16Mark(QByteArrayView bytes)
{
    if (bytes.size() < 2)
        return Utf16::None;
    const auto first = static_cast<unsigned char>(bytes[0]);
    const auto second = static_cast<unsigned char>(bytes[1]);
    if (first == 0xFF && second == 0xFE)
        return Utf16::LittleEndian;
    if (first == 0xFE && second == 0xFF)
        return Utf16::BigEndian;
    return Utf16::None;
}

QString TextCodec::fromUtf16(QByteArrayView bytes, Utf16 order)
{
    // Whole code units only: a file cut short loses its odd last byte.
    const QByteArrayView units = bytes.first(bytes.size() & ~qsizetype(1));
    QStringDecoder decoder(order == Utf16::BigEndian ? QStringDecoder::Utf16BE : QStringDecoder::Utf16LE,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(units);
}

QString TextCodec::decode(QByteArrayView bytes)
{
    if (const Utf16 order = utf16Mark(bytes); order != Utf16::None)
        return fromUtf16(bytes.sliced(2), order);
    if (bytes.size() >= 3 && bytes.first(3) == QByteArrayView("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.sliced(3));
    if (looksLikeUtf8(bytes))
        return QString::fromUtf8(bytes);
    return fromCp1251(bytes);
}
