#include "photo/cdibsection.h"
#include "photo/minteljpeglibrary.h"
#include "photo/raisederror.h"
#include "platform/testsupport/faildevice.h"
#include "platform/testsupport/filesizelimit.h"
#include "platform/testsupport/unwritablefolder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cstdlib>

namespace {

// Smooth enough for JPEG to keep close: a reddish top, a bluish bottom, a gentle green ramp.
QImage sample(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool top = y < height / 2;
            image.setPixel(x, y, qRgb(top ? 200 : 60, std::min(60 + 3 * x, 255), top ? 60 : 200));
        }
    return image;
}

double meanDifference(const QImage &a, const QImage &b)
{
    qint64 total = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            total += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return double(total) / (3.0 * a.width() * a.height());
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestJpegExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void savedJpegDecodesCloseToSource_data();
    void savedJpegDecodesCloseToSource();
    void fileNameIsUsedAsGiven();
    void savingOverAFileKeepsItsTimesAndPermissions();
    void encoderFailureLeavesOldFile();
    void emptyBufferIsAnEncoderFailure();
    void readOnlyFolderKeepsOrOverwritesByTheFilesOwnRights_data();
    void readOnlyFolderKeepsOrOverwritesByTheFilesOwnRights();
    void diskFullHalfWayKeepsTheOldPicture();
    void readOnlyPictureIsKeptWithItsMode_data();
    void readOnlyPictureIsKeptWithItsMode();
    void diskFullInPlaceKeepsTheOldPicture();
};

void TestJpegExport::savedJpegDecodesCloseToSource_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("5 wide, 1 filler byte") << 5 << 16;
    QTest::newRow("4 wide, no filler") << 4 << 16;
    QTest::newRow("odd size") << 67 << 41;
    QTest::newRow("landscape") << 320 << 200;
}

void TestJpegExport::savedJpegDecodesCloseToSource()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("palm.jpg"));
    const QImage source = sample(width, height);
    cDIBSection dib;
    dib.CreateFromPicture(source);
    QVERIFY(mIntelJPEGLibrary::SaveJpegFile(dib, path, 80));

    QImage decoded(path, "JPEG");
    QVERIFY(!decoded.isNull());
    QCOMPARE(decoded.size(), source.size());
    decoded = decoded.convertToFormat(QImage::Format_RGB32);
    QVERIFY2(meanDifference(source, decoded) < 12, qPrintable(QString::number(meanDifference(source, decoded))));
    // Upright: the red half is still at the top.
    QVERIFY(qRed(decoded.pixel(width / 2, 0)) > qBlue(decoded.pixel(width / 2, 0)));
    QVERIFY(qBlue(decoded.pixel(width / 2, height - 1)) > qRed(decoded.pixel(width / 2, height - 1)));
}

void TestJpegExport::fileNameIsUsedAsGiven()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ладонь"));
    cDIBSection dib;
    dib.CreateFromPicture(sample(8, 8));
    QVERIFY(mIntelJPEGLibrary::SaveJpegFile(dib, path, 80));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("ладонь")});
    QVERIFY(readAll(path).startsWith("\xFF\xD8"));
}

void TestJpegExport::savingOverAFileKeepsItsTimesAndPermissions()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("palm.jpg"));
    writeFile(path, "old picture");
    const QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    const QDateTime modified(QDate(2020, 1, 2), QTime(3, 4, 5), Qt::UTC);
    const QDateTime accessed(QDate(2021, 6, 7), QTime(8, 9, 10), Qt::UTC);
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(modified, QFileDevice::FileModificationTime));
        QVERIFY(file.setFileTime(accessed, QFileDevice::FileAccessTime));
    }
    QVERIFY(QFile::setPermissions(path, permissions));

    cDIBSection dib;
    dib.CreateFromPicture(sample(16, 16));
    QVERIFY(mIntelJPEGLibrary::SaveJpegFile(dib, path, 80));

    const QFileInfo info(path);
    QCOMPARE(info.lastModified().toUTC(), modified);
    QCOMPARE(info.lastRead().toUTC(), accessed);
    QCOMPARE(info.permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser), permissions);
    QCOMPARE(QImage(path, "JPEG").size(), QSize(16, 16));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("palm.jpg")});
}

