#include "photo/photoworkspace.h"
#include "platform/testsupport/fakedialogs.h"
#include "platform/testsupport/unwritablefolder.h"

#include <QBuffer>
#include <QClipboard>
#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <QLabel>
#include <QLoggingCategory>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtEndian>
#include <QtTest>

#include <memory>
#include <sys/stat.h>

namespace {

QImage twoColour(int width, int height)
{
    // Left half red, right half blue.
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, x < width / 2 ? qRgb(230, 10, 10) : qRgb(10, 10, 230));
    return image;
}

QByteArray encode(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.write(image);
    return bytes;
}

// The CRC-32 that closes every PNG chunk.
quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    }
    return ~crc;
}

// A PNG file that names the picture's size in its header chunk and holds no
// picture data: what a reader sees before it decodes anything.
QByteArray pngHead(quint32 width, quint32 height)
{
    char word[4];
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    const auto chunk = [&](const char *type, const QByteArray &data) {
        qToBigEndian(quint32(data.size()), word);
        png.append(word, 4);
        const QByteArray body = QByteArray(type) + data;
        png.append(body);
        qToBigEndian(crc32(body), word);
        png.append(word, 4);
    };
    QByteArray header;
    qToBigEndian(width, word);
    header.append(word, 4);
    qToBigEndian(height, word);
    header.append(word, 4);
    header.append("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, no interlace
    chunk("IHDR", header);
    chunk("IDAT", QByteArray());
    chunk("IEND", QByteArray());
    return png;
}

// A JPEG whose EXIF block carries the orientation tag (0x0112) with the value given.
QByteArray jpegWithOrientation(const QImage &image, quint16 orientation)
{
    QByteArray tiff("II*\0", 4);
    auto le16 = [&](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        tiff.append(b, 2);
    };
    auto le32 = [&](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        tiff.append(b, 4);
    };
    le32(8);      // the first directory follows the header
    le16(1);      // one entry
    le16(0x0112); // orientation
    le16(3);      // SHORT
    le32(1);      // one value
    le16(orientation);
    le16(0);
    le32(0); // no next directory
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment("\xFF\xE1", 2);
    char length[2];
    qToBigEndian(quint16(payload.size() + 2), length);
    segment.append(length, 2).append(payload);
    QByteArray jpeg = encode(image, "jpeg");
    return jpeg.left(2) + segment + jpeg.mid(2);
}

// The first value of the first quantisation table: 16 × the IJG quality scale.
int firstQuantisationValue(const QByteArray &jpeg)
{
    const int at = jpeg.indexOf(QByteArray("\xFF\xDB", 2));
    return at < 0 ? -1 : quint8(jpeg.at(at + 5));
}

int ijgFirstValueForQuality(int quality)
{
    const int scale = quality < 50 ? 5000 / quality : 200 - 2 * quality;
    return std::clamp((16 * scale + 50) / 100, 1, 255);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestPhotoWorkspace : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void openingSizesThePhoto_data();
    void openingSizesThePhoto();
    void portraitIsTallerThanWide();
    void aPictureFarTallerThanWideStaysDrawable();
    void openingReadsEveryCommonFormat_data();
    void openingReadsEveryCommonFormat();
    void exifOrientationIsApplied();
    void clickOnPhotoOrPromptOpens_data();
    void clickOnPhotoOrPromptOpens();
    void cancelledOpenKeepsThePhoto();
    void nonPictureFileChangesNothing();
    void hundredMegapixelPhotoOpens();
    void tooLargeSaysSo();
    void specialFilesRefusedAtOnce_data();
    void specialFilesRefusedAtOnce();
    void pasteTakesABitmap();
    void pasteTakesPngBytes();
    void pasteWithoutPictureChangesNothing();
    void saveWritesNaturalSizeAtQuality80();
    void saveWithoutPhotoAsksNothing();
    void cancelledSaveWritesNothing();
    void failedSaveKeepsOldFileAndSaysSo();
    void saveToAFullDiskSaysSo();
    void largePictureWorkKeepsTheWindowAlive();

private:
    void open(const QString &path);

    std::unique_ptr<QWidget> m_window;
    QLabel *m_image1 = nullptr;
    QLabel *m_label3 = nullptr;
    QLabel *m_image2 = nullptr;
    QPushButton *m_command3 = nullptr;
    QPushButton *m_command6 = nullptr;
    std::unique_ptr<PhotoWorkspace> m_workspace;
    std::unique_ptr<FakeDialogs> m_dialogs;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestPhotoWorkspace::init()
{
    m_dialogs = std::make_unique<FakeDialogs>();
    m_dir = std::make_unique<QTemporaryDir>();
    m_window = std::make_unique<QWidget>();
    m_window->resize(900, 700);
    m_image1 = new QLabel(m_window.get());
    m_image1->setScaledContents(true);
    m_image1->setGeometry(3, 24, 417, 607);
    m_label3 = new QLabel(QStringLiteral("Нажмите здесь чтобы вставить фотографию руки"), m_window.get());
    m_label3->setGeometry(56, 208, 273, 57);
    m_image2 = new QLabel(m_window.get());
    m_image2->hide();
    m_command3 = new QPushButton(m_window.get());
    m_command6 = new QPushButton(m_window.get());
    m_workspace = std::make_unique<PhotoWorkspace>(m_image1, m_label3, m_image2, m_command3, m_command6, m_window.get(),
                                                   *m_dialogs);
    m_window->show();
}

void TestPhotoWorkspace::cleanup()
{
    m_workspace.reset();
    m_window.reset();
    m_dialogs.reset();
    m_dir.reset();
}

void TestPhotoWorkspace::open(const QString &path)
{
    m_dialogs->fileNames << path;
    m_workspace->openPhoto();
}

void TestPhotoWorkspace::openingSizesThePhoto_data()
{
    QTest::addColumn<QSize>("natural");
    QTest::addColumn<QSizeF>("twips");
    QTest::newRow("800 × 600") << QSize(800, 600) << QSizeF(6255, 4691.25);
    QTest::newRow("square") << QSize(50, 50) << QSizeF(6255, 6255);
    QTest::newRow("1000 × 1") << QSize(1000, 1) << QSizeF(6255, 6.255);
}

void TestPhotoWorkspace::openingSizesThePhoto()
{
    QFETCH(QSize, natural);
    QFETCH(QSizeF, twips);
    const QString path = m_dir->filePath(QStringLiteral("palm.png"));
    QVERIFY(twoColour(natural.width(), natural.height()).save(path));
    open(path);
    QCOMPARE(m_dialogs->titles, QStringList{QStringLiteral("Open Image")});
    QCOMPARE(m_dialogs->filters, QStringList{QStringLiteral("Image files (*.*)|*.*")});
    QVERIFY(m_dialogs->messages.isEmpty());
    QCOMPARE(m_workspace->photoTwips(), twips);
    QCOMPARE(m_image1->size(), QSize(qRound(twips.width() / 15), int(std::nearbyint(twips.height() / 15))));
    QCOMPARE(m_image2->size(), natural);
    QVERIFY(m_label3->isHidden());
    QCOMPARE(m_workspace->photo().size(), natural);
}

void TestPhotoWorkspace::portraitIsTallerThanWide()
{
    const QString path = m_dir->filePath(QStringLiteral("palm.jpg"));
    QVERIFY(twoColour(600, 800).save(path));
    open(path);
    QCOMPARE(m_workspace->photoTwips().width(), 6255.0);
    QVERIFY(m_workspace->photoTwips().height() > m_workspace->photoTwips().width());
    QVERIFY(m_image1->height() > m_image1->width());
}

void TestPhotoWorkspace::aPictureFarTallerThanWideStaysDrawable()
{
    const QString path = m_dir->filePath(QStringLiteral("strip.png"));
    QVERIFY(twoColour(4, 4000).save(path));
    open(path);
    QCOMPARE(m_workspace->photoTwips(), QSizeF(6255, 6255000));
    QCOMPARE(m_image1->width(), 417);
    QCOMPARE(m_image1->height(), 32767);
    QVERIFY(!m_image1->grab(QRect(0, 0, 417, 100)).isNull());
}

void TestPhotoWorkspace::openingReadsEveryCommonFormat_data()
{
    QTest::addColumn<QByteArray>("format");
    for (const char *format : {"bmp", "jpeg", "png", "gif", "webp", "tiff"})
        QTest::newRow(format) << QByteArray(format);
}

void TestPhotoWorkspace::openingReadsEveryCommonFormat()
{
    QFETCH(QByteArray, format);
    // The extension is left off: the content decides, as with a camera's odd names.
    const QString path = m_dir->filePath(QStringLiteral("photo"));
    if (QImageWriter::supportedImageFormats().contains(format)) {
        writeFile(path, encode(twoColour(40, 30), format.constData()));
    } else {
        // Qt reads GIF but does not write it: a fixture made elsewhere.
        const QString fixture = QStringLiteral(PALMORA_TEST_DATA_DIR "/twocolour.") + QString::fromLatin1(format);
        QVERIFY2(QFile::copy(fixture, path), qPrintable(fixture));
    }
    open(path);
    QVERIFY(m_dialogs->messages.isEmpty());
    QCOMPARE(m_workspace->photo().size(), QSize(40, 30));
}

void TestPhotoWorkspace::exifOrientationIsApplied()
{
    // Stored 80 × 40, red on the left; orientation 6 turns it a quarter clockwise.
    const QString path = m_dir->filePath(QStringLiteral("phone.jpg"));
    writeFile(path, jpegWithOrientation(twoColour(80, 40), 6));
    open(path);
    const QImage photo = m_workspace->photo();
    QCOMPARE(photo.size(), QSize(40, 80));
    QVERIFY(m_workspace->photoTwips().height() > m_workspace->photoTwips().width());
    const QRgb top = photo.pixel(20, 5), bottom = photo.pixel(20, 75);
    QVERIFY(qRed(top) > 150 && qBlue(top) < 100);
    QVERIFY(qBlue(bottom) > 150 && qRed(bottom) < 100);
}

void TestPhotoWorkspace::clickOnPhotoOrPromptOpens_data()
{
    QTest::addColumn<bool>("onPrompt");
    QTest::newRow("Image1 (the photo)") << false;
    QTest::newRow("Label3 (the photo prompt)") << true;
}

void TestPhotoWorkspace::clickOnPhotoOrPromptOpens()
{
    QFETCH(bool, onPrompt);
    const QString path = m_dir->filePath(QStringLiteral("palm.bmp"));
    QVERIFY(twoColour(30, 20).save(path));
    m_dialogs->fileNames << path;
    QTest::mouseClick(onPrompt ? static_cast<QWidget *>(m_label3) : m_image1, Qt::LeftButton);
    QCOMPARE(m_dialogs->titles, QStringList{QStringLiteral("Open Image")});
    QVERIFY(m_workspace->hasPhoto());
    QVERIFY(m_label3->isHidden());
}

void TestPhotoWorkspace::cancelledOpenKeepsThePhoto()
{
    const QString path = m_dir->filePath(QStringLiteral("palm.png"));
    QVERIFY(twoColour(800, 600).save(path));
    open(path);
    open(QString());
    QCOMPARE(m_workspace->photo().size(), QSize(800, 600));
    QCOMPARE(m_workspace->photoTwips(), QSizeF(6255, 4691.25));
    QVERIFY(m_dialogs->messages.isEmpty());
}

void TestPhotoWorkspace::nonPictureFileChangesNothing()
{
    const QString notes = m_dir->filePath(QStringLiteral("notes.jpg"));
    writeFile(notes, "линия жизни, линия сердца");
    open(notes);
    QCOMPARE(m_dialogs->messages.size(), 1);
    QVERIFY(m_dialogs->messages.first().text.contains(QStringLiteral("notes.jpg")));
    QVERIFY(!m_workspace->hasPhoto());
    QVERIFY(!m_label3->isHidden());

    const QString path = m_dir->filePath(QStringLiteral("palm.png"));
    QVERIFY(twoColour(800, 600).save(path));
    open(path);
    open(notes);
    QCOMPARE(m_dialogs->messages.size(), 2);
    QCOMPARE(m_workspace->photo().size(), QSize(800, 600));
    QCOMPARE(m_workspace->photoTwips(), QSizeF(6255, 4691.25));
    QVERIFY(m_label3->isHidden());
}

// Today's phone cameras take photos of 50 to 108 megapixels.
void TestPhotoWorkspace::hundredMegapixelPhotoOpens()
{
    const QString path = m_dir->filePath(QStringLiteral("phone.jpg"));
    {
        QImage photo(10000, 10000, QImage::Format_RGB32);
        photo.fill(qRgb(200, 150, 120));
        QImageWriter writer(path, "jpeg");
        writer.setQuality(10);
        QVERIFY(writer.write(photo));
    }
    open(path);
    QVERIFY2(m_dialogs->messages.isEmpty(), qPrintable(m_dialogs->messages.value(0).text));
    QCOMPARE(m_workspace->photo().size(), QSize(10000, 10000));
    QCOMPARE(m_image1->size(), QSize(417, 417));
    // Shown from a copy of the size it is shown at.
    QCOMPARE(m_image1->pixmap().size(), QSize(417, 417));
}

void TestPhotoWorkspace::tooLargeSaysSo()
{
    const QString path = m_dir->filePath(QStringLiteral("panorama.png"));
    writeFile(path, pngHead(40000, 5000));
    open(path);
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].text,
             QStringLiteral("Фотография «panorama.png» слишком велика: 40000 × 5000 точек (200 мегапикселей). "
                            "Программа открывает фотографии до 128 мегапикселей; уменьшите её и откройте снова."));
    QVERIFY(!m_workspace->hasPhoto());
    QVERIFY(!m_label3->isHidden());
}

