#include "controls/gallery/controlgallery.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ControlGallery gallery;
    gallery.show();
    return QApplication::exec();
}