void TestJpegExport::encoderFailureLeavesOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("palm.jpg"));
    const QByteArray old("the user's old picture");
    writeFile(path, old);
    cDIBSection dib;
    dib.CreateFromPicture(sample(8, 8));
    try {
        // The encoder takes qualities 1 to 100 only.
        mIntelJPEGLibrary::SaveJpegFile(dib, path, 101);
        QFAIL("the encoder's failure was not raised");
    } catch (const RaisedError &error) {
        QCOMPARE(error.number(), 26001);
        QVERIFY(error.source().endsWith(QStringLiteral(".mIntelJPEGLibrary")));
        QVERIFY(error.description().startsWith(QStringLiteral("Failed to save to JPG ")));
    }
    QCOMPARE(readAll(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("palm.jpg")});
}

void TestJpegExport::emptyBufferIsAnEncoderFailure()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("palm.jpg"));
    cDIBSection dib;
    QVERIFY_THROWS_EXCEPTION(RaisedError, mIntelJPEGLibrary::SaveJpegFile(dib, path, 80));
    QVERIFY(!QFile::exists(path));
}

void TestJpegExport::readOnlyFolderKeepsOrOverwritesByTheFilesOwnRights_data()
{
    QTest::addColumn<bool>("fileWritable");
    QTest::newRow("writable file: overwritten in place") << true;
    QTest::newRow("read-only file: kept, error raised") << false;
}

void TestJpegExport::readOnlyFolderKeepsOrOverwritesByTheFilesOwnRights()
{
    QFETCH(bool, fileWritable);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("photos"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/palm.jpg");
    const QByteArray old("the user's old picture");
    writeFile(path, old);
    if (!fileWritable)
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    cDIBSection dib;
    dib.CreateFromPicture(sample(8, 8));
    {
        UnwritableFolder unwritable(folder);
        QVERIFY(unwritable.isEffective());
        if (fileWritable)
            QVERIFY(mIntelJPEGLibrary::SaveJpegFile(dib, path, 80));
        else
            QVERIFY_THROWS_EXCEPTION(RaisedError, mIntelJPEGLibrary::SaveJpegFile(dib, path, 80));
    }
    if (fileWritable)
        QVERIFY(readAll(path).startsWith("\xFF\xD8"));
    else
        QCOMPARE(readAll(path), old);
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("palm.jpg")});
}

void TestJpegExport::diskFullHalfWayKeepsTheOldPicture()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("palm.jpg"));
    const QByteArray old("the user's old picture");
    writeFile(path, old);
    cDIBSection dib;
    dib.CreateFromPicture(sample(64, 64));
    QVERIFY_THROWS_EXCEPTION(RaisedError, mIntelJPEGLibrary::SaveJpegFile(dib, path, 80, failingSafeFile(100)));
    QCOMPARE(readAll(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("palm.jpg")});
}

void TestJpegExport::readOnlyPictureIsKeptWithItsMode_data()
{
    QTest::addColumn<int>("permissions");
    QTest::newRow("read by all") << int(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    QTest::newRow("read by the owner") << int(QFile::ReadOwner);
}

// In a folder that may be written, and whoever runs the program (root could write the file).
void TestJpegExport::readOnlyPictureIsKeptWithItsMode()
{
    QFETCH(int, permissions);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("palm.jpg"));
    const QByteArray old("the user's old picture");
    writeFile(path, old);
    QVERIFY(QFile::setPermissions(path, QFile::Permissions(permissions)));
    cDIBSection dib;
    dib.CreateFromPicture(sample(8, 8));
    QVERIFY_THROWS_EXCEPTION(RaisedError, mIntelJPEGLibrary::SaveJpegFile(dib, path, 80));
    QCOMPARE(readAll(path), old);
    const QFile::Permissions modeBits = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
        | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    QCOMPARE(int(QFileInfo(path).permissions() & modeBits), permissions);
}

// The folder cannot be written, so the picture is written in place, and the disk fills.
void TestJpegExport::diskFullInPlaceKeepsTheOldPicture()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("palm.jpg"));
    const QByteArray old("the user's old picture");
    writeFile(path, old);
    cDIBSection dib;
    dib.CreateFromPicture(sample(256, 256));
    {
        UnwritableFolder unwritable(dir.path());
        QVERIFY(unwritable.isEffective());
        // Room for the old picture, not for a JPEG header.
        FileSizeLimit disk(200);
        QVERIFY(disk.isEffective());
        QVERIFY_THROWS_EXCEPTION(RaisedError, mIntelJPEGLibrary::SaveJpegFile(dib, path, 80));
    }
    QCOMPARE(readAll(path), old);
}

QTEST_MAIN(TestJpegExport)
#include "tst_jpegexport.moc"
