#pragma once

#include "controls/familybutton.h"

class PropertyStore;

// The family's caption button: one of five 18 x 21 cells (normal, pressed,
// disabled, hover, default button) stretched over the whole control in nine
// pieces, the 3 x 3 corners unscaled, with the caption centred on it. State 1
// makes it the default button; the caption's "&" marks its access key.
class xpcmdbutton : public FamilyButton
{
    Q_OBJECT
    Q_PROPERTY(int State READ state WRITE setState)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
public:
    enum Cell { NormalCell = 0, PressedCell = 1, DisabledCell = 2, HoverCell = 3, DefaultCell = 4 };
    static constexpr QRgb enabledCaption = 0xff000000;
    static constexpr QRgb disabledCaption = 0xffa1a192; // RGB(161, 161, 146)

    explicit xpcmdbutton(QWidget *parent = nullptr);

    void initProperties();
    void readProperties(const PropertyStore &store);
    void writeProperties(PropertyStore &store) const;

    int state() const { return m_state; }
    void setState(int state);
    QString caption() const { return text(); }
    void setCaption(const QString &caption);

    // The cell drawn now, and the one State chose last.
    int drawnCell() const { return m_drawnCell; }
    int stateCell() const { return m_stateCell; }
    QRect labelRect() const;

    static QImage cellImage(int n);

    QAccessible::Role accessibleRole() const override { return QAccessible::Button; }
    void addAccessibleState(QAccessible::State &state) const override;

protected:
    QString captionText() const override;
    void drawFace(QImage &face) const override;
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void onPress(QMouseEvent *event) override;
    void onHover(bool leftOnly) override;
    void onRelease() override;
    void onClick() override;
    void onPointerGone() override;

private:
    void showState();
    void drawCell(int n);

    int m_state = 0;
    int m_stateCell = NormalCell;
    int m_drawnCell = NormalCell;
};
