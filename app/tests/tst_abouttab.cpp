#include "app/abouttab.h"
#include "app/form1.h"
#include "platform/testsupport/namedcontrol.h"
#include "platform/widgets/richtextbox.h"

#include <QDesktopServices>
#include <QLabel>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

// Stands in for the desktop's browser.
class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public Q_SLOTS:
    void open(const QUrl &url) { opened << url; }
};

class TestAboutTab : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &m_recorder, "open");
        m_recorder.opened.clear();
    }
    void cleanup() { QDesktopServices::unsetUrlHandler(QStringLiteral("http")); }

    void showsItsPictureAtItsNaturalSize()
    {
        Form1 window(Installation::ofRunningProgram());
        const QPixmap picture = namedControl<QLabel>(window, "Image3")->pixmap();
        QCOMPARE(picture.size(), QSize(567, 425));
        // Drawn, not blank: the corners and the palm differ.
        const QImage image = picture.toImage();
        QVERIFY(image.pixelColor(10, 10) != image.pixelColor(270, 300));
    }

    void creditsNameIdeaAndDeveloperWithNicknames()
    {
        Form1 window(Installation::ofRunningProgram());
        const QString credits = namedControl<QLabel>(window, "Label8")->text();
        const QStringList lines = credits.split(u'\n');
        QCOMPARE(lines.size(), 2);
        for (const QString &line : lines)
            QVERIFY2(line.contains(u'(') && line.endsWith(u')'), qPrintable(line));
    }

    void linkClickOpensTheClubsAddress()
    {
        Form1 window(Installation::ofRunningProgram());
        QTest::mouseClick(namedControl<QLabel>(window, "Label9"), Qt::LeftButton);
        QCOMPARE(m_recorder.opened, QList<QUrl>{QUrl(QString::fromLatin1(AboutTab::clubAddress))});
    }

    void otherButtonsDoNotOpenIt()
    {
        Form1 window(Installation::ofRunningProgram());
        QTest::mouseClick(namedControl<QLabel>(window, "Label9"), Qt::RightButton);
        QTest::mouseClick(namedControl<QLabel>(window, "Label8"), Qt::LeftButton);
        QVERIFY(m_recorder.opened.isEmpty());
    }

    void sampleManualLoadsWithItsFormatting()
    {
        Form1 window(Installation::ofRunningProgram());
        QVERIFY(namedControl<RichTextBox>(window, "RichTextBox2")
                    ->loadFile(QStringLiteral(PALMORA_SAMPLE_DIR "/инструкция.rtf")));
        const QString text = namedControl<RichTextBox>(window, "RichTextBox2")->text();
        for (const char *topic : {"Поиск по словам", "Интервал поиска", "Поиск по фразе", "«!»", "Список результатов",
                                  "полоса перехода", "Фотография ладони", "Анкетирование", "Новости"})
            QVERIFY2(text.contains(QString::fromUtf8(topic), Qt::CaseInsensitive), topic);
        QVERIFY(text.contains(QStringLiteral("\r\n")));

        QTextDocument *document = namedControl<RichTextBox>(window, "RichTextBox2")->document();
        const QTextCursor heading = document->find(QStringLiteral("Поиск по фразе"));
        QVERIFY(!heading.isNull());
        QTextCursor inside(document);
        inside.setPosition(heading.selectionStart() + 1);
        QVERIFY(inside.charFormat().font().bold());
        QVERIFY(inside.charFormat().fontPointSize() > 12);
        QCOMPARE(document->begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    }

private:
    UrlRecorder m_recorder;
};

QTEST_MAIN(TestAboutTab)
#include "tst_abouttab.moc"
