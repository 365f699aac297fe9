#include "app/form1.h"
#include "controls/xpb.h"
#include "controls/xpcheckbox.h"
#include "platform/eventloop.h"
#include "platform/release.h"
#include "platform/testsupport/namedcontrol.h"
#include "platform/testsupport/quitflag.h"
#include "platform/testsupport/temporaryinstallation.h"
#include "platform/widgets/lineshape.h"
#include "platform/widgets/xtab.h"

#include <QAbstractButton>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

class TestMainWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        m_install = std::make_unique<TemporaryInstallation>();
        QVERIFY(m_install->isValid());
    }
    void init() { clearQuitFlag(); }
    void cleanupTestCase() { m_install.reset(); }

    void tabCaptions_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("caption");
        QTest::newRow("0") << 0 << QStringLiteral("Инструкция");
        QTest::newRow("1") << 1 << QStringLiteral("Работа с фото");
        QTest::newRow("2") << 2 << QStringLiteral("Настройки");
        QTest::newRow("3") << 3 << QStringLiteral("Новости");
        QTest::newRow("4") << 4 << QStringLiteral("О программе");
    }
    void tabCaptions()
    {
        QFETCH(int, index);
        QFETCH(QString, caption);
        Form1 window(m_install->installation());
        window.load();
        QCOMPARE(namedControl<XTab>(window, "XTab1")->tabCaption(index), caption);
    }

    void windowHasItsDesignSizeAndCaption()
    {
        Form1 window(m_install->installation());
        QCOMPARE(window.size(), QSize(1016, 711));
        QCOMPARE(window.windowTitle(), QStringLiteral("Пальмора " PALMORA_VERSION));
    }

    // Pixel places worked out by hand from the design twips (15 to a pixel).
    void controlsSitAtTheirDesignPlaces_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("Frame1 (the toolbar strip)") << "Frame1" << QRect(2, 30, 1009, 33);
        QTest::newRow("Command7 (save the text)") << "Command7" << QRect(87, 8, 25, 24);
        QTest::newRow("Label4 (the hint line)") << "Label4" << QRect(133, 11, 601, 25);
        QTest::newRow("XTab1 (the tabs)") << "XTab1" << QRect(6, 64, 1000, 640);
        QTest::newRow("Image1 (the photo)") << "Image1" << QRect(3, 24, 417, 607);
        QTest::newRow("Command2 (search)") << "Command2" << QRect(728, 27, 57, 33);
        QTest::newRow("Check1 (word mode)") << "Check1" << QRect(792, 36, 17, 17);
        QTest::newRow("List1 (the results)") << "List1" << QRect(424, 64, 561, 444);
        QTest::newRow("Text1 (the questionnaire result)") << "Text1" << QRect(424, 509, 577, 123);
        QTest::newRow("Label1 (the busy notice)") << "Label1" << QRect(16, 616, 153, 25);
        QTest::newRow("HS2 (the interval slider)") << "HS2" << QRect(16, 24, 97, 11);
        QTest::newRow("Command9 (fetch the news)") << "Command9" << QRect(448, 603, 113, 33);
    }
    void controlsSitAtTheirDesignPlaces()
    {
        QFETCH(QString, name);
        QFETCH(QRect, pixels);
        Form1 window(m_install->installation());
        auto *control = window.findChild<QWidget *>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), pixels);
    }

    void initialVisibility()
    {
        Form1 window(m_install->installation());
        window.load();
        window.show();
        namedControl<XTab>(window, "XTab1")->setCurrentTab(Form1::tabPhotoAndSearch);
        QVERIFY(namedControl<QListWidget>(window, "List1")->isVisible());
        QVERIFY(namedControl<xpcheckbox>(window, "Check1")->isChecked());
        for (QWidget *hidden : {static_cast<QWidget *>(namedControl<XpB>(window, "Command1")),
                                static_cast<QWidget *>(namedControl<QScrollBar>(window, "HS1")),
                                static_cast<QWidget *>(namedControl<QLabel>(window, "Label1")),
                                static_cast<QWidget *>(namedControl<LineShape>(window, "Line1")),
                                static_cast<QWidget *>(namedControl<QLabel>(window, "Label4"))})
            QVERIFY2(!hidden->isVisible(), qPrintable(hidden->objectName()));
        QVERIFY(namedControl<XpB>(window, "Command6")->isVisible()); // the toolbar belongs to no tab
    }

    void busyNoticeShowsWholeInsideItsPage()
    {
        Form1 window(m_install->installation());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        namedControl<XTab>(window, "XTab1")->setCurrentTab(Form1::tabPhotoAndSearch);
        auto *notice = namedControl<QLabel>(window, "Label1");
        notice->show();
        QWidget *page = notice->parentWidget();
        // The notice's red ink as the page shows it, and as the same text
        // drawn alone with room all round.
        const auto inkRows = [](const QImage &image, const QRect &area) {
            int first = -1;
            int last = -1;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x) {
                    const QRgb p = image.pixel(x, y);
                    if (qRed(p) > 200 && qGreen(p) < 160) {
                        first = first < 0 ? y : first;
                        last = y;
                        break;
                    }
                }
            return std::pair(first, last);
        };
        const QImage shown = page->grab().toImage();
        const QRect belowTop(notice->x(), notice->y(), notice->width(), page->height() - notice->y());
        const auto [top, bottom] = inkRows(shown, belowTop);
        QImage alone(notice->width(), 3 * notice->height(), QImage::Format_RGB32);
        alone.fill(Qt::white);
        {
            QPainter painter(&alone);
            painter.setFont(notice->font());
            painter.setPen(Qt::red);
            painter.drawText(QRect(0, notice->height(), notice->width(), notice->height()),
                             Qt::AlignLeft | Qt::AlignTop, notice->text());
        }
        const auto [aloneTop, aloneBottom] = inkRows(alone, alone.rect());
        QVERIFY(top >= 0);
        QCOMPARE(bottom - top, aloneBottom - aloneTop);
        // Clear of the tab page's frame along its lower edge, and of the
        // photo area's lower frame line, which runs through the notice's box.
        QVERIFY(bottom < page->height() - page->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) - 2);
        const auto *photo = namedControl<QLabel>(window, "Image1");
        QVERIFY(bottom < photo->geometry().bottom() + 1 - photo->frameWidth());
    }

    void resizeInTheNormalStateSnapsBack()
    {
        Form1 window(m_install->installation());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.resize(800, 500);
        QTRY_COMPARE(window.size(), QSize(15240 / 15, 10665 / 15));
    }

    void sliderSetsTheIntervalAndShowsIt()
    {
        Form1 window(m_install->installation());
        window.load();
        namedControl<QScrollBar>(window, "HS2")->setValue(namedControl<QScrollBar>(window, "HS2")->maximum());
        QCOMPARE(namedControl<QLabel>(window, "Label2")->text(), QStringLiteral(" 1000"));
        QCOMPARE(window.searchState().Search_Int, qint64(SearchInterval::kSliderMaximum));
        QCOMPARE(namedControl<QScrollBar>(window, "HS2")->minimum(), 50);
    }

    void closingEndsTheProgram()
    {
        Form1 window(m_install->installation());
        window.show();
        QSignalSpy ended(&window, &Form1::programEnded);
        window.close();
        QCOMPARE(ended.count(), 1);
        QVERIFY(EventLoop::quitRequested());
    }

private:
    std::unique_ptr<TemporaryInstallation> m_install;
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
