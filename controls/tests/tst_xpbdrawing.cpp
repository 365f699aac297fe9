#include "buttonhost.h"

#include "controls/xpb.h"
#include "controls/xpbdrawing.h"
#include "platform/controlhost/devicepixels.h"
#include "platform/testsupport/devicepixelprobes.h"

#include <QPainter>
#include <QTest>

namespace {

const QRgb kKey = qRgb(255, 0, 255);
const QColor kRed(220, 0, 0);
const QColor kBlack(0, 0, 0);

QColor grey(int level)
{
    return QColor(level, level, level);
}

// 16 x 16, keyed on its top-left pixel, with a red square from (2, 2) to (13, 13).
PictureObject squareBitmap()
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(kKey);
    QPainter(&image).fillRect(QRect(2, 2, 12, 12), kRed);
    return PictureObject::bitmap(image);
}

enum class Input { Rest, Hover, Focus, FocusAndHover, Press, Disable };

// Brings the button into a state the way a user would.
void bringTo(ButtonHost &host, Input input)
{
    switch (input) {
    case Input::Rest:
        host.move(host.elsewhere());
        break;
    case Input::Hover:
        host.move(host.centre());
        break;
    case Input::Focus:
        host.move(host.elsewhere());
        host.button->setFocus();
        break;
    case Input::FocusAndHover:
        host.button->setFocus();
        host.move(host.centre());
        break;
    case Input::Press:
        host.move(host.centre());
        host.press(host.centre());
        break;
    case Input::Disable:
        host.move(host.elsewhere());
        host.button->setEnabled1(false);
        break;
    }
}

void activate(ButtonHost &host)
{
    host.widget()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(host.widget()));
}

} // namespace

Q_DECLARE_METATYPE(Input)