// Nothing to read a picture from: refused at once, never waited on.
void TestPhotoWorkspace::specialFilesRefusedAtOnce_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("named pipe") << QStringLiteral("fifo");
    QTest::newRow("folder") << QStringLiteral("folder");
    QTest::newRow("device") << QStringLiteral("device");
}

void TestPhotoWorkspace::specialFilesRefusedAtOnce()
{
    QFETCH(QString, kind);
    QString path = m_dir->filePath(QStringLiteral("palm.jpg"));
    if (kind == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == QLatin1String("folder"))
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("palm.jpg")));
    else
        path = QStringLiteral("/dev/zero");
    open(path);
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].text,
             QStringLiteral("«%1» — не файл с данными, а папка, канал или устройство. Выберите файл с фотографией.")
                 .arg(QFileInfo(path).fileName()));
    QVERIFY(!m_workspace->hasPhoto());
}

void TestPhotoWorkspace::pasteTakesABitmap()
{
    QGuiApplication::clipboard()->setImage(twoColour(600, 800));
    m_command3->click();
    QVERIFY(m_dialogs->messages.isEmpty());
    QCOMPARE(m_workspace->photo().size(), QSize(600, 800));
    QCOMPARE(m_workspace->photoTwips(), QSizeF(6255, 8340));
    QVERIFY(m_label3->isHidden());
}

