#pragma once

#include <QImage>

// The title-bar buttons' glyph strips, drawn once in code. Each strip is one
// row of four 21 x 21 cells: normal, hover (lighter), pressed (darker, glyph
// dimmed) and disabled (washed out). All four squares have curved corners.
class TopButtonArtwork
{
public:
    enum Glyph { Close = 0, Maximise = 1, Minimise = 2, Restore = 3 };
    enum Cell { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3 };
    static constexpr int cellSide = 21;

    // 84 x 21: close on orange-red, the others on blue.
    static QImage strip(Glyph glyph);
    // One cell drawn for a screen of that device pixel ratio: the glyph as
    // crisp as the screen allows.
    static QImage cellPicture(Glyph glyph, Cell cell, qreal ratio);
};
