#include "platform/htmllimit.h"
#include "platform/linebreaks.h"
#include "platform/widgets/webbrowser.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>

class TestWebBrowser : public QObject
{
    Q_OBJECT

private:
    static QString page(const char *name) { return QStringLiteral(PALMORA_TEST_DATA_DIR "/pages/") + name; }
    static QByteArray nested(const QByteArray &open, const QByteArray &close, int depth)
    {
        return open.repeated(depth) + "\xeb\xe8\xed\xe8\xff" + close.repeated(depth);
    }

private Q_SLOTS:
    void noDocumentUntilAFirstPage()
    {
        WebBrowser browser;
        QVERIFY(!browser.hasDocument());
        QCOMPARE(browser.documentText(), QString());
        browser.navigate(page("no such page.htm"));
        QVERIFY(!browser.hasDocument());
        browser.navigate(QStringLiteral("about:blank"));
        QVERIFY(browser.hasDocument());
        QCOMPARE(browser.documentText(), QString());
    }

    void backAndForwardOverThreePages()
    {
        WebBrowser browser;
        browser.navigate(page("first.htm"));
        browser.navigate(page("second.htm"));
        browser.navigate(page("third.htm"));
        QVERIFY(browser.documentText().contains(QStringLiteral("Третья")));
        browser.goForward(); // nothing ahead: stays
        QVERIFY(browser.documentText().contains(QStringLiteral("Третья")));
        browser.goBack();
        QVERIFY(browser.documentText().contains(QStringLiteral("Вторая")));
        browser.goBack();
        QVERIFY(browser.documentText().contains(QStringLiteral("Первая")));
        browser.goBack(); // nothing behind: stays
        QVERIFY(browser.documentText().contains(QStringLiteral("Первая")));
        browser.goForward();
        QVERIFY(browser.documentText().contains(QStringLiteral("Вторая")));
        browser.goForward();
        QVERIFY(browser.documentText().contains(QStringLiteral("Третья")));
    }

    void blankPageStartsAFreshHistory()
    {
        WebBrowser browser;
        browser.navigate(page("first.htm"));
        browser.navigate(page("second.htm"));
        browser.navigate(QStringLiteral("about:blank"));
        QCOMPARE(browser.documentText(), QString());
        browser.goBack();
        QCOMPARE(browser.documentText(), QString());
        browser.navigate(page("first.htm"));
        QVERIFY(browser.documentText().contains(QStringLiteral("Первая")));
    }

    void missingPageKeepsThePageOnShow()
    {
        WebBrowser browser;
        browser.navigate(page("second.htm"));
        browser.navigate(page("gone.htm"));
        QVERIFY(browser.documentText().contains(QStringLiteral("Вторая")));
    }

    void linkOpensInsideTheViewAndBackUndoesIt()
    {
        WebBrowser browser;
        browser.navigate(page("first.htm"));
        browser.setSource(QUrl(QStringLiteral("second.htm"))); // what a click on the link does
        QVERIFY(browser.documentText().contains(QStringLiteral("Вторая")));
        browser.goBack();
        QVERIFY(browser.documentText().contains(QStringLiteral("Первая")));
    }

    void windows1251PageDecodes()
    {
        WebBrowser browser;
        browser.navigate(page("cp1251.htm"));
        QCOMPARE(browser.documentText(), QStringLiteral("Линия жизни и холм Венеры"));
        QCOMPARE(browser.documentTitle(), QStringLiteral("Заголовок"));
    }

