#include "controls/familyartwork.h"

#include "platform/controlhost/devicepixels.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

// n / d to the nearest integer, halves to the even neighbour (d > 0).
int roundHalfEven(int n, int d)
{
    int q = n / d;
    int r = n % d;
    if (r < 0) {
        q -= 1;
        r += d;
    }
    if (2 * r > d || (2 * r == d && (q & 1)))
        ++q;
    return q;
}

QRgb blend(QRgb from, QRgb to, int step, int steps)
{
    if (steps <= 0)
        return from;
    const auto channel = [&](int a, int b) { return roundHalfEven(a * steps + (b - a) * step, steps); };
    return qRgb(channel(qRed(from), qRed(to)), channel(qGreen(from), qGreen(to)), channel(qBlue(from), qBlue(to)));
}

// ---- Check box --------------------------------------------------------------

constexpr int kSide = FamilyArtwork::boxSide;

// The ink of the check mark and of the grayed square, by look.
constexpr QRgb kMarkInk[] = {FamilyArtwork::checkMark, FamilyArtwork::checkMark, FamilyArtwork::checkMarkPressed,
                             FamilyArtwork::disabledInk};
constexpr QRgb kGrayedInk[] = {FamilyArtwork::grayedNormal, FamilyArtwork::grayedHover, FamilyArtwork::grayedPressed,
                               FamilyArtwork::disabledInk};

void drawFrame(QImage &cell, QRgb colour)
{
    for (int i = 0; i < kSide; ++i) {
        cell.setPixel(i, 0, colour);
        cell.setPixel(i, kSide - 1, colour);
        cell.setPixel(0, i, colour);
        cell.setPixel(kSide - 1, i, colour);
    }
}

// The colour at (x, y) of the inside of the frame, `inner` pixels square,
// in a look; the hover look's ring is `ring` pixels wide.
QRgb interiorColour(int look, int x, int y, int inner, int ring)
{
    switch (look) {
    case FamilyArtwork::Normal:
        return FamilyArtwork::diagonalShade(FamilyArtwork::normalTopLeft, FamilyArtwork::normalBottomRight, x, y, inner,
                                            inner);
    case FamilyArtwork::Hover:
        return std::min({x, y, inner - 1 - x, inner - 1 - y}) < ring ? FamilyArtwork::diagonalShade(
                   FamilyArtwork::hoverRingTopLeft, FamilyArtwork::hoverRingBottomRight, x, y, inner, inner)
                                                                     : FamilyArtwork::hoverSquare;
    case FamilyArtwork::Pressed:
        return FamilyArtwork::diagonalShade(FamilyArtwork::pressedTopLeft, FamilyArtwork::pressedBottomRight, x, y,
                                            inner, inner);
    default:
        return qRgb(255, 255, 255);
    }
}

// The 14 x 14 inside of the frame.
void drawInterior(QImage &cell, int look)
{
    constexpr int inner = kSide - 2;
    for (int y = 0; y < inner; ++y) {
        for (int x = 0; x < inner; ++x)
            cell.setPixel(x + 1, y + 1, interiorColour(look, x, y, inner, 2));
    }
}

// A tick seven pixels wide, three high in each column.
void drawCheckMark(QImage &cell, QRgb colour)
{
    static constexpr int kTop[7] = {2, 3, 4, 3, 2, 1, 0};
    for (int column = 0; column < 7; ++column) {
        for (int row = kTop[column]; row < kTop[column] + 3; ++row)
            cell.setPixel(4 + column, 4 + row, colour);
    }
}

void drawInnerSquare(QImage &cell, QRgb colour)
{
    for (int y = 4; y < 12; ++y) {
        for (int x = 4; x < 12; ++x)
            cell.setPixel(x, y, colour);
    }
}

QImage boxCell(int value, int look)
{
    QImage cell(kSide, kSide, QImage::Format_RGB32);
    drawFrame(cell, look == FamilyArtwork::Disabled ? FamilyArtwork::disabledInk : FamilyArtwork::boxFrame);
    drawInterior(cell, look);
    if (value == 1) {
        drawCheckMark(cell, kMarkInk[look]);
    } else if (value == 2) {
        drawInnerSquare(cell, kGrayedInk[look]);
    }
    return cell;
}

