#include "platform/htmllimit.h"
#include "platform/tests/fuzzchecks.h"

#include <QTest>

namespace {

QString nested(const QString &open, const QString &close, int depth, const QString &middle = QStringLiteral("x"))
{
    QString html;
    for (int i = 0; i < depth; ++i)
        html += open;
    html += middle;
    for (int i = 0; i < depth; ++i)
        html += close;
    return html;
}

} // namespace

class TestHtmlLimit : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void bound_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<qsizetype>("maxChars");
        QTest::addColumn<QString>("bounded");
        QTest::addColumn<bool>("cut");
        QTest::addColumn<bool>("flattened");

        const QString page = QStringLiteral("<html><body><p>Линия <b>жизни</b></p></body></html>");
        QTest::newRow("a page within the bounds is left as it is") << page << qsizetype(1000) << page << false << false;
        QTest::newRow("cut at the bound, what is open closed")
            << QStringLiteral("<p>один <b>два три</b> четыре</p>") << qsizetype(13)
            << QStringLiteral("<p>один <b>дв</b></p>") << true << false;
        QTest::newRow("cut before a character reference, not inside it")
            << QStringLiteral("<p>a&amp;b</p>") << qsizetype(6) << QStringLiteral("<p>a</p>") << true << false;
        QTest::newRow("tables nested past six lose their tags, not their text")
            << nested(QStringLiteral("<table><tr><td>"), QStringLiteral("</td></tr></table>"), 8) << qsizetype(100000)
            << nested(QStringLiteral("<table><tr><td>"), QStringLiteral("</td></tr></table>"), 6) << false << true;
        QTest::newRow("end tags left out of a table")
            << QStringLiteral("<table><tr><td>a<td>b<tr><td>c</table>") << qsizetype(1000)
            << QStringLiteral("<table><tr><td>a</td><td>b</td></tr><tr><td>c</td></tr></table>") << false << false;
        QTest::newRow("list items without end tags")
            << QStringLiteral("<ul><li>a<li>b</ul>") << qsizetype(1000)
            << QStringLiteral("<ul><li>a</li><li>b</li></ul>") << false << false;
        QTest::newRow("an end tag that closes nothing goes")
            << QStringLiteral("a</b>b") << qsizetype(1000) << QStringLiteral("ab") << false << false;
        QTest::newRow("void elements and comments pass")
            << QStringLiteral("<!DOCTYPE html><p>a<br>b<img src=\"x.png\"/><!-- <table> --></p>") << qsizetype(1000)
            << QStringLiteral("<!DOCTYPE html><p>a<br>b<img src=\"x.png\"/><!-- <table> --></p>") << false << false;
        QTest::newRow("a script's text is not markup")
            << QStringLiteral("<script>if (a<b) x='<table>';</script>c") << qsizetype(1000)
            << QStringLiteral("<script>if (a<b) x='<table>';</script>c") << false << false;
        QTest::newRow("a script longer than the bound goes whole")
            << QStringLiteral("a<script>") + QString(100, u'x') + QStringLiteral("</script>b") << qsizetype(50)
            << QStringLiteral("a") << true << false;
        QTest::newRow("a quoted '>' stays in its tag") << QStringLiteral("<a title=\"a>b\">c</a>") << qsizetype(1000)
                                                       << QStringLiteral("<a title=\"a>b\">c</a>") << false << false;
        // A page that ends inside a tag or a comment would have it take in
        // the end tags written after it.
        QTest::newRow("a tag the page never ends is left out")
            << QStringLiteral("<p>a<b title=\"x>y") << qsizetype(1000) << QStringLiteral("<p>a</p>") << false << false;
        QTest::newRow("a comment the page never ends is left out")
            << QStringLiteral("<p>a<!-- b") << qsizetype(1000) << QStringLiteral("<p>a</p>") << false << false;
        QTest::newRow("a longer name does not end a script")
            << QStringLiteral("<script>a</scriptx>b</script>c") << qsizetype(1000)
            << QStringLiteral("<script>a</scriptx>b</script>c") << false << false;
        QTest::newRow("a tag past the bound is where the page is cut")
            << QStringLiteral("<p>ab<img src=\"") + QString(100, u'x') + QStringLiteral("\">c</p>") << qsizetype(10)
            << QStringLiteral("<p>ab</p>") << true << false;
        QTest::newRow("a comment past the bound is where the page is cut")
            << QStringLiteral("ab<!-- ") + QString(100, u'x') + QStringLiteral(" -->c") << qsizetype(10)
            << QStringLiteral("ab") << true << false;
        QTest::newRow("a '<' that starts no tag does not join text into one")
            << QStringLiteral("<</b>p>x") << qsizetype(1000) << QStringLiteral("&lt;p>x") << false << false;
        QTest::newRow("a break opportunity counts in the bound")
            << QStringLiteral("<p>") + QString(600, u'x') + QStringLiteral("</p>") << qsizetype(505)
            << QStringLiteral("<p>") + QString(500, u'x') + QChar(0x200B) + QStringLiteral("x</p>") << true << false;
        QTest::newRow("cut before a surrogate pair, not inside it")
            << QStringLiteral("<p>a\U0001F590b</p>") << qsizetype(5) << QStringLiteral("<p>a</p>") << true << false;
    }
    void bound()
    {
        QFETCH(QString, html);
        QFETCH(qsizetype, maxChars);
        QFETCH(QString, bounded);
        QFETCH(bool, cut);
        QFETCH(bool, flattened);
        const HtmlLimit::Result result = HtmlLimit::bound(html, maxChars);
        QCOMPARE(result.html, bounded);
        QCOMPARE(result.cut, cut);
        QCOMPARE(result.flattened, flattened);
        // Bounding the bound changes nothing.
        QCOMPARE(HtmlLimit::bound(result.html, maxChars).html, result.html);
    }

    // A run of text without a blank gets a break point every maxRun
    // characters, never inside a character reference, and keeps its text.
    void longRunsGetBreakPoints()
    {
        const QString run = QString(HtmlLimit::maxRun - 2, u'x') + QStringLiteral("&amp;") + QString(1200, u'y');
        const QString html = QStringLiteral("<p>") + run + QStringLiteral("</p>");
        const HtmlLimit::Result result = HtmlLimit::bound(html);
        QVERIFY(result.broken);
        QVERIFY(!result.cut);
        QCOMPARE(QString(result.html).remove(QChar(0x200B)), html);
        // The break points it put count as breaks when it is bounded again.
        QCOMPARE(HtmlLimit::bound(result.html).html, result.html);
        QVERIFY(result.html.contains(QStringLiteral("&amp;")));
        const QString text = QString(result.html).remove(QStringLiteral("<p>")).remove(QStringLiteral("</p>"));
        for (const QString &piece : text.split(QChar(0x200B)))
            QVERIFY(piece.size() <= HtmlLimit::maxRun + 5);
        // Words are left alone.
        QVERIFY(!HtmlLimit::bound(QStringLiteral("<p>линия жизни</p>")).broken);
    }

    // The pages that froze the view: tens of thousands of nested elements.
    void deepNestingIsFlattened_data()
    {
        QTest::addColumn<QString>("open");
        QTest::addColumn<QString>("close");
        QTest::addColumn<int>("keptDepth");
        QTest::newRow("blocks") << QStringLiteral("<div>") << QStringLiteral("</div>") << HtmlLimit::maxDepth;
        QTest::newRow("bold") << QStringLiteral("<b>") << QStringLiteral("</b>") << HtmlLimit::maxDepth;
        QTest::newRow("tables") << QStringLiteral("<table>") << QStringLiteral("</table>") << HtmlLimit::maxTableDepth;
    }
    void deepNestingIsFlattened()
    {
        QFETCH(QString, open);
        QFETCH(QString, close);
        QFETCH(int, keptDepth);
        const HtmlLimit::Result result = HtmlLimit::bound(nested(open, close, 30000, QStringLiteral("глубоко")));
        QVERIFY(result.flattened);
        QVERIFY(!result.cut);
        QCOMPARE(result.html, nested(open, close, keptDepth, QStringLiteral("глубоко")));
    }

    // The fuzz target's seed corpus, through the same check.
    void fuzzSeedsPass()
    {
        QCOMPARE(
            FuzzChecks::failingSeeds(QStringLiteral(PALMORA_TEST_DATA_DIR "/fuzz/htmllimit"), FuzzChecks::htmlBound),
            QStringList());
    }
};

QTEST_GUILESS_MAIN(TestHtmlLimit)
#include "tst_htmllimit.moc"
