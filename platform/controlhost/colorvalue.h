#pragma once

#include <QColor>
#include <QPalette>
#include <QtGlobal>

// A colour as the controls keep it in their settings: a 32-bit value that is
// either 0x00BBGGRR (red in the lowest byte) or, with the top bit set, the
// index of a system colour, taken from a palette: the control's own, which its
// window gives it, or else the application's.
class ColorValue
{
public:
    static constexpr quint32 systemFlag = 0x80000000u;

    // System colour indexes the controls use.
    static constexpr int windowBackground = 5;
    static constexpr int buttonFace = 15;
    static constexpr int buttonShadow = 16;
    static constexpr int buttonText = 18;
    static constexpr int buttonHighlight = 20;
    static constexpr int darkShadow3D = 21;
    static constexpr int light3D = 22;

    static constexpr quint32 rgb(int red, int green, int blue)
    {
        return quint32(red & 0xff) | quint32(green & 0xff) << 8 | quint32(blue & 0xff) << 16;
    }
    static constexpr quint32 system(int index) { return systemFlag | quint32(index); }
    static constexpr bool isSystem(quint32 value) { return (value & systemFlag) != 0; }

    // The colour the value stands for now; a system index the palette has no
    // role for is black.
    static QColor toColor(quint32 value);
    static QColor toColor(quint32 value, const QPalette &palette);
    // The value with a system index resolved, as 0x00BBGGRR.
    static quint32 translate(quint32 value);
    static quint32 translate(quint32 value, const QPalette &palette);
    static quint32 fromColor(const QColor &colour);
    static QColor systemColor(int index);
    static QColor systemColor(int index, const QPalette &palette);
};
