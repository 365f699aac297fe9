#pragma once

#include "platform/controlhost/picturestrip.h"

#include <QTimer>
#include <QWidget>

#include <array>

class PointerWatch;
class PropertyStore;

// A title-bar button: a 21 x 21 glyph (close, maximise, minimise or restore,
// chosen by Value) with a normal, hover, pressed and disabled face. It tells
// its host about clicks and about the pointer leaving it, which it finds out
// by polling the pointer every 10 ms, and from the leave of its window.
// Tab reaches it, and Space or Enter clicks it, for those without a mouse.
class xptopbuttons : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int Value READ value WRITE setValue)
public:
    enum Glyph { Close = 0, Maximise = 1, Minimise = 2, Restore = 3 };
    static constexpr int side = 21;
    static constexpr int pollInterval = 10;

    explicit xptopbuttons(QWidget *parent = nullptr);

    // The settings of a newly placed button, or those kept in the window's
    // design data; and writing them back, each under its key.
    void initProperties();
    void readProperties(const PropertyStore &store);
    void writeProperties(PropertyStore &store) const;

    // 0 to 3 choose the glyph; any other value is kept but changes nothing.
    int value() const { return m_value; }
    void setValue(int value);

    // The glyph strip and the cell of it on show.
    int stripIndex() const { return m_stripIndex; }
    int cell() const { return m_cell; }
    const QImage &face() const { return m_face; }
    static const PictureStrip &glyphStrip(int glyph);

Q_SIGNALS:
    void Click();
    void MouseDown(int button, int shift, float x, float y);
    void MouseMove(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    void MouseOut();
    // A persisted setting was written; the window's design data is out of date.
    void propertyChanged(const QString &key);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void RefreshGlyph();
    void showCell(int cell);
    void pollPointer();
    void pointerGone();
    // Both ends count: a point one past the last column or row is still inside.
    static bool isInside(QPointF point);

    int m_value = 0;
    int m_stripIndex = 0;
    int m_cell = 0;
    QImage m_face;
    QTimer m_poll;
    PointerWatch *m_watch;
    // The poller found the pointer outside, and it has not been over the button since.
    bool m_leaveReported = false;
    // The release that ends a double click is no click of its own.
    bool m_releaseEndsDoubleClick = false;
};
