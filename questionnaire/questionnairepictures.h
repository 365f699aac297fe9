#pragma once

#include "controls/pictureobject.h"

// The pictures of the questionnaire window's buttons, drawn by the program
// itself: 16 x 16 bitmaps keyed on their top-left pixel.
class QuestionnairePictures
{
public:
    static PictureObject next(); // "Далее": an arrow to the right
    static PictureObject stop(); // "Хватит": a stop sign
};
