#include "app/form1.h"
#include "controls/xpb.h"
#include "controls/xpcheckbox.h"
#include "platform/eventloop.h"
#include "platform/testsupport/fakedialogs.h"
#include "platform/testsupport/namedcontrol.h"
#include "platform/testsupport/temporaryinstallation.h"
#include "platform/textcodec.h"
#include "platform/widgets/lineshape.h"
#include "platform/widgets/richtextbox.h"
#include "platform/widgets/webbrowser.h"
#include "platform/widgets/xtab.h"
#include "search/ui/articleview.h"
#include "search/ui/searchpanel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleHints>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>

namespace {

QStringList items(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

} // namespace

class TestSearchWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_install = std::make_unique<TemporaryInstallation>();
        QVERIFY(QDir(m_install->program.path()).mkdir(QStringLiteral("Data")));
        m_dialogs.reset(new FakeDialogs);
        m_window.reset(new Form1(m_install->installation(), *m_dialogs));
        m_window->load();
        m_window->show();
        namedControl<XTab>(*m_window, "XTab1")->setCurrentTab(Form1::tabPhotoAndSearch);
    }
    void cleanup()
    {
        m_window.reset();
        m_dialogs.reset();
        m_install.reset();
    }

    void enterStartsTheSearchAndTheBreakIsRemoved()
    {
        article("a.txt", "линия жизни длинная");
        QSignalSpy done(m_window->searchPanel(), &SearchPanel::finished);
        namedControl<QPlainTextEdit>(*m_window, "Text2")->setFocus();
        namedControl<QPlainTextEdit>(*m_window, "Text2")->setPlainText(QStringLiteral("линия"));
        namedControl<QPlainTextEdit>(*m_window, "Text2")->moveCursor(QTextCursor::End);
        QTest::keyClick(namedControl<QPlainTextEdit>(*m_window, "Text2"), Qt::Key_Return);
        QCOMPARE(namedControl<QPlainTextEdit>(*m_window, "Text2")->toPlainText(), QStringLiteral("линия"));
        QVERIFY(done.wait(10000));
        QCOMPARE(items(namedControl<QListWidget>(*m_window, "List1")), QStringList{QStringLiteral("a.txt")});
    }

    void pastedLinesAreJoined()
    {
        article("joined.txt", "слово линияжизни слово");
        article("apart.txt", "линия жизни");
        QSignalSpy done(m_window->searchPanel(), &SearchPanel::finished);
        QApplication::clipboard()->setText(QStringLiteral("линия\r\nжизни"));
        namedControl<QPlainTextEdit>(*m_window, "Text2")->setFocus();
        namedControl<QPlainTextEdit>(*m_window, "Text2")->paste();
        QCOMPARE(namedControl<QPlainTextEdit>(*m_window, "Text2")->toPlainText(), QStringLiteral("линияжизни"));
        QVERIFY(done.wait(10000));
        QCOMPARE(items(namedControl<QListWidget>(*m_window, "List1")), QStringList{QStringLiteral("joined.txt")});
    }

    void wordModeListsExactlyTheMatchingFile()
    {
        article("Линия жизни.txt", "Линия жизни длинная и ровная.");
        article("Другое.txt", "жизни линия");
        search(QStringLiteral("линия жизни"));
        QCOMPARE(items(namedControl<QListWidget>(*m_window, "List1")), QStringList{QStringLiteral("Линия жизни.txt")});
        QVERIFY(m_dialogs->messages.isEmpty());
        QVERIFY(!namedControl<QLabel>(*m_window, "Label1")->isVisible());
        QVERIFY(!namedControl<LineShape>(*m_window, "Line1")->isVisible());
    }

    void noMatchIsReportedOnceAfterTheBarIsHidden()
    {
        article("a.txt", "ничего подходящего");
        bool barHidden = false;
        bool noticeShown = false;
        m_dialogs->onMessage = [&](const QString &) {
            barHidden = !namedControl<LineShape>(*m_window, "Line1")->isVisible()
                && !namedControl<LineShape>(*m_window, "Line2")->isVisible();
            noticeShown = namedControl<QLabel>(*m_window, "Label1")->isVisible();
        };
        search(QStringLiteral("хиромантия"));
        QCOMPARE(m_dialogs->messages.size(), 1);
        QCOMPARE(m_dialogs->messages.first().text, QStringLiteral("Ничего не найдено!"));
        QVERIFY(barHidden);
        QVERIFY(noticeShown);
        QVERIFY(!namedControl<QLabel>(*m_window, "Label1")->isVisible());
    }

    // After the last of N entries the bar ends at 315 + N × 1060 / N twips; a
    // word-mode run that went through the whole folder then fills the track.
    void progressBarGeometry_data()
    {
        QTest::addColumn<bool>("wordMode");
        QTest::addColumn<int>("endAtMessage");
        QTest::newRow("word mode") << true << 2525;
        QTest::newRow("phrase mode") << false << 1375;
    }
    void progressBarGeometry()
    {
        QFETCH(bool, wordMode);
        QFETCH(int, endAtMessage);
        article("1.txt", "нет");
        article("2.txt", "нет");
        article("3.txt", "нет");
        namedControl<xpcheckbox>(*m_window, "Check1")->setChecked(wordMode);
        int endAtBox = -1;
        m_dialogs->onMessage = [&](const QString &) {
            endAtBox = namedControl<LineShape>(*m_window, "Line1")->x2Twips();
        };
        search(QStringLiteral("хиромантия"));
        QCOMPARE(endAtBox, endAtMessage);
        QCOMPARE(namedControl<LineShape>(*m_window, "Line1")->x1Twips(), 240);
        QCOMPARE(namedControl<LineShape>(*m_window, "Line2")->x2Twips(), 2525);
    }

    // A caret left after a found place must not lend its format to the next article.
    void eachArticleStartsInThePlainFormat()
    {
        article("a.txt", "жизнжизн");
        article("b.txt", "жизн и прочее");
        namedControl<xpcheckbox>(*m_window, "Check1")->setChecked(false);
        search(QStringLiteral("жизн"));
        openFirst();
        namedControl<QScrollBar>(*m_window, "HS1")->setValue(1);
        QCOMPARE(namedControl<RichTextBox>(*m_window, "RichTextBox1")->selStart(), 4);
        QCoreApplication::processEvents(); // the control's caret catches up
        namedControl<XpB>(*m_window, "Command1")->click();
        namedControl<QListWidget>(*m_window, "List1")->setCurrentRow(1);
        Q_EMIT namedControl<QListWidget>(*m_window, "List1")
            ->itemClicked(namedControl<QListWidget>(*m_window, "List1")->item(1));
        QCOMPARE(namedControl<RichTextBox>(*m_window, "RichTextBox1")->text(), QStringLiteral("жизн и прочее"));
        QVERIFY(formatAt(0).fontWeight() >= QFont::Bold);
        for (int offset : {4, 5, 7, 12}) {
            const QTextCharFormat plain = formatAt(offset);
            QVERIFY2(plain.fontWeight() < QFont::Bold, qPrintable(QString::number(offset)));
            QCOMPARE(plain.foreground().color(), QColor(Qt::black));
        }
    }

    // The jump bar keeps its position from one article to the next; beyond
    // the new maximum it moves there, and that move jumps to the place.
    void theJumpBarKeepsItsPosition_data()
    {
        QTest::addColumn<QString>("second");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("caret");
        QTest::newRow("fewer places") << QStringLiteral("жизн жизн") << 1 << 1 << 5;
        QTest::newRow("more places") << QStringLiteral("жизн жизн жизн жизн") << 3 << 2 << 0;
    }
    void theJumpBarKeepsItsPosition()
    {
        QFETCH(QString, second);
        QFETCH(int, maximum);
        QFETCH(int, value);
        QFETCH(int, caret);
        article("a.txt", "жизн жизн жизн");
        article("b.txt", second.toUtf8().constData());
        namedControl<xpcheckbox>(*m_window, "Check1")->setChecked(false);
        search(QStringLiteral("жизн"));
        openFirst();
        namedControl<QScrollBar>(*m_window, "HS1")->setValue(2);
        QCOMPARE(namedControl<RichTextBox>(*m_window, "RichTextBox1")->selStart(), 10);
        namedControl<XpB>(*m_window, "Command1")->click();
        namedControl<QListWidget>(*m_window, "List1")->setCurrentRow(1);
        Q_EMIT namedControl<QListWidget>(*m_window, "List1")
            ->itemClicked(namedControl<QListWidget>(*m_window, "List1")->item(1));
        QCOMPARE(namedControl<QScrollBar>(*m_window, "HS1")->maximum(), maximum);
        QCOMPARE(namedControl<QScrollBar>(*m_window, "HS1")->value(), value);
        QCOMPARE(namedControl<RichTextBox>(*m_window, "RichTextBox1")->selStart(), caret);
    }

    void emptyQueryOnlyBringsTheListBack()
    {
        article("a.txt", "линия");
        search(QStringLiteral("линия"));
        openFirst();
        QVERIFY(!namedControl<QListWidget>(*m_window, "List1")->isVisible());
        namedControl<QPlainTextEdit>(*m_window, "Text2")->clear();
        namedControl<XpB>(*m_window, "Command2")->click();
        QVERIFY(namedControl<QListWidget>(*m_window, "List1")->isVisible());
        QVERIFY(!namedControl<RichTextBox>(*m_window, "RichTextBox1")->isVisible());
        QVERIFY(!m_window->searchPanel()->isRunning());
        QCOMPARE(m_dialogs->messages.size(), 0);
        QCOMPARE(namedControl<QListWidget>(*m_window, "List1")->count(), 1);
    }

    void searchingWhileAnArticleIsOpenReturnsToTheList()
    {
        article("a.txt", "линия");
        article("b.txt", "ум");
        search(QStringLiteral("линия"));
        openFirst();
        QVERIFY(namedControl<RichTextBox>(*m_window, "RichTextBox1")->isVisible());
        namedControl<QPlainTextEdit>(*m_window, "Text2")->setPlainText(QStringLiteral("ум"));
        namedControl<XpB>(*m_window, "Command2")->click();
        QVERIFY(namedControl<QListWidget>(*m_window, "List1")->isVisible());
        QVERIFY(!namedControl<RichTextBox>(*m_window, "RichTextBox1")->isVisible());
        QVERIFY(!namedControl<XpB>(*m_window, "Command1")->isVisible());
        QCOMPARE(namedControl<QListWidget>(*m_window, "List1")->count(), 0); // each run starts from an empty list
        QSignalSpy done(m_window->searchPanel(), &SearchPanel::finished);
        QVERIFY(done.wait(10000));
        QCOMPARE(items(namedControl<QListWidget>(*m_window, "List1")), QStringList{QStringLiteral("b.txt")});
    }

    void phraseModeJumpsBetweenPlaces()
    {
        article("a.txt", "Жизнь и жизнь");
        namedControl<xpcheckbox>(*m_window, "Check1")->setChecked(false);
        search(QStringLiteral("жизн"));
        openFirst();
        QCOMPARE(m_window->articleView()->Jump_Pos(), (QList<qint64>{0, 8}));
        QCOMPARE(namedControl<QScrollBar>(*m_window, "HS1")->maximum(), 1);
        QCOMPARE(namedControl<RichTextBox>(*m_window, "RichTextBox1")->selStart(), 0);
        namedControl<QScrollBar>(*m_window, "HS1")->setValue(1);
        QCOMPARE(namedControl<RichTextBox>(*m_window, "RichTextBox1")->selStart(), 8);
        QVERIFY(namedControl<QScrollBar>(*m_window, "HS1")->isVisible());
    }

    void wordModeHighlightsEveryCluster()
    {
        const QString text =
            QStringLiteral("линия жизни. ") + QString(120, QLatin1Char('x')) + QStringLiteral(" Линия Жизни");
        QFile f(m_install->program.path() + QStringLiteral("/Data/two.txt"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(TextCodec::toCp1251(text));
        f.close();
        search(QStringLiteral("линия жизни"));
        openFirst();
        const int second = int(text.indexOf(QStringLiteral("Линия")));
        QCOMPARE(m_window->articleView()->Jump_Pos(), (QList<qint64>{0, second}));
        for (int offset : {0, 6, second, second + 6}) {
            const QTextCharFormat found = formatAt(offset);
            QVERIFY2(found.fontWeight() >= QFont::Bold, qPrintable(QString::number(offset)));
            QCOMPARE(found.foreground().color(), QColor(0, 0, 255));
        }
        const QTextCharFormat plain = formatAt(20);
        QVERIFY(plain.fontWeight() < QFont::Bold);
        QCOMPARE(plain.foreground().color(), QColor(Qt::black));
        // F3 goes to the next place, Shift+F3 back.
        QTest::keyClick(m_window.get(), Qt::Key_F3);
        QCOMPARE(namedControl<RichTextBox>(*m_window, "RichTextBox1")->selStart(), second);
        QTest::keyClick(m_window.get(), Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(namedControl<RichTextBox>(*m_window, "RichTextBox1")->selStart(), 0);
    }

    void backToTheListKeepsItsEntriesAndSelection()
    {
        article("a.txt", "линия");
        article("b.txt", "линия");
        search(QStringLiteral("линия"));
        namedControl<QListWidget>(*m_window, "List1")->setCurrentRow(1);
        Q_EMIT namedControl<QListWidget>(*m_window, "List1")
            ->itemClicked(namedControl<QListWidget>(*m_window, "List1")->item(1));
        QVERIFY(namedControl<XpB>(*m_window, "Command1")->isVisible());
        namedControl<XpB>(*m_window, "Command1")->click();
        QVERIFY(namedControl<QListWidget>(*m_window, "List1")->isVisible());
        QCOMPARE(items(namedControl<QListWidget>(*m_window, "List1")),
                 (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt")}));
        QCOMPARE(namedControl<QListWidget>(*m_window, "List1")->currentRow(), 1);
        QVERIFY(!namedControl<QScrollBar>(*m_window, "HS1")->isVisible());
    }

    void webPageOpensInTheBrowserAndBackUndoesALink()
    {
        writeFile("page.htm",
                  "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                  "charset=windows-1251\"></head><body><p>линия</p><a href=\"other.htm\">next</a></body></html>");
        writeFile("other.htm", "<html><body><p>other page</p></body></html>");
        search(QStringLiteral("линия"));
        openFirst();
        QVERIFY(namedControl<WebBrowser>(*m_window, "WebBrowser1")->isVisible());
        QVERIFY(namedControl<XpB>(*m_window, "Command4")->isVisible());
        QVERIFY(namedControl<XpB>(*m_window, "Command5")->isVisible());
        QVERIFY(!namedControl<RichTextBox>(*m_window, "RichTextBox1")->isVisible());
        namedControl<WebBrowser>(*m_window, "WebBrowser1")
            ->setSource(QUrl::fromLocalFile(m_install->program.path() + QStringLiteral("/Data/other.htm")));
        QVERIFY(
            namedControl<WebBrowser>(*m_window, "WebBrowser1")->toPlainText().contains(QStringLiteral("other page")));
        namedControl<XpB>(*m_window, "Command4")->click();
        QVERIFY(namedControl<WebBrowser>(*m_window, "WebBrowser1")->toPlainText().contains(QStringLiteral("линия")));
        namedControl<XpB>(*m_window, "Command5")->click();
        QVERIFY(
            namedControl<WebBrowser>(*m_window, "WebBrowser1")->toPlainText().contains(QStringLiteral("other page")));
    }

    void aSecondPressStopsTheRun()
    {
        const int files = 3000;
        for (int i = 0; i < files; ++i)
            article(QStringLiteral("%1.txt").arg(i, 5, 10, QLatin1Char('0')).toUtf8().constData(), "линия жизни");
        QSignalSpy done(m_window->searchPanel(), &SearchPanel::finished);
        namedControl<QPlainTextEdit>(*m_window, "Text2")->setPlainText(QStringLiteral("линия жизни"));
        // Within the double-click interval a second press would be part of the first.
        const int interval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
        QGuiApplication::styleHints()->setMouseDoubleClickInterval(0);
        namedControl<XpB>(*m_window, "Command2")->click();
        QVERIFY(m_window->searchPanel()->isRunning());
        namedControl<XpB>(*m_window, "Command2")->click();
        QVERIFY(done.wait(20000));
        QGuiApplication::styleHints()->setMouseDoubleClickInterval(interval);
        QCOMPARE(done.count(), 1);
        QVERIFY(namedControl<QListWidget>(*m_window, "List1")->count() < files);
        QVERIFY(!m_window->searchPanel()->isRunning());
    }

private:
    void writeFile(const char *name, const char *utf8)
    {
        QFile f(m_install->program.path() + QStringLiteral("/Data/") + QString::fromUtf8(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(TextCodec::toCp1251(QString::fromUtf8(utf8)));
    }
    void article(const char *name, const char *utf8) { writeFile(name, utf8); }

    void search(const QString &query)
    {
        QSignalSpy done(m_window->searchPanel(), &SearchPanel::finished);
        namedControl<QPlainTextEdit>(*m_window, "Text2")->setPlainText(query);
        namedControl<XpB>(*m_window, "Command2")->click();
        QVERIFY(done.wait(10000));
    }

    void openFirst()
    {
        QVERIFY(namedControl<QListWidget>(*m_window, "List1")->count() > 0);
        namedControl<QListWidget>(*m_window, "List1")->setCurrentRow(0);
        Q_EMIT namedControl<QListWidget>(*m_window, "List1")
            ->itemClicked(namedControl<QListWidget>(*m_window, "List1")->item(0));
    }

    QTextCharFormat formatAt(int offset)
    {
        QTextCursor cursor(namedControl<RichTextBox>(*m_window, "RichTextBox1")->document());
        cursor.setPosition(namedControl<RichTextBox>(*m_window, "RichTextBox1")->toDocumentPosition(offset) + 1);
        return cursor.charFormat();
    }

    std::unique_ptr<TemporaryInstallation> m_install;
    std::unique_ptr<FakeDialogs> m_dialogs;
    std::unique_ptr<Form1> m_window;
};

QTEST_MAIN(TestSearchWindow)
#include "tst_searchwindow.moc"
