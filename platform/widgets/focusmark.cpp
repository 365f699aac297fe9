#include "platform/widgets/focusmark.h"

#include <QApplication>
#include <QPainter>

FocusMark *FocusMark::attach(QWidget *control)
{
    return new FocusMark(control);
}

FocusMark::FocusMark(QWidget *control)
    : QFocusFrame(control->parentWidget())
    , m_control(control)
{
    hide();
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { focusChanged(now); });
    // The frame must not keep a control that is going.
    connect(control, &QObject::destroyed, this, [this] { setWidget(nullptr); });
    if (control->hasFocus())
        focusChanged(control);
}

void FocusMark::focusChanged(QWidget *now)
{
    if (m_control && now == m_control)
        setWidget(m_control);
    else if (widget())
        setWidget(nullptr);
}

void FocusMark::paintEvent(QPaintEvent *)
{
    // The ring is the frame's margin around the control; the control covers the rest.
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
