// Times how long the article view and the manual keep the window waiting on
// documents far beyond what they lay out: each is loaded into a control on
// show and laid out, as when the user opens it.
#include "platform/widgets/richtextbox.h"
#include "platform/widgets/webbrowser.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

QString makeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &head, qint64 size)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(head) != head.size() || (size > head.size() && !file.resize(size)))
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
        bool browser;
        bool plain;
    };
    const Case cases[] = {
        {"200 MB text on one line", makeFile(dir, "one.txt", repeated(words, 8 * mb), 200 * mb), false, true},
        {"3 million lines", makeFile(dir, "lines.txt", repeated(words + "\r\n", 42 * mb), 0), false, true},
        {"2 GB sparse text", makeFile(dir, "sparse.txt", repeated(words, mb), 2048 * mb), false, true},
        {"50 MB page", makeFile(dir, "big.htm", repeated("<p>" + words + "<b>" + words + "</b></p>\n", 8 * mb), 50 * mb),
         true, false},
        {"30,000 nested blocks", makeFile(dir, "divs.htm", QByteArray("<div>").repeated(30000) + words, 0), true, false},
        {"30,000 nested bold", makeFile(dir, "bold.htm", QByteArray("<b>").repeated(30000) + words, 0), true, false},
        {"1,000 nested tables",
         makeFile(dir, "tables.htm", QByteArray("<table><tr><td>").repeated(1000) + words, 0), true, false},
        {"manual of 3 million paragraphs",
         makeFile(dir, "manual.rtf", "{\\rtf1\\ansi " + repeated(words + "\\par ", 33 * mb) + "}", 0), false, false},
    };
    for (const Case &c : cases) {
        QElapsedTimer timer;
        if (c.browser) {
            WebBrowser view;
            view.resize(900, 600);
            view.show();
            timer.start();
            view.navigate(c.path);
            view.document()->documentLayout()->documentSize();
            QApplication::processEvents();
        } else {
            RichTextBox view;
            view.resize(900, 600);
            view.show();
            timer.start();
            view.loadFile(c.path, c.plain);
            view.document()->documentLayout()->documentSize();
            QApplication::processEvents();
        }
        out << c.name << ": " << timer.elapsed() << " ms\n";
        out.flush();
    }
    return 0;
}
