#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

class QPainter;

#include <array>

// The pictures the check box and its family show, drawn once: the check box's
// strip of twelve 16 x 16 cells, the radio button's eight 13 x 13 pictures,
// the command button's strip of five 18 x 21 cells and the group frame's
// pieces. Pixels outside a round shape are transparent, so the control's
// background shows through.
class FamilyArtwork
{
public:
    // Looks, in the order of the cells: cell = 4 x value + look.
    enum Look { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3 };

    static constexpr int boxSide = 16;
    static constexpr int boxCells = 12;
    static constexpr int radioSide = 13;
    static constexpr int radioCells = 8;
    static constexpr int commandCellWidth = 18;
    static constexpr int commandCellHeight = 21;
    static constexpr int commandCells = 5;
    // Command button cells.
    enum CommandCell {
        CommandNormal = 0,
        CommandPressed = 1,
        CommandDisabled = 2,
        CommandHover = 3,
        CommandDefault = 4
    };

    // Colours the cells are drawn with.
    static constexpr QRgb boxFrame = 0xff1f5080;    // RGB(31, 80, 128)
    static constexpr QRgb disabledInk = 0xffcfcfbf; // RGB(207, 207, 191)
    static constexpr QRgb checkMark = 0xff20a020;   // RGB(32, 160, 32)
    static constexpr QRgb checkMarkPressed = 0xff107010;
    static constexpr QRgb grayedNormal = 0xffa0d0a0; // RGB(160, 208, 160)
    static constexpr QRgb grayedHover = 0xff20a020;
    static constexpr QRgb grayedPressed = 0xff107010;
    static constexpr QRgb normalTopLeft = 0xffdfdfd0; // RGB(223, 223, 208)
    static constexpr QRgb normalBottomRight = 0xffffffff;
    static constexpr QRgb pressedTopLeft = 0xffb0b0a0;       // RGB(176, 176, 160)
    static constexpr QRgb pressedBottomRight = 0xfff0efdf;   // RGB(240, 239, 223)
    static constexpr QRgb hoverRingTopLeft = 0xfffff0cf;     // RGB(255, 240, 207)
    static constexpr QRgb hoverRingBottomRight = 0xffffb030; // RGB(255, 176, 48)
    static constexpr QRgb hoverSquare = 0xffe0e0e0;          // RGB(224, 224, 224)
    static constexpr QRgb commandOutline = 0xff003c74;       // RGB(0, 60, 116)
    static constexpr QRgb commandDisabledOutline = 0xffc9c7ba;
    static constexpr QRgb groupFrameLine = 0xffd0d0bf;

    // 16 x 192: cell n is rows 16n to 16n + 15.
    static const QImage &checkBoxStrip();
    // Cell n of the check box drawn for a screen of that device pixel ratio:
    // at 1 the strip's own cell; otherwise the frame is whole device pixels,
    // alike on every side, and the shading and the mark are drawn at the
    // screen's resolution.
    static QImage checkBoxCell(int n, qreal ratio);
    // Eight 13 x 13 pictures, index 4 x value + look.
    static const std::array<QImage, radioCells> &radioPictures();
    // 90 x 21: five cells side by side.
    static const QImage &commandStrip();
    // 22 x 20: corners at (0, 0), (19, 0), (19, 17), (0, 17); edges in row 0,
    // row 19, column 0 and column 21.
    static const QImage &groupFramePieces();

    // Draws the source rectangle of pieces stretched over target; a target
    // with no area is left out (the control is smaller than its corners).
    static void drawPiece(QPainter &painter, const QImage &pieces, QRect source, QRect target);

    // The colour at (x, y) of a block graded diagonally from `from` at its top
    // left to `to` at its bottom right; halves round to the even neighbour.
    static QRgb diagonalShade(QRgb from, QRgb to, int x, int y, int width, int height);
};
