// palmora-icons OUTDIR SIZE...: renders the program's emblem as the menu icon,
// OUTDIR/hicolor/SIZExSIZE/apps/palmora.png for each size, so the icon always
// matches what the splash and the about tab draw.
#include "app/palmdrawing.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QRect>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// The emblem fills only part of its 512 x 384 box: find the part it covers.
QRectF emblemBounds()
{
    constexpr int scale = 2;
    QImage image(512 * scale, 384 * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.scale(scale, scale);
    PalmDrawing::draw(painter);
    painter.end();

    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0)
        return QRectF(0, 0, 512, 384);
    return QRectF(QPointF(left, top) / scale, QPointF(right + 1, bottom + 1) / scale);
}

QImage render(int size, const QRectF &bounds)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // The pale palm on a dark disc, so that it stands out on a light panel
    // too, even at 16 pixels.
    const double margin = size / 32.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x20, 0x30, 0x70));
    painter.drawEllipse(QRectF(margin, margin, size - 2 * margin, size - 2 * margin));
    const double side = std::max(bounds.width(), bounds.height()) * 1.25;
    painter.translate(size / 2.0, size / 2.0);
    painter.scale(size / side, size / side);
    painter.translate(-bounds.center());
    PalmDrawing::draw(painter);
    painter.end();
    return image;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: palmora-icons OUTDIR SIZE...\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QRectF bounds = emblemBounds();
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size <= 0) {
            std::fprintf(stderr, "palmora-icons: bad size %s\n", argv[i]);
            return 2;
        }
        const QString folder = QStringLiteral("%1/hicolor/%2x%2/apps").arg(out).arg(size);
        if (!QDir().mkpath(folder) || !render(size, bounds).save(folder + QStringLiteral("/palmora.png"))) {
            std::fprintf(stderr, "palmora-icons: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
