#include "app/hoverhints.h"

#include "controls/xpb.h"
#include "controls/xpcheckbox.h"
#include "platform/controlhost/controlproperties.h"
#include "platform/cyrillicspelling.h"

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

void HoverHints::add(XpB *button, const QString &fixedText, Renewal renewal)
{
    m_fixedText.insert(button, fixedText);
    connect(button, &XpB::MouseIn, this, [this, button] { show(button); });
    if (renewal == Renewal::OnEveryMove)
        connect(button, &XpB::MouseMove, this, [this, button] { show(button); });
    connect(button, &XpB::MouseOut, this, [this, button] { hide(button); });
    // The hint is the description assistive technology reads, spelled as it should sound.
    if (button->accessibleDescription().isEmpty())
        button->setAccessibleDescription(CyrillicSpelling::spoken(hintText(button)));
}

void HoverHints::add(xpcheckbox *box, const QString &fixedText)
{
    m_fixedText.insert(box, fixedText);
    connect(box, &xpcheckbox::MouseMove, this, [this, box] { show(box); });
    connect(box, &xpcheckbox::MouseOut, this, [this, box] { hide(box); });
    if (box->accessibleDescription().isEmpty())
        box->setAccessibleDescription(CyrillicSpelling::spoken(hintText(box)));
}

void HoverHints::show(QWidget *control)
{
    if (!control->isEnabled())
        return;
    Hint_Ticks = 0;
    m_showing = control;
    Label4->setText(hintText(control));
    Timer1->start();
    Label4->show();
}

void HoverHints::hide(QWidget *control)
{
    // A leave reported late, after the pointer already came over another
    // control, must not take that control's hint away. The timer keeps
    // running; it only counts.
    if (control != m_showing)
        return;
    m_showing = nullptr;
    Label4->hide();
}

QString HoverHints::hintText(QWidget *control) const
{
    const QVariant tag = control->property(ControlProperty::Hint);
    return tag.isValid() ? tag.toString() : m_fixedText.value(control);
}

void HoverHints::tick()
{
    Hint_Ticks += 1;
    if (Hint_Ticks == 4) {
        m_showing = nullptr;
        Label4->hide();
        Timer1->stop();
    }
}
