// Under the address sanitizer, a library that Qt loads at run time must not keep
// thread-local data: glibc gives such data a heap block per thread, and the leak
// checker that comes with the compiler can mistake the allocator's header before
// that block for a glibc header, scan a bogus range of gigabytes and crash at exit.
// The sanitizer build links those libraries with the program instead (see the
// top-level CMakeLists.txt); this test names any library that slipped through.
#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QSet>
#include <QTest>
#include <QThreadPool>

#include <elf.h>
#include <link.h>

namespace {

QSet<QByteArray> &loadedAtStart()
{
    static QSet<QByteArray> names;
    return names;
}

bool keepsThreadData(const dl_phdr_info *info)
{
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        if (info->dlpi_phdr[i].p_type == PT_TLS && info->dlpi_phdr[i].p_memsz > 0)
            return true;
    }
    return false;
}

QSet<QByteArray> loadedNow(bool withThreadDataOnly)
{
    QSet<QByteArray> names;
    struct Collect
    {
        QSet<QByteArray> *names;
        bool withThreadDataOnly;
    } collect{&names, withThreadDataOnly};
    dl_iterate_phdr(
        [](dl_phdr_info *info, size_t, void *data) {
            auto *c = static_cast<Collect *>(data);
            if (!c->withThreadDataOnly || keepsThreadData(info))
                c->names->insert(QByteArray(info->dlpi_name));
            return 0;
        },
        &collect);
    return names;
}

QByteArray jpegBytes()
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "jpeg").write(image);
    return bytes;
}

} // namespace

class TestRuntimeLibraries : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void libraryLoadedLaterKeepsNoThreadData()
    {
#ifndef __SANITIZE_ADDRESS__
        QSKIP("only the sanitizer build links these libraries with the program");
#endif
        // What the program's windows load: the platform plugin (already in), every
        // image format plugin probing an unknown picture, and a JPEG read on
        // the main thread and on a worker, as photos are.
        QByteArray unknown(256, '\x7f');
        QBuffer probe(&unknown);
        probe.open(QIODevice::ReadOnly);
        QImageReader(&probe).read();

        const QByteArray jpeg = jpegBytes();
        QVERIFY(!QImage::fromData(jpeg, "JPEG").isNull());
        bool readOnWorker = false;
        QThreadPool::globalInstance()->start([&] { readOnWorker = !QImage::fromData(jpeg, "JPEG").isNull(); });
        QThreadPool::globalInstance()->waitForDone();
        QVERIFY(readOnWorker);

        QStringList loadedLater;
        for (const QByteArray &name : loadedNow(true)) {
            if (!loadedAtStart().contains(name))
                loadedLater << QString::fromLocal8Bit(name);
        }
        QVERIFY2(loadedLater.isEmpty(),
                 qPrintable(QStringLiteral("link with the program under the sanitizer: ") + loadedLater.join(u' ')));
    }
};

int main(int argc, char **argv)
{
    loadedAtStart() = loadedNow(false);
    QApplication app(argc, argv);
    TestRuntimeLibraries test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_runtimelibraries.moc"
