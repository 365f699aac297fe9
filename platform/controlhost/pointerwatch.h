#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>

class QWidget;

// What a control that polls for the pointer leaving it needs beside the poll.
// The leave of its window says the pointer is gone where the platform cannot
// report the pointer outside its windows (Wayland keeps the last place inside).
// And the pointer's place in the control's own pixels is worked out from the
// control's screen place as its latest pointer event showed it, which stays
// right when the window was moved without the program hearing of it (some
// window managers send no notice of a title drag).
class PointerWatch : public QObject
{
    Q_OBJECT
public:
    explicit PointerWatch(QWidget *control);

    // The cursor's position, in the control's pixels.
    QPoint pointerPosition() const;

Q_SIGNALS:
    // The pointer left the control's window.
    void windowLeft();
    // The control had the leave of its own: the platform has just placed the
    // pointer elsewhere in the window, or outside it.
    void controlLeft();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watchWindow();

    QWidget *m_control;
    QPointer<QWidget> m_window;
    // The screen place of the control's top left corner, from its latest
    // pointer event; none until one came, or after the program moved it.
    QPoint m_origin;
    bool m_originKnown = false;
};
