#pragma once

#include <QRect>
#include <QString>

class QWidget;

// The design layout of the main window, in twips, relative to each control's
// container. Changing a control's class never touches its geometry: the window
// names its controls and places them from here.
class Form1Layout
{
public:
    struct Entry
    {
        const char *name;
        int left, top, width, height;
    };

    // The control's rectangle in twips; a null rect for an unknown name.
    static QRect twips(const QString &name);
    static QRect pixels(const QString &name);
    // Places the widget at the rectangle named by its objectName.
    static void place(QWidget *control);

    static constexpr int windowWidth = 15240;
    static constexpr int windowHeight = 10665;
};
