#pragma once

#include "platform/controlhost/colorvalue.h"

#include <QImage>
#include <QWidget>

class PropertyStore;

// The family's group frame: a rounded frame drawn from the pieces of a 22 x 20
// picture, its top line at half the caption's height so that the caption,
// 15 pixels from the left on the frame's background, interrupts it. Other
// controls sit inside it.
class xpgroupbox : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
public:
    static constexpr int labelLeft = 15;
    static constexpr quint32 defaultBackColor = 0x0000ffff;
    static constexpr QRgb enabledCaption = 0xff0046d5;  // RGB(0, 70, 213)
    static constexpr QRgb disabledCaption = 0xffa1a192; // RGB(161, 161, 146)

    explicit xpgroupbox(QWidget *parent = nullptr);

    void initProperties();
    void readProperties(const PropertyStore &store);
    void writeProperties(PropertyStore &store) const;

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    quint32 backColor() const { return m_backColor; }
    void setBackColor(quint32 colour);

    QRect labelRect() const;
    // The row of the frame's top line.
    int topLine() const { return labelRect().height() / 2; }
    const QImage &face() const { return m_face; }

Q_SIGNALS:
    void Click();
    void DblClick();
    void MouseDown(int button, int shift, float x, float y);
    void MouseMove(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    void propertyChanged(const QString &key);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void layOut();
    QFont containerFont() const;

    QString m_caption;
    quint32 m_backColor = defaultBackColor;
    QImage m_face;
    bool m_pressedOnLabel = false;
};
