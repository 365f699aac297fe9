#include "platform/widgets/framebox.h"

#include <QImage>
#include <QTest>

class TestFrameBox : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void captionSitsOnTheTopLineAndInterruptsIt()
    {
        FrameBox frame(QStringLiteral("О программе"));
        frame.resize(300, 120);
        QPalette palette = frame.palette();
        palette.setColor(QPalette::Window, Qt::white);
        palette.setColor(QPalette::Dark, QColor(128, 128, 128));
        palette.setColor(QPalette::Light, QColor(250, 250, 250));
        palette.setColor(QPalette::WindowText, Qt::black);
        frame.setPalette(palette);
        const QImage face = frame.grab().toImage();
        const QColor line(128, 128, 128);
        const int y = frame.topLineY();
        const QRect caption = frame.captionRect();

        // The line runs at half the caption's height, left and right of the caption.
        QCOMPARE(y, frame.fontMetrics().height() / 2);
        QCOMPARE(face.pixelColor(2, y), line);
        QCOMPARE(face.pixelColor(caption.right() + 3, y), line);
        // The caption breaks it.
        int lineUnderCaption = 0;
        for (int x = caption.left(); x <= caption.right(); ++x)
            lineUnderCaption += face.pixelColor(x, y) == line;
        QVERIFY(lineUnderCaption < caption.width() / 2);
        // Nothing of the frame above its line, beside the caption.
        for (int x = caption.right() + 1; x < 300; ++x)
            QCOMPARE(face.pixelColor(x, 0), QColor(Qt::white));
    }

    void withoutCaptionTheLineIsTheTopEdge()
    {
        FrameBox frame;
        frame.resize(100, 40);
        QCOMPARE(frame.topLineY(), 0);
        QVERIFY(frame.captionRect().isEmpty());
        const QImage face = frame.grab().toImage();
        QCOMPARE(face.pixel(50, 0), frame.palette().color(QPalette::Dark).rgb());
    }
};

QTEST_MAIN(TestFrameBox)
#include "tst_framebox.moc"
