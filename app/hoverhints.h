#pragma once

#include <QHash>
#include <QObject>

class QLabel;
class QTimer;
class QWidget;

// One-line hints in the toolbar's hint label while the pointer is over a
// picture button or the word-mode box; a hint goes away when the pointer
// leaves, or four timer ticks after the pointer last came over a control.
// A picture button says itself when the pointer comes over it and leaves it
// (MouseIn, MouseOut); other controls are watched for the pointer entering,
// moving and leaving.
class HoverHints : public QObject
{
    Q_OBJECT
public:
    HoverHints(QLabel *label, QTimer *timer, QObject *parent = nullptr);

    enum class Renewal {
        OnEnter,     // the hint starts when the pointer comes over the control
        OnEveryMove, // and starts again on every move over it
    };

    // The hint shows the control's own "Tag" property when it has one, the
    // fixed text otherwise. A picture button without a caption is named by
    // its hint for assistive technology.
    void add(QWidget *control, const QString &fixedText = QString(), Renewal renewal = Renewal::OnEnter);

    float hintTicks() const { return Hint_Ticks; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void show(QWidget *control);
    QString hintText(QWidget *control) const;
    void tick();

    QLabel *Label4;
    QTimer *Timer1;
    float Hint_Ticks = 0;
    struct Hinted
    {
        QString fixedText;
        Renewal renewal;
    };
    QHash<QObject *, Hinted> m_hinted;
};
