// Times how long the article view and the manual keep the window waiting on
// documents far beyond what they lay out, as the user meets them: the control
// sits at its real size in a shown window, the document is loaded, laid out
// and painted. A text article is also navigated to in the hidden browser, as
// the article view does.
#include "platform/widgets/richtextbox.h"
#include "platform/widgets/webbrowser.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <QWidget>

namespace {

QString makeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &head, qint64 size)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(head) != head.size()
        || (size > head.size() && !file.resize(size)))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QByteArray repeated(const QByteArray &piece, qint64 size)
{
    QByteArray bytes;
    while (bytes.size() < size)
        bytes += piece;
    return bytes;
}

// The controls' places on the main window, in pixels.
const QRect kArticle(424, 64, 577, 439);
const QRect kBrowser(424, 64, 561, 441);
const QRect kManual(8, 32, 977, 593);

enum class Where { Article, Browser, Manual };

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    const QByteArray words = "\xeb\xe8\xed\xe8\xff \xe6\xe8\xe7\xed\xe8 ";
    const qint64 mb = 1024 * 1024;

    struct Case
    {
        const char *name;
        QString path;
        Where where;
    };
    const Case cases[] = {
        {"200 MB text on one line", makeFile(dir, "one.txt", repeated(words, 8 * mb), 200 * mb), Where::Article},
        {"3 million lines", makeFile(dir, "lines.txt", repeated(words + "\r\n", 42 * mb), 0), Where::Article},
        {"2 GB sparse text", makeFile(dir, "sparse.txt", repeated(words, mb), 2048 * mb), Where::Article},
        {"1 MB one word", makeFile(dir, "word.txt", QByteArray(mb, 'x'), 0), Where::Article},
        {"200 KB one word", makeFile(dir, "word200.txt", QByteArray(200 * 1024, 'x'), 0), Where::Article},
        {"2 GB of NUL bytes", makeFile(dir, "nul.txt", QByteArray(), 2048 * mb), Where::Article},
        {"200 MB of x after a line of words",
         makeFile(dir, "xs.txt", repeated(words, 4096) + "\r\n" + QByteArray(8 * mb, 'x'), 200 * mb), Where::Article},
        {"50 MB page",
         makeFile(dir, "big.htm", repeated("<p>" + words + "<b>" + words + "</b></p>\n", 8 * mb), 50 * mb),
         Where::Browser},
        {"page with a 300,000-character line",
         makeFile(dir, "line.htm", "<html><body><p>" + QByteArray(300'000, 'x') + "</p></body></html>", 0),
         Where::Browser},
        {"30,000 nested blocks", makeFile(dir, "divs.htm", QByteArray("<div>").repeated(30000) + words, 0),
         Where::Browser},
        {"30,000 nested bold", makeFile(dir, "bold.htm", QByteArray("<b>").repeated(30000) + words, 0), Where::Browser},
        {"1,000 nested tables", makeFile(dir, "tables.htm", QByteArray("<table><tr><td>").repeated(1000) + words, 0),
         Where::Browser},
        {"manual of 3 million paragraphs",
         makeFile(dir, "manual.rtf", "{\\rtf1\\ansi " + repeated(words + "\\par ", 33 * mb) + "}", 0), Where::Manual},
        {"manual of 600,000 characters without a space",
         makeFile(dir, "nospace.rtf", "{\\rtf1\\ansi " + QByteArray(600'000, 'x') + "}", 0), Where::Manual},
    };
    for (const Case &c : cases) {
        QWidget window;
        window.resize(1010, 680);
        RichTextBox text(&window);
        WebBrowser browser(&window);
        text.setGeometry(c.where == Where::Manual ? kManual : kArticle);
        browser.setGeometry(kBrowser);
        text.setVisible(c.where != Where::Browser);
        browser.setVisible(c.where == Where::Browser);
        window.show();
        QApplication::processEvents();

        QElapsedTimer timer;
        timer.start();
        if (c.where != Where::Manual)
            browser.navigate(c.path);
        if (c.where != Where::Browser)
            text.loadFile(c.path, c.where == Where::Article);
        QTextEdit &shown = c.where == Where::Browser ? static_cast<QTextEdit &>(browser) : text;
        shown.document()->documentLayout()->documentSize();
        shown.viewport()->repaint();
        QApplication::processEvents();
        out << c.name << ": " << timer.elapsed() << " ms\n";
        out.flush();
    }
    return 0;
}
