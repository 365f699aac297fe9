#include "buttonhost.h"
#include "controlonwindow.h"

#include "controls/familyartwork.h"
#include "controls/xpb.h"
#include "controls/xpbdrawing.h"
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

    void checkBoxShadingAndMarkAreDrawnAtTheScreensResolution_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QRect>("detail"); // in the box's own pixels
        QTest::newRow("unchecked: the shading") << 0 << QRect(1, 1, 14, 14);
        QTest::newRow("checked: the mark") << 1 << QRect(4, 4, 7, 7);
        QTest::newRow("grayed: the shading round the square") << 2 << QRect(1, 1, 3, 14);
    }

    void checkBoxShadingAndMarkAreDrawnAtTheScreensResolution()
    {
        QFETCH(int, value);
        QFETCH(QRect, detail);
        const qreal ratio = qApp->devicePixelRatio();
        ControlOnWindow<xpcheckbox> host(QSize(17, 17));
        host.control->setValue(value);
        QVERIFY(host.show());
        const QImage shot = host.control->grab().toImage();
        const QPoint box = host.control->boxRect().topLeft();
        const QRect area = QRectF(QPointF(box + detail.topLeft()) * ratio, QSizeF(detail.size()) * ratio).toRect();
        QVERIFY(finerThanItsUnits(shot, area, ratio, Qt::Horizontal));
        QVERIFY(finerThanItsUnits(shot, area, ratio, Qt::Vertical));
    }

    void checkBoxLooksKeepTheirOutlineOnEverySide_data()
    {
        QTest::addColumn<int>("value");
        QTest::newRow("unchecked") << 0;
        QTest::newRow("checked") << 1;
        QTest::newRow("grayed") << 2;
    }

    void checkBoxLooksKeepTheirOutlineOnEverySide()
    {
        QFETCH(int, value);
        const qreal ratio = qApp->devicePixelRatio();
        const QImage cell = FamilyArtwork::checkBoxCell(4 * value, ratio);
        QCOMPARE(cell.size(), QSize(DevicePixels::extent(16, ratio), DevicePixels::extent(16, ratio)));
        const int middle = cell.height() / 2;
        const int last = cell.width() - 1;
        const int outline = sameColourRun(cell, QPoint(0, middle), QPoint(1, 0));
        QCOMPARE(cell.pixel(0, middle), FamilyArtwork::boxFrame);
        QCOMPARE(outline, int(ratio));
        QCOMPARE(sameColourRun(cell, QPoint(last, middle), QPoint(-1, 0)), outline);
        QCOMPARE(sameColourRun(cell, QPoint(middle, 0), QPoint(0, 1)), outline);
        QCOMPARE(sameColourRun(cell, QPoint(middle, last), QPoint(0, -1)), outline);
    }

    void pictureButtonFaceIsGradedAtTheScreensResolution_data()
    {
        QTest::addColumn<bool>("pressed");
        QTest::newRow("normal") << false;
        QTest::newRow("pressed") << true;
    }

    void pictureButtonFaceIsGradedAtTheScreensResolution()
    {
        QFETCH(bool, pressed);
        const qreal ratio = qApp->devicePixelRatio();
        XpBDrawing::State state;
        state.width = 25;
        state.height = 23;
        state.buttonStyle = XpBDrawing::XP;
        state.palette = QApplication::palette();
        state.pressed = pressed ? 1 : 0;
        const QImage face = XpBDrawing::draw(state, ratio);
        QCOMPARE(face.devicePixelRatio(), ratio);
        // Down the middle column, inside the outline.
        const int middle = face.width() / 2;
        QVERIFY(finerThanItsUnits(face, QRect(middle, 2, 1, face.height() - 4), ratio, Qt::Vertical));
        // The outline stays whole device pixels, alike on both sides.
        QCOMPARE(sameColourRun(face, QPoint(middle, 0), QPoint(0, 1)),
                 sameColourRun(face, QPoint(middle, face.height() - 1), QPoint(0, -1)));
    }

    void pictureButtonBitmapIsScaledSmoothly()
    {
        const qreal ratio = qApp->devicePixelRatio();
        // Columns of two colours on a white ground that is left out.
        QImage bitmap(16, 16, QImage::Format_RGB32);
        bitmap.fill(Qt::white);
        for (int x = 2; x < 14; ++x)
            for (int y = 2; y < 14; ++y)
                bitmap.setPixel(x, y, x % 2 ? qRgb(200, 0, 0) : qRgb(0, 0, 200));
        ButtonHost host(QSize(25, 23));
        host.button->setButtonStyle(XpBDrawing::XP);
        host.button->setPicture(PictureObject::bitmap(bitmap));
        const QImage shot = host.button->grab().toImage();
        const QRect picture = host.button->state().pictureRect.adjusted(2, 2, -2, -2);
        const QRect area = QRectF(QPointF(picture.topLeft()) * ratio, QSizeF(picture.size()) * ratio).toRect();
        QVERIFY(finerThanItsUnits(shot, area, ratio));
        // The ground it was keyed on does not show.
        const QPoint corner = (QPointF(host.button->state().pictureRect.topLeft()) * ratio).toPoint();
        QVERIFY(shot.pixel(corner) != qRgb(255, 255, 255));
    }
};

QTEST_MAIN(TestScaledControls)
#include "tst_scaledcontrols.moc"
