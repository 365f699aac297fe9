#include "photo/photoworkspace.h"

#include "layout/formlayout.h"
#include "photo/busywork.h"
#include "photo/cdibsection.h"
#include "photo/minteljpeglibrary.h"
#include "photo/photolog.h"
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

namespace {

// The size a picture of this natural size is shown at, in pixels.
QSize shownSize(QSize natural)
{
    if (natural.isEmpty())
        return QSize();
    const double width = PhotoWorkspace::photoWidthTwips();
    const double height = width * natural.height() / natural.width();
    // No window system draws a widget past 32767 pixels, and the label would
    // scale a picture far taller than wide to gigabytes: the shown height stops there.
    constexpr double maxPixels = 32767;
    return QSize(Twips::toPixels(std::min(width, maxPixels * Twips::perPixel)),
                 Twips::toPixels(std::min(height, maxPixels * Twips::perPixel)));
}

} // namespace

double PhotoWorkspace::photoWidthTwips()
{
    return FormLayout::form1().twips(u"Image1").width();
}

PhotoWorkspace::PhotoWorkspace(QLabel *image1, QLabel *label3, QLabel *image2, QAbstractButton *command3,
                               QAbstractButton *command6, QWidget *dialogParent, Dialogs &dialogs)
    : m_image1(image1)
    , m_label3(label3)
    , m_image2(image2)
    , m_dialogParent(dialogParent)
    , m_dialogs(dialogs)
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

template <class Work>
auto PhotoWorkspace::whileBusy(Work work)
{
    m_busy = true;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    Q_EMIT busyChanged(true);
    auto result = BusyWork::run(std::move(work));
    QGuiApplication::restoreOverrideCursor();
    m_busy = false;
    Q_EMIT busyChanged(false);
    return result;
}

void PhotoWorkspace::openPhoto()
{
    if (m_busy)
        return;
    const bool promptWasVisible = !m_label3->isHidden();
    m_label3->hide();
    const QString fileName =
        m_dialogs.openFileName(m_dialogParent, QStringLiteral("Open Image"), QStringLiteral("Image files (*.*)|*.*"));
    if (fileName.isEmpty())
        return;
    struct Opened
    {
        Placed placed;
        PictureReader::Problem problem = PictureReader::Problem::None;
        QSize size;
    };
    const double ratio = m_image1->devicePixelRatioF();
    const auto opened = whileBusy([fileName, ratio] {
        Opened result;
        QImage picture = PictureReader::fromFile(fileName, &result.problem, &result.size);
        const QSize natural = picture.size();
        if (!picture.isNull())
            result.placed = prepare(std::move(picture), shownSize(natural) * ratio);
        return result;
    });
    if (!opened)
        return;
    const QImage &picture = opened->placed.picture;
    const PictureReader::Problem problem = opened->problem;
    const QSize size = opened->size;
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
        m_dialogs.message(m_dialogParent, text, Dialogs::Icon::Warning);
        return;
    }
    place(opened->placed);
}

void PhotoWorkspace::pastePhoto()
{
    if (m_busy)
        return;
    // The clipboard is asked here; decoding what it holds is the long part.
    const PictureReader::Offer offer = PictureReader::offer(QGuiApplication::clipboard()->mimeData());
    const double ratio = m_image1->devicePixelRatioF();
    const auto pasted = whileBusy([offer, ratio] {
        QImage picture = PictureReader::decode(offer);
        const QSize natural = picture.size();
        return picture.isNull() ? Placed() : prepare(std::move(picture), shownSize(natural) * ratio);
    });
    if (!pasted)
        return;
    if (pasted->picture.isNull()) {
        m_dialogs.message(
            m_dialogParent,
            QStringLiteral("В буфере обмена нет изображения. Скопируйте фотографию и нажмите кнопку ещё раз."),
            Dialogs::Icon::Information);
        return;
    }
    place(*pasted);
}

void PhotoWorkspace::savePhoto()
{
    if (m_busy)
        return;
    if (!hasPhoto()) {
        m_dialogs.message(m_dialogParent, QStringLiteral("Фотография ещё не вставлена: сохранять нечего."),
                          Dialogs::Icon::Information);
        return;
    }
    const QString fileName =
        m_dialogs.saveFileName(m_dialogParent, QStringLiteral("Save Image"), QStringLiteral("*.jpeg|*.jpg"));
    if (fileName.isEmpty())
        return;
    struct Saved
    {
        bool saved = false;
        QString reason;
    };
    const QImage photo = m_photo;
    const auto outcome = whileBusy([photo, fileName] {
        Saved result;
        cDIBSection buffer;
        buffer.CreateFromPicture(photo);
        // A failure the export raises is a failed save too; the user must not take it for done.
        try {
            result.saved = mIntelJPEGLibrary::SaveJpegFile(buffer, fileName, jpegQuality);
        } catch (const RaisedError &error) {
            result.reason = error.reason();
        }
        buffer.ClearUp();
        return result;
    });
    if (outcome && !outcome->saved) {
        qCInfo(lcPhoto).noquote() << "photo not saved to" << fileName << "-"
                                  << (outcome->reason.isEmpty() ? QStringLiteral("the export failed")
                                                                : outcome->reason);
        QString text = QStringLiteral("Failed to save picture.");
        if (!outcome->reason.isEmpty())
            text += QStringLiteral("\n\n") + outcome->reason;
        m_dialogs.message(m_dialogParent, text, Dialogs::Icon::None);
    }
}

PhotoWorkspace::Placed PhotoWorkspace::prepare(QImage picture, QSize shown)
{
    Placed placed;
    // A photo of a hundred megapixels is shown from a copy of the size it is
    // shown at, not from a second full-size copy scaled at every paint. It is
    // scaled before it is made compact: Qt scales four bytes a pixel fastest.
    const bool larger = qint64(picture.width()) * picture.height() > qint64(shown.width()) * shown.height();
    if (larger)
        placed.shown = picture.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    placed.picture = PictureReader::compact(std::move(picture));
    if (!larger)
        placed.shown = placed.picture;
    return placed;
}

void PhotoWorkspace::place(const Placed &placed)
{
    const QImage &picture = placed.picture;
    // The probe takes the picture's natural size; the photo keeps its width
    // and takes its height from the probe's proportions.
    m_image2->resize(picture.size());
    const double naturalWidth = m_image2->width();
    const double naturalHeight = m_image2->height();
    const double width = photoWidthTwips();
    m_twips = QSizeF(width, width * naturalHeight / naturalWidth);
    m_image1->resize(shownSize(picture.size()));
    const QPixmap pixmap = QPixmap::fromImage(placed.shown);
    m_image2->setPixmap(pixmap);
    m_image2->resize(picture.size());
    m_image1->setPixmap(pixmap);
    m_photo = picture;
    m_label3->hide();
}
