#pragma once

class QPainter;

// The program's emblem: an open palm with its main lines, drawn in a 512 x 384
// box; scale the painter to draw it larger.
class PalmDrawing
{
public:
    static void draw(QPainter &painter);
};