void TestPhotoWorkspace::pasteTakesPngBytes()
{
    auto *data = new QMimeData;
    data->setData(QStringLiteral("text/html"), "<img src=\"palm.png\">");
    data->setData(QStringLiteral("image/png"), encode(twoColour(800, 600), "png"));
    QGuiApplication::clipboard()->setMimeData(data);
    m_command3->click();
    QVERIFY(m_dialogs->messages.isEmpty());
    QCOMPARE(m_workspace->photo().size(), QSize(800, 600));
    QCOMPARE(qRed(m_workspace->photo().pixel(0, 0)), 230);
}

void TestPhotoWorkspace::pasteWithoutPictureChangesNothing()
{
    QGuiApplication::clipboard()->setText(QStringLiteral("не картинка"));
    m_command3->click();
    QCOMPARE(m_dialogs->messages.size(), 1);
    QVERIFY(!m_workspace->hasPhoto());
    QVERIFY(!m_label3->isHidden());

    QGuiApplication::clipboard()->setImage(twoColour(800, 600));
    m_command3->click();
    QGuiApplication::clipboard()->clear();
    m_command3->click();
    QCOMPARE(m_dialogs->messages.size(), 2);
    QCOMPARE(m_workspace->photo().size(), QSize(800, 600));
    QVERIFY(m_label3->isHidden());
}

