#pragma once

#include <QPixmap>

// The splash window's 512 x 384 picture: an open palm with its main lines and
// the program's name.
class SplashPicture
{
public:
    static QPixmap make();
    static constexpr int width = 512;
    static constexpr int height = 384;
};
