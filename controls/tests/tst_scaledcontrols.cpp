#include "buttonhost.h"
#include "controlonwindow.h"

#include "controls/xpb.h"
#include "controls/xpcheckbox.h"
#include "platform/controlhost/devicepixels.h"
#include "platform/testsupport/devicepixelprobes.h"

#include <QTest>

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
        QVERIFY(finerThanItsUnits(shot, area, ratio));
        const int middle = shot.height() / 2;
        QCOMPARE(sameColourRun(shot, QPoint(0, middle), QPoint(1, 0)),
                 sameColourRun(shot, QPoint(shot.width() - 1, middle), QPoint(-1, 0)));
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
        QCOMPARE(sameColourRun(shot, QPoint(device.left(), centre.y()), QPoint(1, 0)),
                 sameColourRun(shot, QPoint(device.left() + DevicePixels::extent(box.width(), ratio) - 1, centre.y()),
                               QPoint(-1, 0)));
        QCOMPARE(sameColourRun(shot, QPoint(centre.x(), device.top()), QPoint(0, 1)),
                 sameColourRun(shot, QPoint(centre.x(), device.top() + DevicePixels::extent(box.height(), ratio) - 1),
                               QPoint(0, -1)));
        const QRect label = host.control->labelRect();
        const QRect labelArea = QRectF(QPointF(label.topLeft()) * ratio, QSizeF(label.size()) * ratio).toRect();
        QVERIFY(finerThanItsUnits(shot, labelArea.intersected(shot.rect()), ratio));
    }
};

QTEST_MAIN(TestScaledControls)
#include "tst_scaledcontrols.moc"
