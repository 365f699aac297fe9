#include "controls/xpcheckbox.h"

#include "controls/familyartwork.h"
#include "platform/controlhost/picturestrip.h"
#include "platform/controlhost/propertystore.h"
#include "platform/controlhost/settingkeys.h"

#include <QMouseEvent>

namespace {

const PictureStrip &pc()
{
    static const PictureStrip strip(FamilyArtwork::checkBoxStrip(), 1, FamilyArtwork::boxCells);
    return strip;
}

} // namespace

xpcheckbox::xpcheckbox(QWidget *parent)
    : CaptionedBox(parent)
{
    setCheckable(true);
    ShowNormalCell();
    refreshFace();
    // The poll runs from the start, so a box the pointer is not over reports
    // MouseOut once.
    startPoll();
}

QImage xpcheckbox::cellImage(int n)
{
    return pc().cell(n);
}

QImage xpcheckbox::cellPictureAt(int n, qreal ratio) const
{
    return FamilyArtwork::checkBoxCell(n, ratio);
}

void xpcheckbox::initProperties()
{
    initSharedProperties();
    setValue(0);
}

void xpcheckbox::readProperties(const PropertyStore &store)
{
    setValue(store.read(SettingKeys::Value, 0));
    readSharedProperties(store);
}

void xpcheckbox::writeProperties(PropertyStore &store) const
{
    store.write(SettingKeys::Value, m_value, 0);
    writeSharedProperties(store);
}

void xpcheckbox::setValue(int value)
{
    const bool wasMixed = m_value == 2;
    m_value = value;
    // Holders of the QAbstractButton see it checked exactly at value 1.
    m_settingChecked = true;
    setChecked(value == 1);
    m_settingChecked = false;
    ShowNormalCell();
    Q_EMIT propertyChanged(SettingKeys::Value);
    if (wasMixed != (value == 2)) {
        QAccessible::State changed;
        changed.checkStateMixed = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    }
}

void xpcheckbox::checkStateSet()
{
    // setChecked from a holder of the QAbstractButton.
    if (m_settingChecked)
        return;
    if (isChecked() && m_value != 1)
        setValue(1);
    else if (!isChecked() && m_value == 1)
        setValue(0);
}

void xpcheckbox::addAccessibleState(QAccessible::State &state) const
{
    state.checkable = true;
    state.checked = m_value == 1;
    state.checkStateMixed = m_value == 2;
}

int xpcheckbox::cellFor(int look) const
{
    if (m_value < 0 || m_value > 2)
        return -1;
    return 4 * m_value + look;
}

void xpcheckbox::ShowNormalCell()
{
    if (!isEnabled()) {
        ShowDisabledCell();
        return;
    }
    if (const int n = cellFor(FamilyArtwork::Normal); n >= 0)
        showCell(n);
}

void xpcheckbox::ShowDisabledCell()
{
    if (const int n = cellFor(FamilyArtwork::Disabled); n >= 0)
        showCell(n);
}

void xpcheckbox::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange)
        ShowNormalCell();
    CaptionedBox::changeEvent(event);
}

void xpcheckbox::onPress(QMouseEvent *event)
{
    // Any button shows the pressed cell.
    if (isEnabled()) {
        if (const int n = cellFor(FamilyArtwork::Pressed); n >= 0)
            showCell(n);
    }
    raiseMouseDown(event);
}

void xpcheckbox::onHover(bool leftOnly)
{
    if (!isEnabled())
        return;
    if (const int n = cellFor(leftOnly ? FamilyArtwork::Pressed : FamilyArtwork::Hover); n >= 0)
        showCell(n);
}

void xpcheckbox::onClick()
{
    // The host's handler sees the value before the change.
    Q_EMIT Click();
    if (m_value == 1 || m_value == 2)
        setValue(0);
    else if (m_value == 0)
        setValue(1);
    ShowNormalCell();
    Q_EMIT clicked(isChecked());
}

void xpcheckbox::onPointerGone()
{
    ShowNormalCell();
    stopPoll();
    Q_EMIT MouseOut();
}
