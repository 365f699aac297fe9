#include "layout/formlayout.h"

#include "platform/twips.h"

#include <QWidget>

QSize FormLayout::windowPixels() const
{
    return QSize(Twips::toPixels(m_window.width()), Twips::toPixels(m_window.height()));
}

QRect FormLayout::twips(QStringView name) const
{
    for (const Control &c : m_controls) {
        if (name == QLatin1String(c.name))
            return QRect(c.left, c.top, c.width, c.height);
    }
    return {};
}

QRect FormLayout::pixels(QStringView name) const
{
    const QRect t = twips(name);
    if (t.isNull())
        return {};
    return Twips::toPixels(t.left(), t.top(), t.width(), t.height());
}

QLine FormLayout::lineTwips(QStringView name) const
{
    for (const Line &l : m_lines) {
        if (name == QLatin1String(l.name))
            return QLine(l.x1, l.y1, l.x2, l.y2);
    }
    return {};
}

bool FormLayout::names(QStringView name) const
{
    for (const Control &c : m_controls) {
        if (name == QLatin1String(c.name))
            return true;
    }
    for (const Line &l : m_lines) {
        if (name == QLatin1String(l.name))
            return true;
    }
    return false;
}

void FormLayout::place(QWidget *control) const
{
    const QRect r = pixels(control->objectName());
    if (!r.isNull())
        control->setGeometry(r);
}
