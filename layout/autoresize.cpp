#include "layout/autoresize.h"

#include "layout/formlayout.h"
#include "platform/controlhost/controlproperties.h"
#include "platform/controlhost/propertystore.h"
#include "platform/controlhost/settingkeys.h"
#include "platform/twips.h"
#include "platform/widgets/lineshape.h"

#include <QEvent>
#include <QLayout>
#include <QStatusBar>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

const QString kFontResizable = QStringLiteral("FontResizable");
const QString kKeepAspectRatio = QStringLiteral("KeepAspectRatio");
const QString kAspectRatioValue = QStringLiteral("AspectRatioValue");
const QString kHMin = QStringLiteral("HMin");
const QString kWMin = QStringLiteral("WMin");

int nearest(float value)
{
    return int(std::nearbyint(value));
}

} // namespace

AutoResize::AutoResize(QWidget *window, const FormLayout *design)
    : QObject(window)
    , m_window(window)
    , m_design(design)
{
    // Named as a new instance is, and marked so that it never records itself.
    setObjectName(QStringLiteral("Resize"));
    setProperty(ControlProperty::KeepSize, true);
    m_window->installEventFilter(this);
}

void AutoResize::initProperties()
{
    setEnabled(true);
    setFontResizable(true);
    setKeepAspectRatio(false);
    setHMin(defaultHMin);
    setWMin(defaultWMin);
}

void AutoResize::readProperties(const PropertyStore &store)
{
    m_enabled = store.read(SettingKeys::Enabled, true);
    m_fontResizable = store.read(kFontResizable, true);
    m_keepAspectRatio = store.read(kKeepAspectRatio, false);
    m_aspectRatioValue = store.read(kAspectRatioValue, 0.0);
    m_hMin = store.read(kHMin, defaultHMin);
    m_wMin = store.read(kWMin, defaultWMin);
}

void AutoResize::writeProperties(PropertyStore &store) const
{
    store.write(SettingKeys::Enabled, m_enabled, true);
    store.write(kFontResizable, m_fontResizable, true);
    store.write(kKeepAspectRatio, m_keepAspectRatio, false);
    store.write(kAspectRatioValue, m_aspectRatioValue, 0.0);
    store.write(kHMin, m_hMin, defaultHMin);
    store.write(kWMin, m_wMin, defaultWMin);
}

void AutoResize::setEnabled(bool enabled)
{
    m_enabled = enabled;
    Q_EMIT propertyChanged(SettingKeys::Enabled);
}

void AutoResize::setFontResizable(bool resizable)
{
    m_fontResizable = resizable;
    Q_EMIT propertyChanged(kFontResizable);
}

void AutoResize::setKeepAspectRatio(bool keep)
{
    m_keepAspectRatio = keep;
    const int width = m_window->width();
    m_aspectRatioValue = keep && width > 0 ? double(m_window->height()) / width : 0.0;
    Q_EMIT propertyChanged(kKeepAspectRatio);
}

void AutoResize::setHMin(int twips)
{
    m_hMin = twips;
    Q_EMIT propertyChanged(kHMin);
}

void AutoResize::setWMin(int twips)
{
    m_wMin = twips;
    Q_EMIT propertyChanged(kWMin);
}

bool AutoResize::isRecordable(const QWidget *control) const
{
    // Only the window's own named controls: not the parts Qt builds inside
    // its widgets, not windows of their own.
    const QString name = control->objectName();
    if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || control->isWindow())
        return false;
    if (m_design && !m_design->names(name))
        return false;
    if (control->property(ControlProperty::KeepSize).toBool())
        return false;
    // A docked bar, or anything a layout places, sizes itself.
    if (qobject_cast<const QStatusBar *>(control))
        return false;
    const QWidget *container = control->parentWidget();
    if (container && container->layout() && container->layout()->indexOf(control) >= 0)
        return false;
    return true;
}

void AutoResize::record()
{
    m_records.clear();
    m_recordedSize = m_window->size();
    const QList<QWidget *> controls = m_window->findChildren<QWidget *>();
    for (QWidget *control : controls) {
        if (!isRecordable(control))
            continue;
        Record r;
        r.control = control;
        if (const auto *line = qobject_cast<const LineShape *>(control)) {
            r.isLine = true;
            r.a = float(line->x1Twips());
            r.b = float(line->y1Twips());
            r.c = float(line->x2Twips());
            r.d = float(line->y2Twips());
        } else {
            const QRect g = control->geometry();
            r.a = float(g.left());
            r.b = float(g.top());
            r.c = float(g.width());
            r.d = float(g.height());
            const QFont font = control->font();
            r.pixelFont = font.pixelSize() > 0;
            r.fontSize = r.pixelFont ? float(font.pixelSize()) : float(std::max(0.0, font.pointSizeF()));
        }
        m_records.append(r);
    }
    m_recorded = true;
}

void AutoResize::rescale()
{
    if (!m_recorded || m_busy || !m_enabled || m_window->isMinimized())
        return;

    QSize size = m_window->size();
    size.setHeight(std::max(size.height(), Twips::toPixels(m_hMin)));
    size.setWidth(std::max(size.width(), Twips::toPixels(m_wMin)));
    const bool normalState =
        !(m_window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
    if (m_keepAspectRatio && m_aspectRatioValue > 0 && normalState)
        size.setHeight(nearest(float(size.width()) * float(m_aspectRatioValue)));
    if (size != m_window->size()) {
        // The resize this causes finds the controls already in place.
        m_busy = true;
        m_window->resize(size);
        m_busy = false;
    }

    // The controls scale within the area inside the fixed strips. An area
    // recorded without extent in one direction is not scaled in it.
    const QSize fixed(m_margins.left() + m_margins.right(), m_margins.top() + m_margins.bottom());
    const QSize recordedArea = m_recordedSize - fixed;
    const QSize area = size - fixed;
    const float xFactor = recordedArea.width() > 0 ? float(area.width()) / float(recordedArea.width()) : 1.0f;
    const float yFactor = recordedArea.height() > 0 ? float(area.height()) / float(recordedArea.height()) : 1.0f;
    const float fontFactor = xFactor < yFactor ? xFactor : yFactor;
    const float left = float(m_margins.left());
    const float top = float(m_margins.top());
    const float leftTwips = float(Twips::fromPixels(m_margins.left()));
    const float topTwips = float(Twips::fromPixels(m_margins.top()));

    for (const Record &r : std::as_const(m_records)) {
        QWidget *control = r.control.data();
        if (!control)
            continue;
        if (r.isLine) {
            static_cast<LineShape *>(control)->setLineTwips(
                nearest(leftTwips + xFactor * (r.a - leftTwips)), nearest(topTwips + yFactor * (r.b - topTwips)),
                nearest(leftTwips + xFactor * (r.c - leftTwips)), nearest(topTwips + yFactor * (r.d - topTwips)));
            continue;
        }
        if (m_fontResizable && r.fontSize > 0) {
            QFont font = control->font();
            const float scaled = fontFactor * r.fontSize;
            if (r.pixelFont)
                font.setPixelSize(std::max(1, nearest(scaled)));
            else
                font.setPointSizeF(std::max(1.0f, scaled));
            control->setFont(font);
        }
        control->setGeometry(nearest(left + xFactor * (r.a - left)), nearest(top + yFactor * (r.b - top)),
                             nearest(xFactor * r.c), nearest(yFactor * r.d));
    }
}

bool AutoResize::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window) {
        if (event->type() == QEvent::Show && !m_recorded)
            record();
        else if (event->type() == QEvent::Resize)
            rescale();
    }
    return QObject::eventFilter(watched, event);
}
