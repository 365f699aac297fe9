#include "photo/photoworkspace.h"

#include "layout/formlayout.h"
#include "photo/cdibsection.h"
#include "photo/minteljpeglibrary.h"
#include "photo/picturereader.h"
#include "photo/raisederror.h"
#include "platform/twips.h"
#include "platform/widgets/dialogs.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>

#include <algorithm>

double PhotoWorkspace::photoWidthTwips()
{
    return FormLayout::form1().twips(u"Image1").width();
}

PhotoWorkspace::PhotoWorkspace(QLabel *image1, QLabel *label3, QLabel *image2, QAbstractButton *command3,
                               QAbstractButton *command6, QWidget *dialogParent)
    : m_image1(image1)
    , m_label3(label3)
    , m_image2(image2)
    , m_dialogParent(dialogParent)
{
    m_image1->installEventFilter(this);
    m_label3->installEventFilter(this);
    connect(command3, &QAbstractButton::clicked, this, &PhotoWorkspace::pastePhoto);
    connect(command6, &QAbstractButton::clicked, this, &PhotoWorkspace::savePhoto);
}

// The controls may go before the workspace; Qt drops the filters of a deleted object.
PhotoWorkspace::~PhotoWorkspace() = default;

bool PhotoWorkspace::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_image1 || watched == m_label3) && event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        auto *widget = static_cast<QWidget *>(watched);
        // A click: the button went up over the control it went down on.
        if (mouse->button() == Qt::LeftButton && widget->rect().contains(mouse->position().toPoint())) {
            openPhoto();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void PhotoWorkspace::openPhoto()
{
    const bool promptWasVisible = !m_label3->isHidden();
    m_label3->hide();
    const QString fileName = Dialogs::instance().openFileName(m_dialogParent, QStringLiteral("Open Image"),
                                                              QStringLiteral("Image files (*.*)|*.*"));
    if (fileName.isEmpty())
        return;
    PictureReader::Problem problem = PictureReader::Problem::None;
    QSize size;
    const QImage picture = PictureReader::fromFile(fileName, &problem, &size);
    if (picture.isNull()) {
        m_label3->setVisible(promptWasVisible);
        const QString name = QFileInfo(fileName).fileName();
        QString text;
        switch (problem) {
        case PictureReader::Problem::TooLarge:
            text = QStringLiteral("Фотография «%1» слишком велика: %2 × %3 точек (%4 мегапикселей). "
                                  "Программа открывает фотографии до %5 мегапикселей; уменьшите её и откройте снова.")
                       .arg(name)
                       .arg(size.width())
                       .arg(size.height())
                       .arg(qRound64(qint64(size.width()) * size.height() / 1e6))
                       .arg(PictureReader::maxPixels / 1'000'000);
            break;
        case PictureReader::Problem::NotAFile:
            text =
                QStringLiteral("«%1» — не файл с данными, а папка, канал или устройство. Выберите файл с фотографией.")
                    .arg(name);
            break;
        default:
            text = QStringLiteral("Файл «%1» не удалось открыть как изображение. Выберите фотографию "
                                  "в формате JPEG, PNG, BMP или GIF.")
                       .arg(name);
            break;
        }
        Dialogs::instance().message(m_dialogParent, text, Dialogs::Icon::Warning);
        return;
    }
    place(picture);
}

void PhotoWorkspace::pastePhoto()
{
    const QImage picture = PictureReader::fromClipboard(QGuiApplication::clipboard()->mimeData());
    if (picture.isNull()) {
        Dialogs::instance().message(
            m_dialogParent,
            QStringLiteral("В буфере обмена нет изображения. Скопируйте фотографию и нажмите кнопку ещё раз."),
            Dialogs::Icon::Information);
        return;
    }
    place(picture);
}

void PhotoWorkspace::savePhoto()
{
    if (!hasPhoto()) {
        Dialogs::instance().message(m_dialogParent, QStringLiteral("Фотография ещё не вставлена: сохранять нечего."),
                                    Dialogs::Icon::Information);
        return;
    }
    const QString fileName =
        Dialogs::instance().saveFileName(m_dialogParent, QStringLiteral("Save Image"), QStringLiteral("*.jpeg|*.jpg"));
    if (fileName.isEmpty())
        return;
    bool saved = false;
    {
        cDIBSection buffer;
        buffer.CreateFromPicture(m_photo);
        // A failure the export raises is a failed save too; the user must not take it for done.
        try {
            saved = mIntelJPEGLibrary::SaveJpegFile(buffer, fileName, jpegQuality);
        } catch (const RaisedError &) {
            saved = false;
        }
        buffer.ClearUp();
    }
    if (!saved)
        Dialogs::instance().message(m_dialogParent, QStringLiteral("Failed to save picture."), Dialogs::Icon::None);
}

void PhotoWorkspace::place(const QImage &picture)
{
    // The probe takes the picture's natural size; the photo keeps its width
    // and takes its height from the probe's proportions.
    m_image2->resize(picture.size());
    const double naturalWidth = m_image2->width();
    const double naturalHeight = m_image2->height();
    const double width = photoWidthTwips();
    m_twips = QSizeF(width, width * naturalHeight / naturalWidth);
    // No window system draws a widget past 32767 pixels, and the label would
    // scale a picture far taller than wide to gigabytes: the shown height stops there.
    constexpr double maxPixels = 32767;
    m_image1->resize(Twips::toPixels(std::min(m_twips.width(), maxPixels * Twips::perPixel)),
                     Twips::toPixels(std::min(m_twips.height(), maxPixels * Twips::perPixel)));
    // A photo of a hundred megapixels is shown from a copy of the size it is
    // shown at, not from a second full-size copy scaled at every paint.
    const QSize shown = m_image1->size() * m_image1->devicePixelRatioF();
    const bool larger = qint64(picture.width()) * picture.height() > qint64(shown.width()) * shown.height();
    const QPixmap pixmap =
        QPixmap::fromImage(larger ? picture.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation) : picture);
    m_image2->setPixmap(pixmap);
    m_image2->resize(picture.size());
    m_image1->setPixmap(pixmap);
    m_photo = picture;
    m_label3->hide();
}
