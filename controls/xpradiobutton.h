#pragma once

#include "controls/captionedbox.h"

class PropertyStore;

// The check box's sibling for one choice among several: a 13 x 13 picture of
// eight (index 4 x value + look) and the caption beside it. A click sets it
// and clears every other radio button of its window, whatever frame holds
// them: the window is the group.
class xpradiobutton : public CaptionedBox
{
    Q_OBJECT
    Q_PROPERTY(bool Value READ value WRITE setValue)
public:
    explicit xpradiobutton(QWidget *parent = nullptr);

    void initProperties();
    void readProperties(const PropertyStore &store);
    void writeProperties(PropertyStore &store) const;

    bool value() const { return m_value; }
    void setValue(bool value);

    static QImage cellImage(int n);

    QAccessible::Role accessibleRole() const override { return QAccessible::RadioButton; }
    void addAccessibleState(QAccessible::State &state) const override;

protected:
    QImage cellPicture(int n) const override { return cellImage(n); }
    void checkStateSet() override;
    void changeEvent(QEvent *event) override;
    void onPress(QMouseEvent *event) override;
    void onHover(bool leftOnly) override;
    void onClick() override;
    void onPointerGone() override;

private:
    void ShowNormalCell();
    int cellFor(int look) const { return 4 * (m_value ? 1 : 0) + look; }

    bool m_value = false;
    bool m_settingChecked = false;
};
