#pragma once

#include <QColor>
#include <QImage>

// The frame's own artwork, drawn once in code: the title pictures, the border
// pictures and the default icon. The border pictures are one-pixel lines in
// fixed colours; the title pictures are ours.
class SkinArtwork
{
public:
    // The border lines from the outside in.
    static constexpr QRgb borderLines[5] = {
        0xff66667e, // RGB(102, 102, 126)
        0xfffbfcfd, // RGB(251, 252, 253)
        0xff66667e,
        0xffe0dfe3, // RGB(224, 223, 227), the client area's colour
        0xffe0dfe3,
    };

    // What shows of the title strip where no title picture covers it.
    static constexpr QColor titleBackground{188, 189, 205};

    static QImage titleNormal();            // 66 x 29, silver, curved upper corners
    static QImage titleMaximised();         // 66 x 29, saturated blue, square corners
    static QImage titleMaximisedInactive(); // 66 x 29, pale blue, square corners
    static QImage leftBorder();             // 5 x 31
    static QImage rightBorder();            // 5 x 31, the left border mirrored
    static QImage bottomBorder();           // 49 x 5
    static QImage defaultIcon();            // 33 x 33
};