// The check box cell at a device pixel ratio other than 1. Edges of the
// design fall where the device pixel artwork puts them, counted from the
// nearer side: the outer line is floor(ratio) device pixels wide.
QImage deviceBoxCell(int value, int look, qreal ratio)
{
    const int side = DevicePixels::extent(kSide, ratio);
    const auto edge = [ratio](int logical) { return int(std::floor(logical * ratio)); };
    const int line = std::max(1, edge(1));
    const int inner = side - 2 * line;
    QImage cell(side, side, QImage::Format_RGB32);
    cell.fill(look == FamilyArtwork::Disabled ? FamilyArtwork::disabledInk : FamilyArtwork::boxFrame);
    const int ring = edge(3) - edge(1);
    for (int y = 0; y < inner; ++y) {
        auto *row = reinterpret_cast<QRgb *>(cell.scanLine(y + line)) + line;
        for (int x = 0; x < inner; ++x)
            row[x] = interiorColour(look, x, y, inner, ring);
    }
    if (value == 1) {
        // The tick of the design, three pixels high in each column, as one
        // smooth shape.
        QPainter painter(&cell);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(ratio, ratio);
        const QPointF tick[] = {{4, 5.5}, {6.5, 8}, {11, 3.5}, {11, 6.5}, {6.5, 11}, {4, 8.5}};
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor::fromRgb(kMarkInk[look]));
        painter.drawPolygon(tick, int(std::size(tick)));
    } else if (value == 2) {
        const int from = edge(4);
        cell.setDevicePixelRatio(1.0);
        QPainter(&cell).fillRect(QRect(from, from, side - 2 * from, side - 2 * from),
                                 QColor::fromRgb(kGrayedInk[look]));
    }
    cell.setDevicePixelRatio(ratio);
    return cell;
}

// ---- Radio button -----------------------------------------------------------

constexpr const char *kCircle[FamilyArtwork::radioSide] = {
    "....XXXXX....", "..XX.....XX..", ".X.........X.", ".X.........X.", "X...........X",
    "X...........X", "X...........X", "X...........X", "X...........X", ".X.........X.",
    ".X.........X.", "..XX.....XX..", "....XXXXX....",
};

constexpr const char *kDot[5] = {".XXX.", "XXXXX", "XXXXX", "XXXXX", ".XXX."};

QImage radioPicture(bool value, int look)
{
    constexpr int side = FamilyArtwork::radioSide;
    QImage picture(side, side, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    const QRgb outline = look == FamilyArtwork::Disabled ? FamilyArtwork::disabledInk : FamilyArtwork::boxFrame;
    for (int y = 0; y < side; ++y) {
        const QByteArray row(kCircle[y]);
        const int first = row.indexOf('X');
        const int last = row.lastIndexOf('X');
        for (int x = 0; x < side; ++x) {
            if (row.at(x) == 'X') {
                picture.setPixel(x, y, outline);
                continue;
            }
            if (x < first || x > last)
                continue;
            // Inside the circle, graded over its 11 x 11 bounding square.
            const int ix = x - 1;
            const int iy = y - 1;
            QRgb colour = qRgb(255, 255, 255);
            switch (look) {
            case FamilyArtwork::Normal:
                colour = FamilyArtwork::diagonalShade(FamilyArtwork::normalTopLeft, FamilyArtwork::normalBottomRight,
                                                      ix, iy, 11, 11);
                break;
            case FamilyArtwork::Hover:
                colour = std::hypot(x - 6.0, y - 6.0) > 3.5 ? FamilyArtwork::diagonalShade(
                             FamilyArtwork::hoverRingTopLeft, FamilyArtwork::hoverRingBottomRight, ix, iy, 11, 11)
                                                            : FamilyArtwork::hoverSquare;
                break;
            case FamilyArtwork::Pressed:
                colour = FamilyArtwork::diagonalShade(FamilyArtwork::pressedTopLeft, FamilyArtwork::pressedBottomRight,
                                                      ix, iy, 11, 11);
                break;
            default:
                break;
            }
            picture.setPixel(x, y, colour);
        }
    }
    if (value) {
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 5; ++x) {
                if (kDot[y][x] == 'X')
                    picture.setPixel(4 + x, 4 + y, kMarkInk[look]);
            }
        }
    }
    return picture;
}

// ---- Command button ---------------------------------------------------------

struct CommandLook
{
    QRgb outline;
    QRgb top, bottom; // the face, graded from top to bottom
    bool innerFrame;
    QRgb frameTop, frameSide, frameBottom;
};

constexpr CommandLook kCommandLooks[FamilyArtwork::commandCells] = {
    // normal
    {FamilyArtwork::commandOutline, 0xffffffff, 0xffd6d0c5, false, 0, 0, 0},
    // pressed
    {FamilyArtwork::commandOutline, 0xffcdcabb, 0xffefeee6, false, 0, 0, 0},
    // disabled
    {FamilyArtwork::commandDisabledOutline, 0xfff5f4ea, 0xfff5f4ea, false, 0, 0, 0},
    // hover: an orange frame inside the outline
    {FamilyArtwork::commandOutline, 0xffffffff, 0xffd6d0c5, true, 0xfffff0cf, 0xfffdd889, 0xfff8b330},
    // default button: a blue one
    {FamilyArtwork::commandOutline, 0xffffffff, 0xffd6d0c5, true, 0xffcee7ff, 0xff89ade4, 0xff6982ee},
};

