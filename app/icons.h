#pragma once

#include "controls/pictureobject.h"

// The pictures of the main window's buttons, drawn by the program itself:
// bitmaps keyed on their top-left pixel, and the search button's icon.
class Icons
{
public:
    static PictureObject savePhoto();     // 16 x 16
    static PictureObject paste();         // 16 x 16
    static PictureObject questionnaire(); // 16 x 16
    static PictureObject saveText();      // 16 x 16
    static PictureObject search();        // 32 x 32 icon
    // 23 x 23, the arrow kept to the middle rows: the browser's buttons are
    // only 17 pixels high.
    static PictureObject back();
    static PictureObject forward();
    static PictureObject refresh(); // 16 x 16
};
