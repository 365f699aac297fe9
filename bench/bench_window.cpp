// Times a search from the main window over a knowledge base, and the opening
// of an article with 10,000 found places.
//   bench_window DATA_PARENT_DIR [QUERY]
// DATA_PARENT_DIR holds the Data folder (bench/generate_kb.py writes one).
#include "app/form1.h"
#include "controls/xpb.h"
#include "platform/installation.h"
#include "platform/testsupport/fakedialogs.h"
#include "platform/testsupport/namedcontrol.h"
#include "platform/textcodec.h"
#include "platform/widgets/xtab.h"
#include "search/ui/articleview.h"
#include "search/ui/searchpanel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <cstdio>

namespace {

double searchMs(Form1 &window, const QString &query, int *matches)
{
    QEventLoop loop;
    QObject::connect(window.searchPanel(), &SearchPanel::finished, &loop, &QEventLoop::quit);
    namedControl<QPlainTextEdit>(window, "Text2")->setPlainText(query);
    QElapsedTimer timer;
    timer.start();
    namedControl<XpB>(window, "Command2")->click();
    loop.exec();
    *matches = namedControl<QListWidget>(window, "List1")->count();
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_window DATA_PARENT_DIR [QUERY]\n");
        return 2;
    }
    const QString query = argc > 2 ? QString::fromUtf8(argv[2]) : QStringLiteral("линия жизни");
    FakeDialogs dialogs;

    {
        Form1 window(Installation(QString::fromLocal8Bit(argv[1])), dialogs);
        window.load();
        window.show();
        namedControl<XTab>(window, "XTab1")->setCurrentTab(Form1::tabPhotoAndSearch);
        int matches = 0;
        double best = 1e300;
        for (int run = 0; run < 3; ++run)
            best = std::min(best, searchMs(window, query, &matches));
        std::printf("window search «%s»: %d matches, best of 3: %.0f ms\n", query.toUtf8().constData(), matches, best);
    }

    // An article with 10,000 clusters of the two words.
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("Data"));
    QFile article(dir.path() + QStringLiteral("/Data/places.txt"));
    article.open(QIODevice::WriteOnly);
    QString text;
    for (int i = 0; i < 10000; ++i)
        text += QStringLiteral("Линия жизни у него была длинная.\r\n");
    article.write(TextCodec::toCp1251(text));
    article.close();
    Form1 window(Installation(dir.path()), dialogs);
    window.load();
    window.show();
    namedControl<XTab>(window, "XTab1")->setCurrentTab(Form1::tabPhotoAndSearch);
    int matches = 0;
    searchMs(window, QStringLiteral("линия жизни"), &matches);
    double best = 1e300;
    for (int run = 0; run < 5; ++run) {
        window.articleView()->Command1_Click();
        namedControl<QListWidget>(window, "List1")->setCurrentRow(0);
        QElapsedTimer timer;
        timer.start();
        window.articleView()->open();
        // Until the window has laid out and painted what was opened.
        QCoreApplication::processEvents();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    std::printf("article with %lld found places opens in %.1f ms (best of 5)\n",
                static_cast<long long>(window.articleView()->Jump_Pos().size()), best);
    return 0;
}