void TestPhotoWorkspace::saveWritesNaturalSizeAtQuality80()
{
    QGuiApplication::clipboard()->setImage(twoColour(320, 200));
    m_command3->click();
    const QString path = m_dir->filePath(QStringLiteral("palm"));
    m_dialogs->fileNames << path;
    m_command6->click();
    QCOMPARE(m_dialogs->titles, QStringList{QStringLiteral("Save Image")});
    QCOMPARE(m_dialogs->filters, QStringList{QStringLiteral("*.jpeg|*.jpg")});
    QVERIFY(m_dialogs->messages.isEmpty());
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("palm")});
    const QByteArray jpeg = readAll(path);
    QCOMPARE(QImage::fromData(jpeg, "JPEG").size(), QSize(320, 200));
    QCOMPARE(firstQuantisationValue(jpeg), ijgFirstValueForQuality(80));
}

void TestPhotoWorkspace::saveWithoutPhotoAsksNothing()
{
    m_dialogs->fileNames << m_dir->filePath(QStringLiteral("palm.jpg"));
    m_command6->click();
    QCOMPARE(m_dialogs->messages.size(), 1);
    QVERIFY(m_dialogs->titles.isEmpty());
    QVERIFY(QDir(m_dir->path()).entryList(QDir::Files).isEmpty());
}

