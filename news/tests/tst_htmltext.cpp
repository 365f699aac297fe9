#include "news/htmltext.h"

#include <QTest>

class TestHtmlText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void visibleText_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("text");

        QTest::newRow("paragraphs on lines of their own")
            << QStringLiteral("<html><body><p>[news]</p><p><b>Встреча</b> клуба</p></body></html>")
            << QStringLiteral("[news]\nВстреча клуба");
        QTest::newRow("title, script and style not shown")
            << QStringLiteral("<head><title>Клуб</title><style>p{color:red}</style>"
                              "<script>if (a < b) document.write('<p>x</p>')</script></head><p>текст</p>")
            << QStringLiteral("текст");
        QTest::newRow("end tag of a script found whatever its case")
            << QStringLiteral("<SCRIPT>var s = '</scriptx>';</Script >после") << QStringLiteral("после");
        QTest::newRow("blanks read as one")
            << QStringLiteral("<p>  один \r\n\t два  </p>") << QStringLiteral("один два");
        QTest::newRow("line break") << QStringLiteral("один<br>два<br/>три") << QStringLiteral("один\nдва\nтри");
        QTest::newRow("two line breaks make an empty line") << QStringLiteral("a<br><br>b") << QStringLiteral("a\n\nb");
        QTest::newRow("nested blocks give one line break")
            << QStringLiteral("<div><div><p>a</p></div></div><div>b</div>") << QStringLiteral("a\nb");
        QTest::newRow("inline elements join")
            << QStringLiteral("<p>x<i>y</i> <span>z</span></p>") << QStringLiteral("xy z");
        QTest::newRow("list items") << QStringLiteral("<ul><li>один</li><li>два</li></ul>")
                                    << QStringLiteral("один\nдва");
        QTest::newRow("table cells") << QStringLiteral("<table><tr><td>a</td><td>b</td></tr></table>")
                                     << QStringLiteral("a\nb");
        QTest::newRow("named references") << QStringLiteral("x &amp; y &lt;z&gt; &laquo;клуб&raquo;&nbsp;&mdash;")
                                          << QStringLiteral("x & y <z> «клуб» —");
        QTest::newRow("numeric references") << QStringLiteral("&#1046;&#x436;&#X416;") << QStringLiteral("ЖжЖ");
        QTest::newRow("reference without its semicolon") << QStringLiteral("&#1046 и") << QStringLiteral("Ж и");
        QTest::newRow("unknown reference kept") << QStringLiteral("a &bogus; b &") << QStringLiteral("a &bogus; b &");
        QTest::newRow("reference out of range") << QStringLiteral("&#1114112;") << QStringLiteral("\uFFFD");
        QTest::newRow("comment and doctype not shown")
            << QStringLiteral("<!DOCTYPE html><!-- <p>нет</p> -->да") << QStringLiteral("да");
        QTest::newRow("quoted attribute holding a '>'")
            << QStringLiteral("<a title=\"a>b\">ссылка</a>") << QStringLiteral("ссылка");
        QTest::newRow("a '<' that starts no tag") << QStringLiteral("1 < 2") << QStringLiteral("1 < 2");
        QTest::newRow("preformatted text keeps its blanks")
            << QStringLiteral("<pre>a  b\n c</pre>d") << QStringLiteral("a  b\n c\nd");
        QTest::newRow("unclosed comment ends the page") << QStringLiteral("a<!-- b") << QStringLiteral("a");
        QTest::newRow("unclosed script ends the page") << QStringLiteral("a<script>b") << QStringLiteral("a");
        QTest::newRow("empty") << QString() << QString();
    }
    void visibleText()
    {
        QFETCH(QString, html);
        QFETCH(QString, text);
        QCOMPARE(HtmlText::visibleText(html), text);
    }

    // Pages that kept the start-up busy for minutes when laid out: tens of
    // thousands of nested elements, within the news page's 1 MB.
    void deeplyNestedBlocks_data()
    {
        QTest::addColumn<int>("depth");
        QTest::addColumn<QString>("open");
        QTest::addColumn<QString>("close");
        QTest::newRow("blocks") << 90000 << QStringLiteral("<div>") << QStringLiteral("</div>");
        QTest::newRow("bold") << 90000 << QStringLiteral("<b>") << QStringLiteral("</b>");
        QTest::newRow("tables") << 30000 << QStringLiteral("<table><tr><td>") << QStringLiteral("</td></tr></table>");
        QTest::newRow("never closed") << 90000 << QStringLiteral("<div>") << QString();
    }
    void deeplyNestedBlocks()
    {
        QFETCH(int, depth);
        QFETCH(QString, open);
        QFETCH(QString, close);
        QString html = QStringLiteral("[news]");
        html.reserve(depth * (open.size() + close.size()) + 16);
        for (int i = 0; i < depth; ++i)
            html += open;
        html += QStringLiteral("глубоко");
        for (int i = 0; i < depth; ++i)
            html += close;
        QVERIFY(html.toUtf8().size() <= 1024 * 1024);
        QString text = HtmlText::visibleText(html);
        QVERIFY(text.startsWith(QStringLiteral("[news]")));
        QCOMPARE(text.remove(QLatin1Char('\n')), QStringLiteral("[news]глубоко"));
    }
};

QTEST_GUILESS_MAIN(TestHtmlText)
#include "tst_htmltext.moc"
