#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>

class QLabel;
class QTimer;
class QWidget;
class XpB;
class xpcheckbox;

// One-line hints in the toolbar's hint label while the pointer is over a
// picture button or the word-mode box; a hint goes away when the pointer
// leaves, or four timer ticks after the pointer last came over a control.
// The controls say themselves where the pointer is: a picture button raises
// MouseIn and MouseOut, the check box MouseMove on every move over it and
// MouseOut when its poll finds the pointer gone. Only a leave of the control
// whose hint shows hides it. A disabled control shows no hint.
class HoverHints : public QObject
{
    Q_OBJECT
public:
    HoverHints(QLabel *label, QTimer *timer, QObject *parent = nullptr);

    enum class Renewal {
        OnEnter,     // the hint starts when the pointer comes over the control
        OnEveryMove, // and starts again on every move over it
    };

    // The hint shows the control's own hint (ControlProperty::Hint) when it
    // has one, the fixed text otherwise; it also describes the control to
    // assistive technology.
    void add(XpB *button, const QString &fixedText = QString(), Renewal renewal = Renewal::OnEnter);
    // The box's hint starts again on every move over it.
    void add(xpcheckbox *box, const QString &fixedText = QString());

    float hintTicks() const { return Hint_Ticks; }

private:
    void show(QWidget *control);
    void hide(QWidget *control);
    QString hintText(QWidget *control) const;
    void tick();

    QLabel *Label4;       // the hint line in the toolbar strip
    QTimer *Timer1;       // ticks once a second while a hint shows
    float Hint_Ticks = 0; // seconds the hint has shown; it goes at four
    QHash<QObject *, QString> m_fixedText;
    QPointer<QWidget> m_showing;
};
