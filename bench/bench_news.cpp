// Measures the visible text of 1 MB news pages shaped to be hard on a layout
// engine: deeply nested blocks, bold and tables, and a plain page of text.
#include "bench/benchtiming.h"
#include "news/htmltext.h"

#include <QCoreApplication>
#include <QTextStream>

#include <algorithm>

namespace {

QString nested(const QString &open, const QString &close, qsizetype size)
{
    const qsizetype depth = size / (open.size() + close.size());
    QString html = QStringLiteral("[news]");
    for (qsizetype i = 0; i < depth; ++i)
        html += open;
    html += QStringLiteral("Встреча клуба");
    for (qsizetype i = 0; i < depth; ++i)
        html += close;
    return html;
}

QString paragraphs(qsizetype size)
{
    QString html = QStringLiteral("<html><body><p>[news]</p>");
    while (html.size() < size)
        html += QStringLiteral("<p>Встреча клуба &laquo;Велмарис&raquo; состоится <b>в субботу</b> в 18:00.</p>\n");
    return html + QStringLiteral("</body></html>");
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const qsizetype size = 1024 * 1024;
    const std::pair<const char *, QString> pages[] = {
        {"nested blocks", nested(QStringLiteral("<div>"), QStringLiteral("</div>"), size)},
        {"nested bold", nested(QStringLiteral("<b>"), QStringLiteral("</b>"), size)},
        {"nested tables", nested(QStringLiteral("<table><tr><td>"), QStringLiteral("</td></tr></table>"), size)},
        {"paragraphs", paragraphs(size)},
    };
    for (const auto &[name, html] : pages) {
        bool empty = false;
        const double best = bestMilliseconds(5, [&] { empty = HtmlText::visibleText(html).isEmpty(); });
        if (empty)
            return 1;
        out << name << ": " << html.size() / 1024 << " K characters, visible text in " << best << " ms\n";
    }
    return 0;
}
