#pragma once

#include <QIcon>

// The pictures of the toolbar and search buttons, drawn by the program itself.
class Icons
{
public:
    static QIcon savePhoto();      // 16 x 16
    static QIcon paste();          // 16 x 16
    static QIcon questionnaire();  // 16 x 16
    static QIcon saveText();       // 16 x 16
    static QIcon search();         // 32 x 32
    static QIcon back();           // 23 x 23
    static QIcon forward();        // 23 x 23
    static QIcon refresh();        // 16 x 16
};