void drawCommandCell(QImage &strip, int cell)
{
    constexpr int w = FamilyArtwork::commandCellWidth;
    constexpr int h = FamilyArtwork::commandCellHeight;
    const CommandLook &look = kCommandLooks[cell];
    const int ox = cell * w;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool edgeX = x == 0 || x == w - 1;
            const bool edgeY = y == 0 || y == h - 1;
            QRgb colour;
            if (edgeX && edgeY)
                colour = qRgba(0, 0, 0, 0); // the rounded corner
            else if (edgeX || edgeY)
                colour = look.outline;
            else
                colour = blend(look.top, look.bottom, y - 1, h - 3);
            if (look.innerFrame && !edgeX && !edgeY) {
                if (y <= 2)
                    colour = look.frameTop;
                else if (y >= h - 3)
                    colour = look.frameBottom;
                else if (x <= 2 || x >= w - 3)
                    colour = look.frameSide;
            }
            strip.setPixel(ox + x, y, colour);
        }
    }
    // The corner pixels inside the outline round it off.
    for (const QPoint p : {QPoint(1, 1), QPoint(w - 2, 1), QPoint(1, h - 2), QPoint(w - 2, h - 2)})
        strip.setPixel(ox + p.x(), p.y(), look.outline);
}

} // namespace

void FamilyArtwork::drawPiece(QPainter &painter, const QImage &pieces, QRect source, QRect target)
{
    if (target.width() > 0 && target.height() > 0)
        painter.drawImage(target, pieces, source);
}

QRgb FamilyArtwork::diagonalShade(QRgb from, QRgb to, int x, int y, int width, int height)
{
    return blend(from, to, x + y, (width - 1) + (height - 1));
}

const QImage &FamilyArtwork::checkBoxStrip()
{
    static const QImage strip = [] {
        QImage made(boxSide, boxSide * boxCells, QImage::Format_RGB32);
        QPainter painter(&made);
        for (int n = 0; n < boxCells; ++n)
            painter.drawImage(0, n * boxSide, boxCell(n / 4, n % 4));
        return made;
    }();
    return strip;
}

QImage FamilyArtwork::checkBoxCell(int n, qreal ratio)
{
    if (n < 0 || n >= boxCells)
        return {};
    if (ratio == 1.0)
        return checkBoxStrip().copy(0, n * boxSide, boxSide, boxSide);
    return deviceBoxCell(n / 4, n % 4, ratio);
}

const std::array<QImage, FamilyArtwork::radioCells> &FamilyArtwork::radioPictures()
{
    static const std::array<QImage, radioCells> pictures = [] {
        std::array<QImage, radioCells> made;
        for (int n = 0; n < radioCells; ++n)
            made[std::size_t(n)] = radioPicture(n >= 4, n % 4);
        return made;
    }();
    return pictures;
}

const QImage &FamilyArtwork::commandStrip()
{
    static const QImage strip = [] {
        QImage made(commandCellWidth * commandCells, commandCellHeight, QImage::Format_ARGB32);
        for (int n = 0; n < commandCells; ++n)
            drawCommandCell(made, n);
        return made;
    }();
    return strip;
}

const QImage &FamilyArtwork::groupFramePieces()
{
    static const QImage pieces = [] {
        QImage made(22, 20, QImage::Format_ARGB32);
        made.fill(Qt::transparent);
        const QRgb ink = groupFrameLine;
        // Rounded corners.
        for (const QPoint p : {QPoint(1, 0), QPoint(2, 0), QPoint(0, 1), QPoint(0, 2),         // top left
                               QPoint(19, 0), QPoint(20, 0), QPoint(21, 1), QPoint(21, 2),     // top right
                               QPoint(21, 17), QPoint(21, 18), QPoint(19, 19), QPoint(20, 19), // bottom right
                               QPoint(0, 17), QPoint(0, 18), QPoint(1, 19), QPoint(2, 19)})    // bottom left
            made.setPixel(p, ink);
        for (int x = 3; x < 19; ++x) {
            made.setPixel(x, 0, ink);
            made.setPixel(x, 19, ink);
        }
        for (int y = 3; y < 17; ++y) {
            made.setPixel(0, y, ink);
            made.setPixel(21, y, ink);
        }
        return made;
    }();
    return pieces;
}
