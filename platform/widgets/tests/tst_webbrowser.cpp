#include "platform/widgets/webbrowser.h"

#include <QImage>
#include <QPixmap>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

class TestWebBrowser : public QObject
{
    Q_OBJECT

private:
    static QString page(const char *name) { return QStringLiteral(PALMORA_TEST_DATA_DIR "/pages/") + name; }

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
        QTest::newRow("byte-order mark wins") << QByteArray("\xef\xbb\xbf<meta charset=windows-1251>да")
                                              << QStringLiteral("да");
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

    void imagesBesideThePageShow()
    {
        WebBrowser browser;
        browser.navigate(page("picture.htm"));
        const QVariant image = browser.document()->resource(QTextDocument::ImageResource,
                                                            QUrl(QStringLiteral("img/dot.png")));
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