    void decodesDeclaredCharsets_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("windows-1251") << QByteArray("<meta charset=\"windows-1251\">\xe4\xe0") << QStringLiteral("да");
        QTest::newRow("utf-8 declared") << QByteArray("<meta charset=utf-8>да") << QStringLiteral("да");
        QTest::newRow("koi8-r declared") << QByteArray("<meta charset=koi8-r>\xc4\xc1") << QStringLiteral("да");
        QTest::newRow("nothing declared, cp1251") << QByteArray("<p>\xe4\xe0") << QStringLiteral("да");
        QTest::newRow("nothing declared, utf-8") << QByteArray("<p>да") << QStringLiteral("да");
        QTest::newRow("byte-order mark wins")
            << QByteArray("\xef\xbb\xbf<meta charset=windows-1251>да") << QStringLiteral("да");
    }
    void decodesDeclaredCharsets()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QVERIFY(WebBrowser::decodeHtml(bytes).endsWith(text));
    }

    void plainTextPageIsUnchanged()
    {
        WebBrowser browser;
        browser.navigate(page("plain.txt"));
        QCOMPARE(browser.documentText(), QStringLiteral("[news]\r\nСтрока  с  пробелами\r\n"));
    }

    // An RTF article is shown formatted, as the rich-text view would show it,
    // never as its markup.
    void rtfArticleIsShownFormatted()
    {
        WebBrowser browser;
        browser.navigate(page("article.rtf"));
        QCOMPARE(browser.documentText(), QStringLiteral("История хиромантии\r\nВторой абзац.\r\n"));
        const QTextBlock first = browser.document()->firstBlock();
        QTextCursor cursor(first);
        cursor.setPosition(first.position() + 10); // inside «хиромантии»
        QCOMPARE(cursor.charFormat().fontWeight(), int(QFont::Bold));
        cursor.setPosition(first.position() + 3); // inside «История»
        QCOMPARE(cursor.charFormat().fontWeight(), int(QFont::Normal));
    }

    // Pages that froze the view for seconds or minutes: huge, or nested deep.
    void hugeOrDeepPagesShowBounded_data()
    {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<QString>("notice");

        const QString tooLarge =
            QStringLiteral("Страница слишком велика, чтобы показать её целиком (%1): показано её начало.");
        const QString tooDeep = QStringLiteral("Страница вложена слишком глубоко: часть её оформления не показана.");
        QByteArray paragraphs = "<html><body>";
        while (paragraphs.size() < 2 * 1024 * 1024)
            paragraphs += "<p>\xeb\xe8\xed\xe8\xff <b>\xe6\xe8\xe7\xed\xe8</b></p>\n";
        QTest::newRow("50 MB page") << paragraphs << qint64(50) * 1024 * 1024
                                    << tooLarge.arg(QStringLiteral("50,0 МБ"));
        QTest::newRow("30,000 nested blocks") << nested("<div>", "</div>", 30000) << qint64(0) << tooDeep;
        QTest::newRow("deeply nested bold") << nested("<b>", "</b>", 30000) << qint64(0) << tooDeep;
        QTest::newRow("nested tables") << nested("<table><tr><td>", "</td></tr></table>", 1000) << qint64(0) << tooDeep;
        QTest::newRow("a page within the bounds")
            << QByteArray("<p>\xeb\xe8\xed\xe8\xff</p>") << qint64(0) << QString();
    }
    void hugeOrDeepPagesShowBounded()
    {
        QFETCH(QByteArray, head);
        QFETCH(qint64, size);
        QFETCH(QString, notice);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("page.htm"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(head);
        if (size > 0)
            QVERIFY(file.resize(size));
        file.close();

        WebBrowser browser;
        browser.resize(600, 400);
        browser.show();
        browser.navigate(path);
        browser.document()->documentLayout()->documentSize();
        QCOMPARE(browser.notice(), notice);
        QVERIFY(browser.documentText().trimmed().startsWith(QStringLiteral("линия")));
        QVERIFY(browser.documentText().size() <= HtmlLimit::maxCharacters);
        int depth = 0;
        for (QTextFrame *frame = browser.document()->rootFrame(); !frame->childFrames().isEmpty();
             frame = frame->childFrames().first())
            ++depth;
        QVERIFY(depth <= HtmlLimit::maxTableDepth);
    }

    // Lines without a break point, which Qt lays out in time that grows with
    // the square of their length: none longer than the bounds is laid out.
    void unbreakableLinesShowBounded_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("cut");
        QTest::newRow("a page with a 300,000-character line")
            << QStringLiteral("line.htm") << "<html><body><p>" + QByteArray(300'000, 'x') + "</p></body></html>"
            << true;
        QTest::newRow("a page of a 100,000-character word in bold")
            << QStringLiteral("bold.htm") << "<p>x<b>" + QByteArray(100'000, 'y') + "</b>z</p>" << false;
        QTest::newRow("a text article of one 200 KB word")
            << QStringLiteral("word.txt") << QByteArray(200 * 1024, 'x') << false;
    }
    void unbreakableLinesShowBounded()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, cut);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();

        WebBrowser browser;
        browser.resize(977, 593);
        browser.show();
        browser.navigate(path);
        browser.document()->documentLayout()->documentSize();
        QCOMPARE(browser.notice().startsWith(QStringLiteral("Страница слишком велика")), cut);
        // Each block is short, or has a break point at least every so many characters.
        for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next()) {
            if (block.length() <= LineBreaks::maxLine + 1)
                continue;
            for (const QString &run : block.text().split(QChar(0x200B)))
                QVERIFY2(run.size() <= HtmlLimit::maxRun, qPrintable(QString::number(run.size())));
        }
        if (name.endsWith(QLatin1String(".txt")))
            QCOMPARE(browser.documentText(), QString::fromLatin1(bytes));
        else
            QVERIFY(browser.document()->toPlainText().remove(QChar(0x200B)).contains(u'x'));
    }

    void noticeGoesWithItsPage()
    {
        QTemporaryDir dir;
        const QString deep = dir.filePath(QStringLiteral("deep.htm"));
        QFile file(deep);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(nested("<div>", "</div>", 1000));
        file.close();
        WebBrowser browser;
        browser.navigate(deep);
        QVERIFY(!browser.notice().isEmpty());
        browser.navigate(page("first.htm"));
        QCOMPARE(browser.notice(), QString());
        browser.goBack();
        QVERIFY(!browser.notice().isEmpty());
        browser.navigate(QStringLiteral("about:blank"));
        QCOMPARE(browser.notice(), QString());
    }

    void imagesBesideThePageShow()
    {
        WebBrowser browser;
        browser.navigate(page("picture.htm"));
        const QVariant image =
            browser.document()->resource(QTextDocument::ImageResource, QUrl(QStringLiteral("img/dot.png")));
        QImage picture;
        if (image.userType() == QMetaType::QPixmap)
            picture = image.value<QPixmap>().toImage();
        else if (image.userType() == QMetaType::QImage)
            picture = image.value<QImage>();
        else
            picture.loadFromData(image.toByteArray());
        QCOMPARE(picture.size(), QSize(4, 3));
    }
};

QTEST_MAIN(TestWebBrowser)
#include "tst_webbrowser.moc"