void TestPhotoWorkspace::cancelledSaveWritesNothing()
{
    QGuiApplication::clipboard()->setImage(twoColour(32, 20));
    m_command3->click();
    m_command6->click();
    QCOMPARE(m_dialogs->titles, QStringList{QStringLiteral("Save Image")});
    QVERIFY(m_dialogs->messages.isEmpty());
    QVERIFY(QDir(m_dir->path()).entryList(QDir::Files).isEmpty());
}

void TestPhotoWorkspace::failedSaveKeepsOldFileAndSaysSo()
{
    const QString folder = m_dir->filePath(QStringLiteral("photos"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/palm.jpg");
    const QByteArray old("the user's old picture");
    writeFile(path, old);
    // Neither a temporary file beside it nor a write in place is allowed.
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    QGuiApplication::clipboard()->setImage(twoColour(32, 20));
    m_command3->click();
    m_dialogs->fileNames << path;
    // The reason is logged too, for whoever turns the photo log on.
    QLoggingCategory::setFilterRules(QStringLiteral("palmora.photo.info=true"));
    QTest::ignoreMessage(
        QtInfoMsg,
        QStringLiteral("photo not saved to %1 - Файл «%1» доступен только для чтения.").arg(path).toUtf8().constData());
    {
        UnwritableFolder unwritable(folder);
        QVERIFY(unwritable.isEffective());
        m_command6->click();
    }
    QLoggingCategory::setFilterRules(QString());
    QCOMPARE(m_dialogs->messages.size(), 1);
    // The export's own words, and the reason beneath them.
    QCOMPARE(m_dialogs->messages.first().text,
             QStringLiteral("Failed to save picture.\n\nФайл «%1» доступен только для чтения.")
                 .arg(QDir::toNativeSeparators(path)));
    QCOMPARE(readAll(path), old);
}

void TestPhotoWorkspace::saveToAFullDiskSaysSo()
{
    if (!QFileInfo(QStringLiteral("/dev/full")).isWritable())
        QSKIP("/dev/full cannot be written here");
    QGuiApplication::clipboard()->setImage(twoColour(32, 20));
    m_command3->click();
    m_dialogs->fileNames << QStringLiteral("/dev/full");
    m_command6->click();
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages.first().text,
             QStringLiteral("Failed to save picture.\n\nНа диске не хватает места для файла «/dev/full»."));
}

// The window keeps painting while a large picture is read and saved, and the
// user is shown that the program is busy.
void TestPhotoWorkspace::largePictureWorkKeepsTheWindowAlive()
{
    const QString path = m_dir->filePath(QStringLiteral("large.png"));
    {
        QImage photo(4000, 3000, QImage::Format_RGB32);
        photo.fill(qRgb(200, 150, 120));
        QVERIFY(photo.save(path));
    }
    QList<bool> busy;
    connect(m_workspace.get(), &PhotoWorkspace::busyChanged, this, [&](bool on) {
        busy << on;
        if (on)
            QCOMPARE(QGuiApplication::overrideCursor() ? QGuiApplication::overrideCursor()->shape() : Qt::ArrowCursor,
                     Qt::WaitCursor);
    });
    int ticks = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, this, [&] { ++ticks; });
    timer.start(10);
    open(path);
    m_dialogs->fileNames << m_dir->filePath(QStringLiteral("large.jpg"));
    m_command6->click();
    timer.stop();
    QVERIFY(m_dialogs->messages.isEmpty());
    QCOMPARE(busy, (QList<bool>{true, false, true, false}));
    QVERIFY(!QGuiApplication::overrideCursor());
    // The event loop ran while the work went on.
    QVERIFY(ticks > 0);
    QCOMPARE(QImage(m_dir->filePath(QStringLiteral("large.jpg"))).size(), QSize(4000, 3000));
}

QTEST_MAIN(TestPhotoWorkspace)
#include "tst_photoworkspace.moc"
