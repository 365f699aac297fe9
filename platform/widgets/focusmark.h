#pragma once

#include <QFocusFrame>
#include <QPointer>

// A dotted ring just outside a control while it has the keyboard focus, for
// the controls whose own drawing shows none (a picture, a slider, the check
// box, the title-bar buttons). It lies under the control, so only the ring
// shows, and it is hidden the rest of the time: a window at rest looks as
// designed. Assistive technology does not see it.
class FocusMark : public QFocusFrame
{
    Q_OBJECT
public:
    // Marks the control whenever it has the focus; lives beside it, in its container.
    static FocusMark *attach(QWidget *control);

    bool isMarking() const { return widget() != nullptr; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    explicit FocusMark(QWidget *control);
    void focusChanged(QWidget *now);

    QPointer<QWidget> m_control;
};
