#include "controlonwindow.h"

#include "controls/gallery/controlgallery.h"
#include "controls/xpcheckbox.h"
#include "controls/xpcmdbutton.h"
#include "controls/xpgroupbox.h"
#include "controls/xpradiobutton.h"

#include <QSignalSpy>

class TestControlGallery : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { useFixedPalette(); }

    void showsEveryControlOfTheFamily()
    {
        ControlGallery gallery;
        gallery.show();
        QVERIFY(QTest::qWaitForWindowExposed(&gallery));
        const QImage shot = gallery.grab().toImage();
        const QRect area = gallery.rect();
        const auto shows = [&](QWidget *control, const QImage &face) {
            const QPoint origin = control->mapTo(&gallery, QPoint(0, 0));
            return area.contains(QRect(origin, control->size())) && control->isVisible()
                && shot.copy(QRect(origin, face.size())).convertToFormat(QImage::Format_RGB32)
                == face.convertToFormat(QImage::Format_RGB32);
        };
        for (xpcheckbox *box : gallery.checkBoxes)
            QVERIFY(shows(box, box->face()));
        for (xpgroupbox *frame : gallery.frames)
            QVERIFY(shows(frame, frame->face().copy(0, 0, frame->width(), frame->topLine() + 1)));
        QCOMPARE(gallery.checkBoxes[2]->cell(), 8);
        QCOMPARE(gallery.checkBoxes[3]->cell(), 7);
        QCOMPARE(gallery.commandButtons[1]->drawnCell(), 4);
        QCOMPARE(gallery.commandButtons[2]->drawnCell(), 2);
    }

    // Three radio buttons in two frames of one window: after each click
    // exactly the clicked one is set.
    void radioButtonsInDifferentFramesExcludeEachOther()
    {
        PointerFollower pointer;
        ControlGallery gallery;
        gallery.show();
        QVERIFY(QTest::qWaitForWindowExposed(&gallery));
        for (int clicked : {2, 1, 0, 2}) {
            xpradiobutton *radio = gallery.radioButtons[clicked];
            const QPoint at = radio->mapTo(&gallery, QPoint(6, radio->height() / 2));
            QTest::mouseMove(gallery.windowHandle(), at);
            QTest::mouseClick(gallery.windowHandle(), Qt::LeftButton, {}, at);
            for (int r = 0; r < 3; ++r)
                QCOMPARE(gallery.radioButtons[r]->value(), r == clicked);
        }
    }
};

QTEST_MAIN(TestControlGallery)
#include "tst_controlgallery.moc"
