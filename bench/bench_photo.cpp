// Measures the palm photo's work:
//  - saving a 12-megapixel photo (4000 × 3000): filling the bitmap buffer
//    from the picture, then the JPEG export at quality 80;
//  - the photo workspace with a 100-megapixel photo (10000 × 10000): opening
//    it from a JPEG file, pasting it from the clipboard and saving it, each
//    with the time it takes, the longest the user-interface thread went
//    without turning its event loop, and the process's peak resident size.
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include "bench/benchtiming.h"
#include "photo/cdibsection.h"
#include "photo/minteljpeglibrary.h"
#include "photo/photoworkspace.h"
#include "platform/testsupport/fakedialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <random>

namespace {

// Photo-like content: smooth gradients with a little sensor noise.
QImage makePhoto(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    std::mt19937 generator(12345);
    std::uniform_int_distribution<int> noise(-6, 6);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int r = 150 + 80 * x / width + noise(generator);
            const int g = 110 + 60 * y / height + noise(generator);
            const int b = 90 + 40 * (x + y) / (width + height) + noise(generator);
            line[x] = qRgb(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255));
        }
    }
    return image;
}

qint64 statusField(const char *name)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(name))
            return line.mid(qstrlen(name)).trimmed().split(' ').value(0).toLongLong() / 1024;
    }
    return -1;
}

struct Figures
{
    double ms = 0;
    double longestStallMs = 0;
    qint64 peakMb = -1;
    qint64 beforeMb = -1;
};

// Runs one step of the workspace while a timer notes how long the event loop
// goes without a turn.
Figures measure(const std::function<void()> &step)
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
    clear.close();
    const qint64 before = statusField("VmRSS:");
    QElapsedTimer sinceTurn;
    double longest = 0;
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        longest = std::max(longest, sinceTurn.nsecsElapsed() / 1e6);
        sinceTurn.restart();
    });
    QElapsedTimer whole;
    whole.start();
    sinceTurn.start();
    timer.start();
    step();
    // The stall that ends with the step counts too.
    longest = std::max(longest, sinceTurn.nsecsElapsed() / 1e6);
    timer.stop();
    return {whole.nsecsElapsed() / 1e6, longest, statusField("VmHWM:"), before};
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;

    {
        const QImage photo = makePhoto(4000, 3000);
        const QString path = dir.filePath(QStringLiteral("palm.jpg"));
        constexpr int runs = 5;
        cDIBSection dib;
        const double fill = bestMilliseconds(runs, [&] { dib.CreateFromPicture(photo); });
        const double encode = bestMilliseconds(runs, [&] { mIntelJPEGLibrary::SaveJpegFile(dib, path, 80); });
        const double whole = bestMilliseconds(runs, [&] {
            cDIBSection buffer;
            buffer.CreateFromPicture(photo);
            mIntelJPEGLibrary::SaveJpegFile(buffer, path, 80);
        });
        out << "12-megapixel photo (4000 x 3000), best of " << runs << " runs\n"
            << "  bitmap buffer from the picture: " << fill << " ms\n"
            << "  JPEG export at quality 80:      " << encode << " ms (" << QFileInfo(path).size() / 1024 << " KB)\n"
            << "  whole save:                     " << whole << " ms\n";
        out.flush();
    }

    // The workspace, as the main window holds it.
    FakeDialogs dialogs;
    QWidget window;
    auto *image1 = new QLabel(&window);
    image1->setScaledContents(true);
    image1->setGeometry(3, 24, 417, 607);
    auto *label3 = new QLabel(&window);
    auto *image2 = new QLabel(&window);
    image2->hide();
    auto *command3 = new QPushButton(&window);
    auto *command6 = new QPushButton(&window);
    PhotoWorkspace workspace(image1, label3, image2, command3, command6, &window, dialogs);
    window.show();

    const QString large = dir.filePath(QStringLiteral("phone.jpg"));
    {
        QImageWriter writer(large, "jpeg");
        writer.setQuality(90);
        writer.write(makePhoto(10000, 10000));
    }
    out << "100-megapixel photo (10000 x 10000): time, longest stall of the event loop, peak resident size\n";
    const auto report = [&](const char *what, const Figures &f) {
        out << "  " << what << qSetFieldWidth(8) << qRound(f.ms) << qSetFieldWidth(0) << " ms, stall "
            << qSetFieldWidth(6) << qRound(f.longestStallMs) << qSetFieldWidth(0) << " ms, peak " << f.peakMb << " MB ("
            << f.beforeMb << " MB before)\n";
        out.flush();
    };
    dialogs.fileNames << large;
    report("open JPEG: ", measure([&] { workspace.openPhoto(); }));
    dialogs.fileNames << dir.filePath(QStringLiteral("saved.jpg"));
    report("save JPEG: ", measure([&] { workspace.savePhoto(); }));
    {
        QImage pasted = makePhoto(10000, 10000);
        QGuiApplication::clipboard()->setImage(pasted);
    }
    workspace.openPhoto(); // no file queued: a cancelled dialog, the photo stays
    report("paste:     ", measure([&] { workspace.pastePhoto(); }));
    // The clipboard of another program holds its own copy, not this one.
    QGuiApplication::clipboard()->clear();
    dialogs.fileNames << dir.filePath(QStringLiteral("saved2.jpg"));
    report("save paste:", measure([&] { workspace.savePhoto(); }));
    if (!dialogs.messages.isEmpty())
        out << "messages: " << dialogs.messages.first().text << "\n";
    return 0;
}
