#pragma once

#include "controls/pictureobject.h"

#include <QFont>
#include <QImage>
#include <QPalette>
#include <QRect>
#include <QString>
#include <QtGlobal>

// The face of a picture button, drawn whole into an image: one of the three
// classic looks or the XP look, the caption and the picture laid out and drawn
// enabled, pressed or disabled, and the focus rectangle of the classic looks.
// It keeps nothing between drawings; what a drawing changes (the layout, and
// the colours it may overwrite) comes back in the state it is given.
class XpBDrawing
{
public:
    enum Style { Raised = 0, FlatHover = 1, Flat = 2, XP = 3 };

    // Everything the drawing reads, and the few fields it writes back.
    struct State
    {
        int width = 0;  // W
        int height = 0; // H
        bool enabled = true;
        int hasFocus = 0;
        int pressed = 0; // 1 pressed, or the mask of the buttons held on entering
        int hovered = 0;

        QString caption;
        QFont font;
        // Where the system colours come from: the button's own palette.
        QPalette palette;
        int buttonStyle = 0;
        int picturePosition = 0;
        PictureObject picture;
        int pictureWidth = 0;
        int pictureHeight = 0;
        bool showFocusRect = false;
        quint32 maskColor = 0;
        bool useMaskColor = false;
        bool xpDefaultColors = false;
        quint32 xpColorPressed = 0;
        quint32 xpColorHover = 0;

        QRect focusRect;
        // Written by every drawing.
        QRect innerRect;
        QRect captionRect;
        QRect pictureRect;
    };

    // The built-in frame colours of the XP look.
    static constexpr quint32 defaultPressedColor = 0x00E6AA8C; // RGB(140, 170, 230)
    static constexpr quint32 defaultHoverColor = 0x004799E1;   // RGB(225, 153, 71)

    // Draws the face of the state's size, for a screen of that device pixel
    // ratio; the layout rectangles, and where the state asks for it the XP
    // colours and the mask colour, are written back.
    static QImage draw(State &state, qreal ratio = 1.0);

    // The caption's size as the layout takes it: word-wrapped to the inner
    // width, with a margin of one average character width on either side.
    static QSize measureCaption(const QString &caption, const QFont &font, int innerWidth);

    // Colour values (0x00BBGGRR, or a system colour index with the top bit set).
    static quint32 shiftColor(quint32 color, int amount);
};
