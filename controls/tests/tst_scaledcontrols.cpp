#include "buttonhost.h"
#include "controlonwindow.h"

#include "controls/xpb.h"
#include "controls/xpcheckbox.h"
#include "platform/controlhost/devicepixels.h"

#include <QTest>

namespace {

// The run of pixels like the first, from a point in one direction.
int run(const QImage &image, QPoint from, QPoint step)
{
    int n = 0;
    for (QPoint p = from; image.rect().contains(p) && image.pixel(p) == image.pixel(from); p += step)
        ++n;
    return n;
}

// Whether some device pixel of the area differs from its right-hand
// neighbour although both lie in one pixel of the control's own units.
bool finerThanTheControlsPixels(const QImage &image, const QRect &area, qreal ratio)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x < area.right(); ++x)
            if (int(x / ratio) == int((x + 1) / ratio) && image.pixel(x, y) != image.pixel(x + 1, y))
                return true;
    return false;
}

} // namespace

// The controls on a screen scaled by QT_SCALE_FACTOR (2 or 1.5, as the test
// is run): each is drawn for the screen's device pixel ratio.
class TestScaledControls : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        if (qApp->devicePixelRatio() == 1.0)
            QSKIP("run with QT_SCALE_FACTOR set");
        useFixedPalette();
    }

    void pictureButtonCaptionIsSetAtTheScreensResolution()
    {
        const qreal ratio = qApp->devicePixelRatio();
        ButtonHost host(QSize(81, 25));
        host.button->setButtonStyle(XpBDrawing::XP);
        host.button->setCaption(QStringLiteral("  Обновить"));
        const QPixmap grabbed = host.button->grab();
        QCOMPARE(grabbed.devicePixelRatio(), ratio);
        const QImage shot = grabbed.toImage();
        const QRect caption = host.button->state().captionRect;
        const QRect area = QRectF(QPointF(caption.topLeft()) * ratio, QSizeF(caption.size()) * ratio).toRect();
        QVERIFY(finerThanTheControlsPixels(shot, area, ratio));
        const int middle = shot.height() / 2;
        QCOMPARE(run(shot, QPoint(0, middle), QPoint(1, 0)),
                 run(shot, QPoint(shot.width() - 1, middle), QPoint(-1, 0)));
    }

    void checkBoxLinesAreAlikeOnBothSidesAndItsCaptionSharp()
    {
        const qreal ratio = qApp->devicePixelRatio();
        ControlOnWindow<xpcheckbox> host(QSize(120, 17));
        host.control->setCaption(QStringLiteral("По словам"));
        QVERIFY(host.show());
        const QPixmap grabbed = host.control->grab();
        QCOMPARE(grabbed.devicePixelRatio(), ratio);
        const QImage shot = grabbed.toImage();
        // The box's outline, across its middle row and column.
        const QRect box = host.control->boxRect();
        const QRect device = QRectF(QPointF(box.topLeft()) * ratio, QSizeF(box.size()) * ratio).toRect();
        const QPoint centre = device.center();
        QCOMPARE(
            run(shot, QPoint(device.left(), centre.y()), QPoint(1, 0)),
            run(shot, QPoint(device.left() + DevicePixels::extent(box.width(), ratio) - 1, centre.y()), QPoint(-1, 0)));
        QCOMPARE(
            run(shot, QPoint(centre.x(), device.top()), QPoint(0, 1)),
            run(shot, QPoint(centre.x(), device.top() + DevicePixels::extent(box.height(), ratio) - 1), QPoint(0, -1)));
        const QRect label = host.control->labelRect();
        const QRect labelArea = QRectF(QPointF(label.topLeft()) * ratio, QSizeF(label.size()) * ratio).toRect();
        QVERIFY(finerThanTheControlsPixels(shot, labelArea.intersected(shot.rect()), ratio));
    }
};

QTEST_MAIN(TestScaledControls)
#include "tst_scaledcontrols.moc"
