#include "skin/skinartwork.h"
#include "skin/tests/borderlinerows.h"
#include "skin/topbuttonartwork.h"

#include <QTest>

#include <functional>

namespace {

using Maker = std::function<QImage()>;

int lightness(QRgb colour)
{
    return QColor(colour).lightness();
}

int saturation(QRgb colour)
{
    return QColor(colour).hslSaturation();
}

} // namespace

Q_DECLARE_METATYPE(Maker)

class TestSkinArtwork : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void picturesHaveTheirSizes_data()
    {
        QTest::addColumn<Maker>("make");
        QTest::addColumn<QSize>("size");
        QTest::newRow("imgtop1") << Maker(&SkinArtwork::titleNormal) << QSize(66, 29);
        QTest::newRow("imgtopmax1") << Maker(&SkinArtwork::titleMaximised) << QSize(66, 29);
        QTest::newRow("imgtopmax2") << Maker(&SkinArtwork::titleMaximisedInactive) << QSize(66, 29);
        QTest::newRow("imgleft1") << Maker(&SkinArtwork::leftBorder) << QSize(5, 31);
        QTest::newRow("imgright1") << Maker(&SkinArtwork::rightBorder) << QSize(5, 31);
        QTest::newRow("imgbottom1") << Maker(&SkinArtwork::bottomBorder) << QSize(49, 5);
        QTest::newRow("Image1 (the window icon)") << Maker(&SkinArtwork::defaultIcon) << QSize(33, 33);
        for (int glyph = 0; glyph < 4; ++glyph)
            QTest::addRow("glyph strip %d", glyph)
                << Maker([glyph] { return TopButtonArtwork::strip(TopButtonArtwork::Glyph(glyph)); }) << QSize(84, 21);
    }
    void picturesHaveTheirSizes()
    {
        QFETCH(Maker, make);
        QFETCH(QSize, size);
        QCOMPARE(make().size(), size);
    }

    // Outside in: RGB(102, 102, 126), RGB(251, 252, 253), RGB(102, 102, 126),
    // RGB(224, 223, 227), RGB(224, 223, 227).
    void borderLinesHaveTheirColours_data() { addBorderLineRows(); }
    void borderLinesHaveTheirColours()
    {
        QFETCH(int, fromOutside);
        QFETCH(QColor, colour);
        const QImage left = SkinArtwork::leftBorder();
        const QImage right = SkinArtwork::rightBorder();
        const QImage bottom = SkinArtwork::bottomBorder();
        for (int y = 0; y < left.height(); ++y) {
            QCOMPARE(QColor(left.pixel(fromOutside, y)), colour);
            QCOMPARE(QColor(right.pixel(right.width() - 1 - fromOutside, y)), colour);
        }
        for (int x = 0; x < bottom.width(); ++x)
            QCOMPARE(QColor(bottom.pixel(x, bottom.height() - 1 - fromOutside)), colour);
    }

    void normalTitleIsSilverWithCurvedUpperCorners()
    {
        const QImage title = SkinArtwork::titleNormal();
        const QColor background(188, 189, 205);
        // The upper corners are cut away; the lower ones are square.
        QCOMPARE(QColor(title.pixel(0, 0)), background);
        QCOMPARE(QColor(title.pixel(65, 0)), background);
        QVERIFY(QColor(title.pixel(0, 28)) != background);
        QVERIFY(QColor(title.pixel(65, 28)) != background);
        // The outline is dark; the body is a grey gradient, light at the top.
        QVERIFY(lightness(title.pixel(0, 20)) < 120);
        QVERIFY(lightness(title.pixel(33, 0)) < 120);
        QVERIFY(lightness(title.pixel(33, 3)) > lightness(title.pixel(33, 26)));
        QVERIFY(saturation(title.pixel(33, 14)) < 80);
        QVERIFY(lightness(title.pixel(33, 14)) > 180);
    }

    void maximisedTitlesAreBlueWithSquareCorners_data()
    {
        QTest::addColumn<Maker>("make");
        QTest::newRow("active") << Maker(&SkinArtwork::titleMaximised);
        QTest::newRow("inactive") << Maker(&SkinArtwork::titleMaximisedInactive);
    }
    void maximisedTitlesAreBlueWithSquareCorners()
    {
        QFETCH(Maker, make);
        const QImage title = make();
        for (int y = 0; y < title.height(); ++y) {
            // Every row is one colour across: no corner is cut away.
            QCOMPARE(title.pixel(0, y), title.pixel(33, y));
            QCOMPARE(title.pixel(65, y), title.pixel(33, y));
            const QColor colour(title.pixel(33, y));
            QVERIFY(colour.blue() > colour.red() && colour.blue() > colour.green());
        }
    }

    // The middle piece is stretched to the title strip's width: any column
    // unlike the others (a corner's curve reaching into it) would show as a
    // smear.
    void titleMiddlesAreAlikeInEveryColumn_data()
    {
        QTest::addColumn<Maker>("make");
        QTest::newRow("imgtop1") << Maker(&SkinArtwork::titleNormal);
        QTest::newRow("imgtopmax1") << Maker(&SkinArtwork::titleMaximised);
        QTest::newRow("imgtopmax2") << Maker(&SkinArtwork::titleMaximisedInactive);
    }
    void titleMiddlesAreAlikeInEveryColumn()
    {
        QFETCH(Maker, make);
        const QImage title = make();
        for (int x = 6; x <= 60; ++x)
            for (int y = 0; y < title.height(); ++y)
                QVERIFY2(title.pixel(x, y) == title.pixel(5, y), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
    }

    void inactiveMaximisedTitleIsPaler()
    {
        const QImage active = SkinArtwork::titleMaximised();
        const QImage inactive = SkinArtwork::titleMaximisedInactive();
        for (int y = 2; y < 27; ++y) {
            QVERIFY(lightness(inactive.pixel(33, y)) > lightness(active.pixel(33, y)));
            QVERIFY(saturation(inactive.pixel(33, y)) < saturation(active.pixel(33, y)));
        }
    }

    // A point of the square's body clear of every glyph.
    void glyphSquaresHaveTheirColours_data()
    {
        QTest::addColumn<int>("glyph");
        QTest::addColumn<bool>("red");
        QTest::newRow("close") << int(TopButtonArtwork::Close) << true;
        QTest::newRow("maximise") << int(TopButtonArtwork::Maximise) << false;
        QTest::newRow("minimise") << int(TopButtonArtwork::Minimise) << false;
        QTest::newRow("restore") << int(TopButtonArtwork::Restore) << false;
    }
    void glyphSquaresHaveTheirColours()
    {
        QFETCH(int, glyph);
        QFETCH(bool, red);
        const QImage strip = TopButtonArtwork::strip(TopButtonArtwork::Glyph(glyph));
        const QPoint body(2, 10);
        auto at = [&](int cell) { return strip.pixel(cell * 21 + body.x(), body.y()); };
        const QColor normal(at(TopButtonArtwork::Normal));
        if (red)
            QVERIFY(normal.red() > 2 * normal.blue() && normal.red() > normal.green());
        else
            QVERIFY(normal.blue() > 2 * normal.red() && normal.blue() > normal.green());
        QVERIFY(lightness(at(TopButtonArtwork::Hover)) > lightness(at(TopButtonArtwork::Normal)));
        QVERIFY(lightness(at(TopButtonArtwork::Pressed)) < lightness(at(TopButtonArtwork::Normal)));
        QVERIFY(saturation(at(TopButtonArtwork::Disabled)) < saturation(at(TopButtonArtwork::Normal)) / 2);
        for (int cell = 0; cell < 4; ++cell) {
            // Curved corners: the corner pixels are left clear.
            QCOMPARE(qAlpha(strip.pixel(cell * 21, 0)), 0);
            QCOMPARE(qAlpha(strip.pixel(cell * 21 + 20, 20)), 0);
            QCOMPARE(qAlpha(strip.pixel(cell * 21 + 10, 0)), 255);
        }
    }

    // Where each glyph is drawn and where it is not.
    void glyphsLieWhereTheirShapesSay_data()
    {
        QTest::addColumn<int>("glyph");
        QTest::addColumn<QPoint>("onGlyph");
        QTest::addColumn<QPoint>("offGlyph");
        QTest::newRow("close: the cross's centre") << int(TopButtonArtwork::Close) << QPoint(10, 10) << QPoint(10, 5);
        QTest::newRow("maximise: the outline, not its inside")
            << int(TopButtonArtwork::Maximise) << QPoint(5, 10) << QPoint(10, 11);
        QTest::newRow("minimise: a bar near the bottom")
            << int(TopButtonArtwork::Minimise) << QPoint(8, 14) << QPoint(8, 8);
        QTest::newRow("restore: the front window's edge")
            << int(TopButtonArtwork::Restore) << QPoint(4, 12) << QPoint(8, 13);
    }
    void glyphsLieWhereTheirShapesSay()
    {
        QFETCH(int, glyph);
        QFETCH(QPoint, onGlyph);
        QFETCH(QPoint, offGlyph);
        const QImage strip = TopButtonArtwork::strip(TopButtonArtwork::Glyph(glyph));
        QVERIFY(lightness(strip.pixel(onGlyph)) > 240);
        QVERIFY(lightness(strip.pixel(offGlyph)) < 200);
        // Pressed: the glyph is dimmed.
        const QPoint pressed = onGlyph + QPoint(2 * 21, 0);
        QVERIFY(lightness(strip.pixel(pressed)) < lightness(strip.pixel(onGlyph)));
        QVERIFY(lightness(strip.pixel(pressed)) > lightness(strip.pixel(offGlyph + QPoint(2 * 21, 0))));
    }
};

QTEST_MAIN(TestSkinArtwork)
#include "tst_skinartwork.moc"
