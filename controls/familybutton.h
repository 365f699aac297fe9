#pragma once

#include <QAbstractButton>
#include <QAccessible>
#include <QImage>
#include <QTimer>

class PointerWatch;

// What the check box, the radio button and the command button share: their
// eight events, a face drawn once into an image and copied on paint, keys that
// raise their events and do nothing else, a click on a left press and release
// over the control, and the 10 ms poll that finds the pointer gone, helped by
// the leave events of the control and of its window. Event
// coordinates are pixels of the control, whichever part of it was hit.
class FamilyButton : public QAbstractButton
{
    Q_OBJECT
public:
    static constexpr int pollInterval = 10;

    const QImage &face() const { return m_face; }
    bool isPolling() const { return Timer1.isActive(); }

    // What assistive technology reads: the hint (ControlProperty::Hint) when
    // there is one, the caption otherwise.
    QString accessibleText() const;
    virtual QAccessible::Role accessibleRole() const = 0;
    virtual void addAccessibleState(QAccessible::State &state) const;
    // Assistive technology's press: a click without the mouse.
    virtual void accessiblePress();

Q_SIGNALS:
    void Click();
    void KeyDown(int keyCode, int shift);
    void KeyPress(int keyAscii);
    void KeyUp(int keyCode, int shift);
    void MouseOut();
    void MouseDown(int button, int shift, float x, float y);
    void MouseMove(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    // A persisted setting was written; the window's design data is out of date.
    void propertyChanged(const QString &key);

protected:
    explicit FamilyButton(QWidget *parent);

    // The caption as the control shows it.
    virtual QString captionText() const = 0;
    // Draws the whole face; called whenever something it shows changed.
    virtual void drawFace(QImage &face) const = 0;
    void refreshFace();

    // The steps that differ between the controls, each with its events.
    virtual void onPress(QMouseEvent *event) = 0;
    // A move over the control, after MouseMove: leftOnly when only the left
    // button is held.
    virtual void onHover(bool leftOnly) = 0;
    virtual void onRelease() {}
    virtual void onClick() = 0;
    // The poll found the pointer outside; stops the poll and raises MouseOut.
    virtual void onPointerGone() = 0;

    void startPoll() { Timer1.start(); }
    void stopPoll() { Timer1.stop(); }
    void raiseMouseDown(QMouseEvent *event);
    // The inside of the control, both ends included: a point one past the
    // last column or row still counts.
    bool isInside(QPointF point) const;

    // The parent's font, which a new control takes.
    QFont containerFont() const;

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    void pollPointer();

    QTimer Timer1; // polls for the pointer leaving the control
    PointerWatch *m_watch;
    QImage m_face;
    // The release that ends a double click is no click of its own.
    bool m_releaseEndsDoubleClick = false;
};
