#include "controls/xpblayout.h"

#include <cmath>

int XpBLayout::round(double value)
{
    return int(std::nearbyint(value));
}

XpBLayout::Result XpBLayout::compute(const Input &in)
{
    const int iw = in.client.width() - 2 * border;
    const int ih = in.client.height() - 2 * border;
    // Centred in the inner rectangle along one axis: round(4 + (inner - size) / 2).
    const auto centred = [](int inner, int size) { return round(border + (inner - size) / 2.0); };

    Result r;
    r.inner = QRect(QPoint(border, border), QSize(iw, ih));
    r.caption = in.previousCaption;
    r.picture = in.previousPicture;

    const int pw = in.pictureSize.width();
    const int ph = in.pictureSize.height();
    if (!in.hasCaption) {
        // Placed whether or not there is a picture to draw.
        r.picture = QRect(QPoint(centred(iw, pw), centred(ih, ph)), QSize(pw, ph));
        return r;
    }

    const int tw = in.captionSize.width();
    const int th = in.captionSize.height();
    r.caption = QRect(QPoint(centred(iw, tw), centred(ih, th)), QSize(tw, th));
    if (!in.hasPicture)
        return r;

    switch (in.picturePosition) {
    case Above:
        r.picture = QRect(QPoint(centred(iw, pw), centred(ih, ph + gap + th)), QSize(pw, ph));
        r.caption.moveTopLeft(QPoint(centred(iw, tw), r.picture.top() + ph + gap));
        break;
    case Left:
        r.picture = QRect(QPoint(centred(iw, pw + gap + tw), centred(ih, ph)), QSize(pw, ph));
        r.caption.moveTopLeft(QPoint(r.picture.left() + pw + gap, centred(ih, th)));
        break;
    case Right:
        r.caption.moveTopLeft(QPoint(centred(iw, pw + gap + tw), centred(ih, th)));
        r.picture = QRect(QPoint(r.caption.left() + tw + gap, centred(ih, ph)), QSize(pw, ph));
        break;
    case Below:
        r.caption.moveTopLeft(QPoint(centred(iw, tw), centred(ih, ph + gap + th)));
        r.picture = QRect(QPoint(centred(iw, pw), r.caption.top() + th + gap), QSize(pw, ph));
        break;
    default:
        // The picture stays where the last layout put it.
        break;
    }
    return r;
}