class TestXpBDrawing : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { FixedColours::install(); }

    // A toolbar button of the main window: 25 x 23, XP look, a 16 x 16
    // bitmap, no caption, both frame colours 0.
    void toolbarButton_data()
    {
        QTest::addColumn<Input>("input");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QColor>("colour");

        const QColor face = FixedColours::buttonFace;
        const QColor frame = FixedColours::darkShadow;
        // Row i of the resting face is 255 - round(50 i / 23) grey.
        QTest::newRow("rest: row 1") << Input::Rest << QPoint(3, 1) << grey(253);
        QTest::newRow("rest: row 10") << Input::Rest << QPoint(3, 10) << grey(233);
        QTest::newRow("rest: row 21") << Input::Rest << QPoint(3, 21) << grey(209);
        QTest::newRow("rest: frame left") << Input::Rest << QPoint(0, 10) << frame;
        QTest::newRow("rest: frame right") << Input::Rest << QPoint(24, 10) << frame;
        QTest::newRow("rest: frame top") << Input::Rest << QPoint(12, 0) << frame;
        QTest::newRow("rest: frame bottom") << Input::Rest << QPoint(12, 22) << frame;
        QTest::newRow("rest: top-left inner corner") << Input::Rest << QPoint(1, 1) << kBlack;
        QTest::newRow("rest: bottom-left inner corner") << Input::Rest << QPoint(1, 21) << kBlack;
        QTest::newRow("rest: top-right inner corner") << Input::Rest << QPoint(23, 1) << kBlack;
        QTest::newRow("rest: bottom-right inner corner") << Input::Rest << QPoint(23, 21) << kBlack;
        for (const QPoint p :
             {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(0, 22), QPoint(1, 22), QPoint(0, 21), QPoint(24, 0),
              QPoint(23, 0), QPoint(24, 1), QPoint(24, 22), QPoint(23, 22), QPoint(24, 21)})
            QTest::addRow("rest: outer corner (%d, %d)", p.x(), p.y()) << Input::Rest << p << face;
        QTest::newRow("rest: picture at {4, 4, 20, 20}, its top-left") << Input::Rest << QPoint(6, 6) << kRed;
        QTest::newRow("rest: picture at {4, 4, 20, 20}, its bottom-right") << Input::Rest << QPoint(17, 17) << kRed;
        QTest::newRow("rest: the picture's key colour is clear") << Input::Rest << QPoint(4, 4) << grey(246);
        QTest::newRow("rest: right of the picture") << Input::Rest << QPoint(18, 17) << grey(218);

        // Hover colour 0: the frame black, its lines +90, +35 and +20 grey.
        QTest::newRow("hover: row 1") << Input::Hover << QPoint(2, 1) << grey(90);
        QTest::newRow("hover: row 1, right end") << Input::Hover << QPoint(22, 1) << grey(90);
        QTest::newRow("hover: row 2, left end") << Input::Hover << QPoint(1, 2) << grey(35);
        QTest::newRow("hover: row 2, right end") << Input::Hover << QPoint(23, 2) << grey(35);
        QTest::newRow("hover: column 2") << Input::Hover << QPoint(2, 3) << grey(20);
        QTest::newRow("hover: column 2, lowest") << Input::Hover << QPoint(2, 19) << grey(20);
        QTest::newRow("hover: column W - 3") << Input::Hover << QPoint(22, 10) << grey(20);
        QTest::newRow("hover: frame column 1") << Input::Hover << QPoint(1, 10) << kBlack;
        QTest::newRow("hover: frame column W - 2") << Input::Hover << QPoint(23, 10) << kBlack;
        QTest::newRow("hover: frame row H - 3") << Input::Hover << QPoint(12, 20) << kBlack;
        QTest::newRow("hover: row H - 2") << Input::Hover << QPoint(12, 21) << kBlack;
        QTest::newRow("hover: pixel (3, 3)") << Input::Hover << QPoint(3, 3) << grey(35);
        QTest::newRow("hover: pixel (W - 4, 3)") << Input::Hover << QPoint(21, 3) << grey(35);
        QTest::newRow("hover: pixel (3, H - 4)") << Input::Hover << QPoint(3, 19) << kBlack;
        QTest::newRow("hover: inside stays graded") << Input::Hover << QPoint(3, 10) << grey(233);
        QTest::newRow("hover: corners stay") << Input::Hover << QPoint(1, 1) << kBlack;

        // Pressed (and focused, by the press): the darker face graded the other
        // way from light - 32 = (216, 212, 204), no inner frame, the picture one
        // pixel right and down.
        QTest::newRow("pressed: row 1") << Input::Press << QPoint(3, 1) << QColor(192, 188, 180);
        QTest::newRow("pressed: row 10") << Input::Press << QPoint(3, 10) << QColor(202, 198, 190);
        QTest::newRow("pressed: row 21") << Input::Press << QPoint(3, 21) << QColor(214, 210, 202);
        QTest::newRow("pressed: no inner frame at column 1") << Input::Press << QPoint(1, 10) << QColor(202, 198, 190);
        QTest::newRow("pressed: no inner frame at row 1") << Input::Press << QPoint(2, 1) << QColor(192, 188, 180);
        QTest::newRow("pressed: frame") << Input::Press << QPoint(0, 10) << frame;
        QTest::newRow("pressed: inner corner") << Input::Press << QPoint(1, 1) << kBlack;
        QTest::newRow("pressed: picture moved, top-left") << Input::Press << QPoint(7, 7) << kRed;
        QTest::newRow("pressed: picture moved, bottom-right") << Input::Press << QPoint(18, 18) << kRed;
        QTest::newRow("pressed: where the picture was") << Input::Press << QPoint(6, 6) << QColor(198, 194, 186);

        // Disabled: flat at light - 24, framed at light - 84, corners light - 72;
        // the picture embossed from its mask.
        QTest::newRow("disabled: face") << Input::Disable << QPoint(3, 10) << QColor(224, 220, 212);
        QTest::newRow("disabled: frame") << Input::Disable << QPoint(0, 10) << QColor(164, 160, 152);
        QTest::newRow("disabled: frame top") << Input::Disable << QPoint(12, 0) << QColor(164, 160, 152);
        QTest::newRow("disabled: inner corner") << Input::Disable << QPoint(1, 1) << QColor(176, 172, 164);
        QTest::newRow("disabled: inner corner, bottom-right")
            << Input::Disable << QPoint(23, 21) << QColor(176, 172, 164);
        QTest::newRow("disabled: outer corner") << Input::Disable << QPoint(24, 22) << face;
        QTest::newRow("disabled: picture in shadow") << Input::Disable << QPoint(6, 6) << FixedColours::buttonShadow;
        QTest::newRow("disabled: picture's highlight below right")
            << Input::Disable << QPoint(18, 18) << FixedColours::buttonHighlight;
        QTest::newRow("disabled: the key is not drawn") << Input::Disable << QPoint(5, 10) << QColor(224, 220, 212);
    }
    void toolbarButton()
    {
        QFETCH(Input, input);
        QFETCH(QPoint, point);
        QFETCH(QColor, colour);

        ButtonHost host;
        activate(host);
        host.button->setButtonStyle(XpBDrawing::XP);
        host.button->setPicture(squareBitmap());
        bringTo(host, input);
        QCOMPARE(host.shot().pixelColor(point), colour);
    }

    // The inner frame takes the hover colour while the pointer is over the
    // button, the pressed colour while it only has the focus.
    void frameColour_data()
    {
        QTest::addColumn<Input>("input");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("focused: frame") << Input::Focus << QPoint(1, 10) << QColor(0, 0, 200);
        QTest::newRow("focused: +90") << Input::Focus << QPoint(2, 1) << QColor(90, 90, 255);
        QTest::newRow("focused: +35") << Input::Focus << QPoint(12, 2) << QColor(35, 35, 235);
        QTest::newRow("focused: +20") << Input::Focus << QPoint(2, 10) << QColor(20, 20, 220);
        QTest::newRow("focused: -40") << Input::Focus << QPoint(12, 21) << QColor(0, 0, 160);
        QTest::newRow("hovered and focused: frame") << Input::FocusAndHover << QPoint(1, 10) << QColor(200, 0, 0);
        QTest::newRow("hovered: frame") << Input::Hover << QPoint(23, 10) << QColor(200, 0, 0);
    }
    void frameColour()
    {
        QFETCH(Input, input);
        QFETCH(QPoint, point);
        QFETCH(QColor, colour);

        ButtonHost host;
        activate(host);
        host.button->setButtonStyle(XpBDrawing::XP);
        host.button->setXPColorPressed(0x00C80000); // RGB(0, 0, 200)
        host.button->setXPColorHover(0x000000C8);   // RGB(200, 0, 0)
        bringTo(host, input);
        QCOMPARE(host.shot().pixelColor(point), colour);
    }

    void classicLooks_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<Input>("input");
        QTest::addColumn<bool>("focusRect");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QColor>("colour");

        const QColor face = FixedColours::buttonFace;
        const QColor light = FixedColours::buttonHighlight;
        const struct
        {
            const char *name;
            int style;
            Input input;
            QColor top, left, right, bottom, topRight, bottomLeft;
        } borders[] = {
            // Raised: top row and left column light, right column and bottom row black.
            {"look 0 at rest is raised", 0, Input::Rest, light, light, kBlack, kBlack, light, light},
            {"look 1 at rest has no border", 1, Input::Rest, face, face, face, face, face, face},
            {"look 2 at rest has no border", 2, Input::Rest, face, face, face, face, face, face},
            {"look 7 draws as look 1", 7, Input::Rest, face, face, face, face, face, face},
            {"look 1 hovered is raised", 1, Input::Hover, light, light, kBlack, kBlack, light, light},
            {"look 2 hovered is raised", 2, Input::Hover, light, light, kBlack, kBlack, light, light},
            // Sunken: top row and left column black, the rest light.
            {"look 2 pressed is sunken", 2, Input::Press, kBlack, kBlack, light, light, kBlack, kBlack},
            {"look 0 pressed is sunken", 0, Input::Press, kBlack, kBlack, light, light, kBlack, kBlack},
        };
        for (const auto &b : borders) {
            QTest::addRow("%s: top", b.name) << b.style << b.input << false << QPoint(12, 0) << b.top;
            QTest::addRow("%s: left", b.name) << b.style << b.input << false << QPoint(0, 12) << b.left;
            QTest::addRow("%s: right", b.name) << b.style << b.input << false << QPoint(24, 12) << b.right;
            QTest::addRow("%s: bottom", b.name) << b.style << b.input << false << QPoint(12, 22) << b.bottom;
            QTest::addRow("%s: top right", b.name) << b.style << b.input << false << QPoint(24, 0) << b.topRight;
            QTest::addRow("%s: bottom left", b.name) << b.style << b.input << false << QPoint(0, 22) << b.bottomLeft;
            QTest::addRow("%s: inside", b.name) << b.style << b.input << false << QPoint(3, 3) << face;
        }

        // The dotted focus rectangle at {4, 4, W - 4, H - 4} inverts every other pixel.
        const QColor inverted(255 - face.red(), 255 - face.green(), 255 - face.blue());
        QTest::newRow("focus rectangle, first dot") << 0 << Input::Focus << true << QPoint(4, 4) << inverted;
        QTest::newRow("focus rectangle, gap") << 0 << Input::Focus << true << QPoint(5, 4) << face;
        QTest::newRow("focus rectangle, next dot") << 0 << Input::Focus << true << QPoint(6, 4) << inverted;
        QTest::newRow("focus rectangle, bottom right") << 0 << Input::Focus << true << QPoint(20, 18) << inverted;
        QTest::newRow("focus rectangle, off") << 0 << Input::Focus << false << QPoint(4, 4) << face;
        QTest::newRow("focus rectangle, never on the XP look")
            << 3 << Input::Focus << true << QPoint(4, 4) << grey(246);
    }
    void classicLooks()
    {
        QFETCH(int, style);
        QFETCH(Input, input);
        QFETCH(bool, focusRect);
        QFETCH(QPoint, point);
        QFETCH(QColor, colour);

        ButtonHost host;
        activate(host);
        host.button->setButtonStyle(style);
        host.button->setShowFocusRect(focusRect);
        bringTo(host, input);
        QCOMPARE(host.shot().pixelColor(point), colour);
    }

    // On a scaled screen the face keeps the design's colours and proportions
    // in whole device pixels, its lines as wide on the right as on the left,
    // and the caption is set at the screen's resolution.
    void drawnForScaledScreens_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("2") << 2.0;
        QTest::newRow("1.5") << 1.5;
    }
    void drawnForScaledScreens()
    {
        QFETCH(qreal, ratio);
        ButtonHost host(QSize(81, 25));
        host.button->setButtonStyle(XpBDrawing::XP);
        host.button->setCaption(QStringLiteral("  Обновить"));
        XpBDrawing::State state = host.button->state();
        const QImage one = XpBDrawing::draw(state, 1.0);
        const QImage device = XpBDrawing::draw(state, ratio);
        QCOMPARE(device.devicePixelRatio(), ratio);
        QCOMPARE(device.size(), QSize(qRound(81 * ratio), qRound(25 * ratio)));

        // The outline and the corners are the face drawn once and made whole
        // device pixels.
        const QImage expected = DevicePixels::scaled(one, ratio);
        const QRectF caption = QRectF(state.captionRect);
        const QRect captionArea =
            QRectF(caption.topLeft() * ratio, caption.size() * ratio).toAlignedRect().adjusted(-2, -2, 2, 2);
        const int line = int(ratio);
        const int corner = int(2 * ratio);
        const QRect inside(line, line, device.width() - 2 * line, device.height() - 2 * line);
        const auto inCorner = [&](int x, int y) {
            return (x < corner || x >= device.width() - corner) && (y < corner || y >= device.height() - corner);
        };
        for (int y = 0; y < device.height(); ++y)
            for (int x = 0; x < device.width(); ++x)
                if (!inside.contains(x, y) || inCorner(x, y))
                    QCOMPARE(device.pixel(x, y), expected.pixel(x, y));
        // Inside them, outside the caption, the gradient darkens row by row
        // at the screen's resolution, from the design's top colour to its bottom one.
        for (int x = corner; x < device.width() - corner; ++x) {
            for (int y = inside.top(); y < inside.bottom(); ++y) {
                if (captionArea.contains(x, y) || captionArea.contains(x, y + 1))
                    continue;
                QVERIFY(qGray(device.pixel(x, y + 1)) <= qGray(device.pixel(x, y)));
            }
        }
        QVERIFY(qAbs(qGray(device.pixel(corner, inside.top())) - qGray(one.pixel(2, 1))) <= 2);
        QVERIFY(qAbs(qGray(device.pixel(corner, inside.bottom())) - qGray(one.pixel(2, one.height() - 2))) <= 2);

        // The frame's lines as wide on both sides.
        const int middle = device.height() / 2;
        QCOMPARE(sameColourRun(device, QPoint(0, middle), QPoint(1, 0)),
                 sameColourRun(device, QPoint(device.width() - 1, middle), QPoint(-1, 0)));
        const int nearLeft = qRound(4 * ratio);
        QCOMPARE(sameColourRun(device, QPoint(nearLeft, 0), QPoint(0, 1)),
                 sameColourRun(device, QPoint(nearLeft, device.height() - 1), QPoint(0, -1)));

        // Finer than the pixels of the face drawn once: some device pixel of
        // the caption differs from its neighbour within one drawn pixel.
        QVERIFY(finerThanItsUnits(device, captionArea, ratio));
    }

    void captionMovesOnePixelWhenPressed()
    {
        ButtonHost host(QSize(80, 25));
        activate(host);
        host.button->setButtonStyle(XpBDrawing::Flat);
        host.button->setCaption(QStringLiteral("Wg"));
        host.button->setFocus();
        const QImage rest = host.shot();
        QTest::keyPress(host.window(), Qt::Key_Space);
        QCOMPARE(host.button->state().pressed, 1);
        const QImage pressed = host.shot();

        const QRect caption = host.button->state().captionRect;
        int inked = 0;
        for (int y = caption.top(); y <= caption.bottom(); ++y) {
            for (int x = caption.left(); x <= caption.right(); ++x) {
                QCOMPARE(pressed.pixel(x + 1, y + 1), rest.pixel(x, y));
                if (rest.pixelColor(x, y) != FixedColours::buttonFace)
                    ++inked;
            }
        }
        QVERIFY2(inked > 0, "the caption drew nothing");
    }

    void disabledCaptionIsEmbossed()
    {
        ButtonHost host(QSize(80, 25));
        host.button->setButtonStyle(XpBDrawing::Flat);
        host.button->setCaption(QStringLiteral("WWW"));
        host.button->setEnabled1(false);
        const QImage image = host.shot();
        bool highlight = false;
        bool shadow = false;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                highlight |= c == FixedColours::buttonHighlight;
                shadow |= c == FixedColours::buttonShadow;
                QVERIFY(c != FixedColours::buttonText);
            }
        }
        QVERIFY(highlight);
        QVERIFY(shadow);
    }

    void bitmapKeyedOnItsTopLeftPixel()
    {
        ButtonHost host;
        host.button->setButtonStyle(XpBDrawing::XP);
        host.button->setMaskColor(0x00123456);
        QImage image(16, 16, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter(&image).fillRect(QRect(8, 0, 8, 16), QColor(0, 0, 255));
        host.button->setPicture(PictureObject::bitmap(image));

        QCOMPARE(host.button->maskColor(), quint32(0x00FFFFFF));
        const QImage shot = host.shot();
        QCOMPARE(shot.pixelColor(5, 10), grey(233)); // white is clear
        QCOMPARE(shot.pixelColor(15, 10), QColor(0, 0, 255));

        // Told to use its own mask colour, the button keys blue out instead and
        // keeps it. (Set before, the colour would be overwritten by the redraw.)
        host.button->setUseMaskColor(true);
        host.button->setMaskColor(0x00FF0000); // RGB(0, 0, 255)
        QCOMPARE(host.button->maskColor(), quint32(0x00FF0000));
        const QImage keyedBlue = host.shot();
        QCOMPARE(keyedBlue.pixelColor(5, 10), QColor(Qt::white));
        QCOMPARE(keyedBlue.pixelColor(15, 10), grey(233));
    }

    void bitmapOfAnySizeIsDrawnWhole()
    {
        ButtonHost host(QSize(120, 80));
        host.button->setButtonStyle(XpBDrawing::Flat);
        QImage image(100, 60, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter(&image).fillRect(QRect(90, 50, 10, 10), QColor(0, 128, 0));
        host.button->setPicture(PictureObject::bitmap(image));
        QCOMPARE(host.button->state().pictureRect, QRect(10, 10, 100, 60));
        QCOMPARE(host.shot().pixelColor(10 + 95, 10 + 55), QColor(0, 128, 0));
    }

    void iconCarriesItsOwnTransparency()
    {
        ButtonHost host(QSize(57, 33));
        host.button->setButtonStyle(XpBDrawing::XP);
        QImage art(32, 32, QImage::Format_ARGB32);
        art.fill(Qt::transparent);
        QPainter(&art).fillRect(QRect(0, 8, 32, 16), QColor(0, 0, 200));
        host.button->setPicture(PictureObject::icon(art));
        // round(4 + (49 - 32) / 2) = 12, round(4 + (25 - 32) / 2) = 0.
        QCOMPARE(host.button->state().pictureRect, QRect(12, 0, 32, 32));
        const QImage shot = host.shot();
        QCOMPARE(shot.pixelColor(12, 16), QColor(0, 0, 200));
        QCOMPARE(shot.pixelColor(43, 16), QColor(0, 0, 200));
        QVERIFY(shot.pixelColor(44, 16) != QColor(0, 0, 200));
        // Above the icon's band the face shows through: row 5 of 33.
        QCOMPARE(shot.pixelColor(20, 5), grey(255 - 8));
    }

    void xpDefaultColorsAreSetByARedrawWhileEnabled()
    {
        ButtonHost host;
        host.button->setButtonStyle(XpBDrawing::XP);
        host.button->setXPDefaultColors(true);
        // Writing the setting draws nothing, so the colours wait for a redraw.
        QCOMPARE(host.button->xpColorPressed(), quint32(0));
        host.button->Refresh();
        QCOMPARE(host.button->xpColorPressed(), quint32(0x00E6AA8C)); // RGB(140, 170, 230)
        QCOMPARE(host.button->xpColorHover(), quint32(0x004799E1));   // RGB(225, 153, 71)

        host.button->setEnabled1(false);
        host.button->setXPColorPressed(0);
        host.button->setXPColorHover(0);
        host.button->Refresh();
        QCOMPARE(host.button->xpColorPressed(), quint32(0));
        QCOMPARE(host.button->xpColorHover(), quint32(0));
    }

    void hoverColourShowsAtTheNextRedraw()
    {
        ButtonHost host;
        host.button->setButtonStyle(XpBDrawing::XP);
        host.move(host.centre());
        QCOMPARE(host.shot().pixelColor(1, 10), kBlack);
        host.button->setXPColorHover(0x000000C8);
        QCOMPARE(host.shot().pixelColor(1, 10), kBlack);
        host.button->Refresh();
        QCOMPARE(host.shot().pixelColor(1, 10), QColor(200, 0, 0));
    }

    void faceIsDrawnOnceUntilSomethingChanges()
    {
        ButtonHost host;
        host.button->setButtonStyle(XpBDrawing::XP);
        const QImage before = host.button->face();
        host.button->repaint();
        QCOMPARE(host.button->face().cacheKey(), before.cacheKey());
        host.move(host.centre());
        QVERIFY(host.button->face().cacheKey() != before.cacheKey());
    }
};

QTEST_MAIN(TestXpBDrawing)
#include "tst_xpbdrawing.moc"
