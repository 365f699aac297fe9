#include "controls/xpgroupbox.h"
#include "platform/controlhost/colorvalue.h"
#include "platform/controlhost/propertystore.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

namespace {

const QColor kLine(208, 208, 191);

// A font whose line is exactly `height` pixels high, if the machine has one.
QFont fontOfHeight(int height)
{
    for (const char *family : {"Liberation Sans", "Liberation Serif", "DejaVu Sans", "DejaVu Serif"}) {
        for (int pixels = 6; pixels < 40; ++pixels) {
            QFont font(QString::fromLatin1(family));
            font.setPixelSize(pixels);
            if (QFontMetrics(font).height() == height)
                return font;
        }
    }
    return QFont();
}

// A hidden widget gets its resize event when it is first shown or grabbed.
QImage faceOf(xpgroupbox &box)
{
    box.grab();
    return box.face().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestXpGroupBox : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void newFrameTakesTheCreationDefaults()
    {
        QWidget container;
        xpgroupbox box(&container);
        box.setObjectName(QStringLiteral("Frame5"));
        box.initProperties();
        QCOMPARE(box.caption(), QStringLiteral("Frame5"));
        QCOMPARE(box.backColor(), 0x0000FFFFu);
        box.resize(100, 60);
        // 0x0000FFFF is red and green: yellow.
        QCOMPARE(faceOf(box).pixelColor(50, 30), QColor(255, 255, 0));
        PropertyStore store;
        box.writeProperties(store);
        QVERIFY(store.isEmpty());
    }

    // The top line runs through the middle of the caption, which interrupts it.
    void topLineRunsAtHalfTheLabelsHeight_data()
    {
        QTest::addColumn<int>("labelHeight");
        QTest::addColumn<int>("line");
        QTest::newRow("13-px label") << 13 << 6;
        QTest::newRow("16-px label") << 16 << 8;
        QTest::newRow("19-px label") << 19 << 9;
    }
    void topLineRunsAtHalfTheLabelsHeight()
    {
        QFETCH(int, labelHeight);
        QFETCH(int, line);
        const QFont font = fontOfHeight(labelHeight);
        if (QFontMetrics(font).height() != labelHeight)
            QSKIP("no font of that height here");
        xpgroupbox box;
        box.setFont(font);
        box.setBackColor(ColorValue::rgb(236, 233, 216));
        box.setCaption(QStringLiteral("Режим"));
        box.resize(160, 80);
        QCOMPARE(box.labelRect().height(), labelHeight);
        QCOMPARE(box.topLine(), line);
        const QImage face = faceOf(box);
        const QColor back(236, 233, 216);
        const int afterLabel = box.labelRect().right() + 3;
        // The line right of the caption, with background above and below it.
        for (int x = afterLabel; x < 157; ++x) {
            QCOMPARE(face.pixelColor(x, line), kLine);
            QCOMPARE(face.pixelColor(x, line - 1), back);
            QCOMPARE(face.pixelColor(x, line + 1), back);
        }
        // Left of the caption too, and none of it where the caption lies.
        QCOMPARE(face.pixelColor(5, line), kLine);
        for (int x = box.labelRect().left(); x <= box.labelRect().right(); ++x)
            QVERIFY(face.pixelColor(x, line) != kLine);
        // The sides run from below the rounded corners to the bottom ones,
        // the bottom line along the last row.
        for (int y = line + 3; y < 77; ++y) {
            QCOMPARE(face.pixelColor(0, y), kLine);
            QCOMPARE(face.pixelColor(159, y), kLine);
        }
        for (int x = 3; x < 157; ++x)
            QCOMPARE(face.pixelColor(x, 79), kLine);
        // The outermost corner pixels are rounded off.
        QCOMPARE(face.pixelColor(0, line), back);
        QCOMPARE(face.pixelColor(159, 79), back);
    }

    void captionColourFollowsTheEnabledState_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("enabled") << true << QColor(0, 70, 213);
        QTest::newRow("disabled") << false << QColor(161, 161, 146);
    }
    void captionColourFollowsTheEnabledState()
    {
        QFETCH(bool, enabled);
        QFETCH(QColor, colour);
        xpgroupbox box;
        box.setCaption(QStringLiteral("Интервал поиска"));
        box.resize(200, 80);
        box.setEnabled(enabled);
        const QImage face = faceOf(box);
        const QRect label = box.labelRect();
        QCOMPARE(label.topLeft(), QPoint(15, 0));
        bool found = false;
        for (int y = label.top(); y <= label.bottom() && !found; ++y)
            for (int x = label.left(); x <= label.right() && !found; ++x)
                found = face.pixelColor(x, y) == colour;
        QVERIFY(found);
    }

    void backColorFillsTheFrameAndTheLabel()
    {
        xpgroupbox box;
        box.setCaption(QStringLiteral("Слова"));
        box.resize(120, 60);
        box.setBackColor(ColorValue::rgb(10, 20, 30));
        const QImage face = faceOf(box);
        QCOMPARE(face.pixelColor(60, 30), QColor(10, 20, 30));
        // The label's top-left pixel lies above its text.
        QCOMPARE(face.pixelColor(box.labelRect().topLeft()), QColor(10, 20, 30));
    }

    // The caption clicks; the frame's own area only reports the mouse.
    void onlyTheCaptionClicks_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<bool>("clicks");
        QTest::newRow("on the caption") << QPoint(20, 5) << true;
        QTest::newRow("inside the frame") << QPoint(60, 40) << false;
    }
    void onlyTheCaptionClicks()
    {
        QFETCH(QPoint, at);
        QFETCH(bool, clicks);
        QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
        window.resize(200, 100);
        auto *box = new xpgroupbox(&window);
        box->setCaption(QStringLiteral("Режим поиска"));
        box->setGeometry(10, 10, 180, 80);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy downs(box, &xpgroupbox::MouseDown);
        QSignalSpy ups(box, &xpgroupbox::MouseUp);
        QSignalSpy clicked(box, &xpgroupbox::Click);
        QSignalSpy doubleClicked(box, &xpgroupbox::DblClick);
        const QPoint inWindow = at + box->pos();
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, inWindow);
        QCOMPARE(downs.size(), 1);
        QCOMPARE(downs.first().value(2).toFloat(), float(at.x()));
        QCOMPARE(downs.first().value(3).toFloat(), float(at.y()));
        QCOMPARE(ups.size(), 1);
        QCOMPARE(clicked.size(), clicks ? 1 : 0);
        QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {}, inWindow);
        QCOMPARE(doubleClicked.size(), clicks ? 1 : 0);
    }

    void settingsRoundTripThroughTheStore()
    {
        QWidget container;
        xpgroupbox box(&container);
        box.setObjectName(QStringLiteral("Frame2"));
        const PropertyStore stored{{QStringLiteral("Caption"), QStringLiteral("Интервал поиска")},
                                   {QStringLiteral("Enabled"), false},
                                   {QStringLiteral("BackColor"), ColorValue::system(ColorValue::buttonFace)}};
        box.readProperties(stored);
        PropertyStore written;
        box.writeProperties(written);
        QCOMPARE(written.keys(), stored.keys());
        for (const QString &key : stored.keys())
            QCOMPARE(written.read(key, QVariant()), stored.read(key, QVariant()));
    }
};

QTEST_MAIN(TestXpGroupBox)
#include "tst_xpgroupbox.moc"
