#include "app/hoverhints.h"

#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <QVariant>

HoverHints::HoverHints(QLabel *label, QTimer *timer, QObject *parent)
    : QObject(parent)
    , Label4(label)
    , Timer1(timer)
{
    connect(Timer1, &QTimer::timeout, this, &HoverHints::tick);
}

void HoverHints::add(QWidget *control, const QString &fixedText, Renewal renewal)
{
    m_hinted.insert(control, {fixedText, renewal});
    control->installEventFilter(this);
    if (renewal == Renewal::OnEveryMove)
        control->setMouseTracking(true);
}

bool HoverHints::eventFilter(QObject *watched, QEvent *event)
{
    auto *control = qobject_cast<QWidget *>(watched);
    const auto hinted = m_hinted.constFind(watched);
    if (!control || hinted == m_hinted.cend())
        return false;
    switch (event->type()) {
    case QEvent::Enter:
        show(control);
        break;
    case QEvent::MouseMove:
        if (hinted->renewal == Renewal::OnEveryMove)
            show(control);
        break;
    case QEvent::Leave:
        // The timer keeps running; it only counts.
        Label4->hide();
        break;
    default:
        break;
    }
    return false;
}

void HoverHints::show(QWidget *control)
{
    Hint_Ticks = 0;
    const QVariant tag = control->property("Tag");
    Label4->setText(tag.isValid() ? tag.toString() : m_hinted.value(control).fixedText);
    Timer1->start();
    Label4->show();
}

void HoverHints::tick()
{
    Hint_Ticks += 1;
    if (Hint_Ticks == 4) {
        Label4->hide();
        Timer1->stop();
    }
}
