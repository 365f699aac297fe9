#pragma once

#include <QPalette>

class QWidget;

// The colours the windows were designed with: light faces, white text areas,
// black text. Every role of every group is set, so that nothing of a desktop's
// colour scheme (a dark one above all) mixes with the design's fixed colours.
class ProgramPalette
{
public:
    static QPalette palette();
    // Gives a window, and so every control on it, the program's own colours.
    static void apply(QWidget *window);
};
