#include "app/hoverhints.h"

#include "controls/xpb.h"

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
    if (auto *button = qobject_cast<XpB *>(control)) {
        connect(button, &XpB::MouseIn, this, [this, button] { show(button); });
        if (renewal == Renewal::OnEveryMove)
            connect(button, &XpB::MouseMove, this, [this, button] { show(button); });
        // The timer keeps running; it only counts.
        connect(button, &XpB::MouseOut, Label4, &QWidget::hide);
        if (button->caption().trimmed().isEmpty() && button->accessibleName().isEmpty())
            button->setAccessibleName(hintText(button));
        return;
    }
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
    Label4->setText(hintText(control));
    Timer1->start();
    Label4->show();
}

QString HoverHints::hintText(QWidget *control) const
{
    const QVariant tag = control->property("Tag");
    return tag.isValid() ? tag.toString() : m_hinted.value(control).fixedText;
}

void HoverHints::tick()
{
    Hint_Ticks += 1;
    if (Hint_Ticks == 4) {
        Label4->hide();
        Timer1->stop();
    }
}
