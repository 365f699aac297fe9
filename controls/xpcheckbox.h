#pragma once

#include "controls/captionedbox.h"

class PropertyStore;

// The program's check box: a 16 x 16 box picture from a strip of twelve cells
// (cell = 4 x value + look) and the caption beside it. Value is 0 unchecked,
// 1 checked, 2 grayed; any other value is kept but changes no picture. Only a
// click toggles it, and Click is raised before the value changes. Held as a
// QAbstractButton, it is checked exactly when Value is 1.
class xpcheckbox : public CaptionedBox
{
    Q_OBJECT
    Q_PROPERTY(int Value READ value WRITE setValue)
public:
    explicit xpcheckbox(QWidget *parent = nullptr);

    // The settings of a newly placed box, or those kept in the window's design
    // data; and writing them back, each under its key.
    void initProperties();
    void readProperties(const PropertyStore &store);
    void writeProperties(PropertyStore &store) const;

    int value() const { return m_value; }
    void setValue(int value);

    static QImage cellImage(int n);

    QAccessible::Role accessibleRole() const override { return QAccessible::CheckBox; }
    void addAccessibleState(QAccessible::State &state) const override;

protected:
    QImage cellPicture(int n) const override { return cellImage(n); }
    QImage cellPictureAt(int n, qreal ratio) const override;
    void checkStateSet() override;
    void changeEvent(QEvent *event) override;
    void onPress(QMouseEvent *event) override;
    void onHover(bool leftOnly) override;
    void onClick() override;
    void onPointerGone() override;

private:
    void ShowNormalCell();
    void ShowDisabledCell();
    // The cell of the value in a look; -1 for a value without cells.
    int cellFor(int look) const;

    int m_value = 0;
    bool m_settingChecked = false;
};
