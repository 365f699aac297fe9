#pragma once

#include <QRect>
#include <QSize>

// Where a picture button puts its caption and its picture: inside the inner
// rectangle (four pixels in from each edge), the two centred as one block
// with a gap of four pixels, each centred across the block. Pure geometry,
// halves rounded to the even neighbour.
class XpBLayout
{
public:
    static constexpr int border = 4;
    static constexpr int gap = 4;

    enum PicturePosition { Above = 0, Left = 1, Right = 2, Below = 3 };

    struct Input
    {
        QSize client; // W x H
        bool hasCaption = false;
        QSize captionSize; // measured, margins included
        bool hasPicture = false;
        QSize pictureSize; // PictureWidth x PictureHeight
        int picturePosition = Above;
        QRect previousPicture; // kept where the layout leaves the picture be
        QRect previousCaption; // kept where the layout leaves the caption be
    };
    struct Result
    {
        QRect inner;
        QRect caption;
        QRect picture;
    };

    static Result compute(const Input &input);
    static int round(double value);
};
