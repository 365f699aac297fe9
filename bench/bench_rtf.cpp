// Measures the displayed-text pass over a 10 MB RTF file shaped like the
// knowledge base's articles: Russian text as \'hh escapes, some formatting.
#include "bench/benchtiming.h"
#include "platform/rtfreader.h"
#include "platform/widgets/richtextbox.h"
#include "platform/widgets/rtfdocumentreader.h"

#include <QApplication>
#include <QTextDocument>
#include <QTextStream>

#include <algorithm>
#include <functional>

namespace {

QByteArray makeRtf(qsizetype size)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\froman\\fcharset204 Times New Roman;}}"
                     "{\\colortbl;\\red0\\green0\\blue192;}\\viewkind4\\uc1\\pard\\sa120\\f0\\fs24\r\n";
    const QByteArray paragraph =
        "\\pard\\qj \\'cb\\'e8\\'ed\\'e8\\'ff \\'e6\\'e8\\'e7\\'ed\\'e8 \\'ee\\'e3\\'e8\\'e1\\'e0\\'e5\\'f2 "
        "{\\b \\'f5\\'ee\\'eb\\'ec \\'c2\\'e5\\'ed\\'e5\\'f0\\'fb} and some plain words, "
        "{\\i\\cf1 \\u1046?\\u1091?} \\'e8 \\'eb\\'e8\\'ed\\'e8\\'ff \\'f3\\'ec\\'e0.\\par\r\n";
    while (rtf.size() < size)
        rtf.append(paragraph);
    rtf.append('}');
    return rtf;
}

double bestSeconds(int runs, const std::function<void()> &work)
{
    return bestMilliseconds(runs, work) / 1000;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const QByteArray rtf = makeRtf(10 * 1024 * 1024);
    const double mb = rtf.size() / (1024.0 * 1024.0);

    qsizetype chars = 0;
    const double text = bestSeconds(5, [&] { chars = RtfReader::displayedText(rtf).size(); });
    out << "displayedText: " << mb << " MB -> " << chars << " characters in " << text * 1000 << " ms, " << mb / text
        << " MB/s\n";

    const double doc = bestSeconds(1, [&] {
        QTextDocument document;
        RtfDocumentReader::read(rtf, &document);
    });
    out << "read into a document: " << doc * 1000 << " ms, " << mb / doc << " MB/s\n";

    // The article view: a large plain text and thousands of highlighted places.
    RichTextBox box;
    QString article;
    for (int i = 0; article.size() < 1000000; ++i)
        article += QStringLiteral("Линия жизни огибает холм Венеры, %1.\r\n").arg(i);
    box.setText(article);
    box.resize(600, 400);
    const int places = 5000;
    auto highlight = [&] {
        for (int i = 0; i < places; ++i) {
            box.setSelStart(int(qint64(i) * (article.size() - 20) / places));
            box.setSelLength(5);
            box.setSelColor(Qt::blue);
            box.setSelBold(true);
            box.setSelFontSize(10);
        }
        box.setSelStart(0);
        QApplication::processEvents();
    };
    const double hidden = bestSeconds(1, highlight);
    box.show();
    QApplication::processEvents();
    const double shown = bestSeconds(1, highlight);
    out << "highlighting " << places << " places in " << article.size() << " characters: " << hidden * 1000
        << " ms hidden, " << shown * 1000 << " ms shown\n";
    return 0;
}
