#pragma once

#include "controls/familybutton.h"
#include "platform/controlhost/colorvalue.h"

class PropertyStore;

// A box picture at the control's left edge, centred vertically, and the
// caption in its label 32 pixels from the left, centred too: the check box and
// the radio button. The face shows one cell picture in the box.
class CaptionedBox : public FamilyButton
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
public:
    static constexpr int boxSide = 16;
    static constexpr int labelLeft = 32;
    static constexpr quint32 defaultBackColor = ColorValue::system(ColorValue::buttonFace);
    static constexpr quint32 defaultForeColor = 0;
    // The caption's colour while the control is disabled, whatever ForeColor is.
    static constexpr QRgb disabledCaption = 0xffa1a192; // RGB(161, 161, 146)

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    quint32 backColor() const { return m_backColor; }
    void setBackColor(quint32 colour);
    quint32 foreColor() const { return m_foreColor; }
    void setForeColor(quint32 colour);

    // The cell on show, its place and the label's.
    int cell() const { return m_cell; }
    QRect boxRect() const;
    QRect labelRect() const;
    QColor labelColour() const;

protected:
    explicit CaptionedBox(QWidget *parent);

    // The settings the check box and the radio button share: the caption,
    // Enabled, the font and the two colours, with their defaults.
    void initSharedProperties();
    void readSharedProperties(const PropertyStore &store);
    void writeSharedProperties(PropertyStore &store) const;

    // The picture of cell n.
    virtual QImage cellPicture(int n) const = 0;
    // The cell drawn for a screen of that device pixel ratio; by default the
    // cell's pixels made whole device pixels.
    virtual QImage cellPictureAt(int n, qreal ratio) const;
    void showCell(int n);

    QString captionText() const override { return m_caption; }
    void drawFace(QImage &face) const override;
    void changeEvent(QEvent *event) override;

private:
    QString m_caption;
    quint32 m_backColor = defaultBackColor;
    quint32 m_foreColor = defaultForeColor;
    int m_cell = 0;
};
