#include "controls/xpradiobutton.h"

#include "controls/familyartwork.h"
#include "platform/controlhost/propertystore.h"
#include "platform/controlhost/settingkeys.h"

#include <QMouseEvent>

xpradiobutton::xpradiobutton(QWidget *parent)
    : CaptionedBox(parent)
{
    setCheckable(true);
    refreshFace();
    ShowNormalCell();
    startPoll();
}

QImage xpradiobutton::cellImage(int n)
{
    const auto &img = FamilyArtwork::radioPictures();
    return n >= 0 && n < int(img.size()) ? img[std::size_t(n)] : QImage();
}

void xpradiobutton::initProperties()
{
    initSharedProperties();
    setValue(false);
}

void xpradiobutton::readProperties(const PropertyStore &store)
{
    setValue(store.read(SettingKeys::Value, false));
    readSharedProperties(store);
}

void xpradiobutton::writeProperties(PropertyStore &store) const
{
    store.write(SettingKeys::Value, m_value, false);
    writeSharedProperties(store);
}

void xpradiobutton::setValue(bool value)
{
    m_value = value;
    m_settingChecked = true;
    setChecked(value);
    m_settingChecked = false;
    ShowNormalCell();
    Q_EMIT propertyChanged(SettingKeys::Value);
}

void xpradiobutton::checkStateSet()
{
    if (!m_settingChecked && isChecked() != m_value)
        setValue(isChecked());
}

void xpradiobutton::addAccessibleState(QAccessible::State &state) const
{
    state.checkable = true;
    state.checked = m_value;
}

void xpradiobutton::ShowNormalCell()
{
    showCell(cellFor(isEnabled() ? FamilyArtwork::Normal : FamilyArtwork::Disabled));
}

void xpradiobutton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange)
        ShowNormalCell();
    CaptionedBox::changeEvent(event);
}

void xpradiobutton::onPress(QMouseEvent *event)
{
    if (isEnabled())
        showCell(cellFor(FamilyArtwork::Pressed));
    raiseMouseDown(event);
}

void xpradiobutton::onHover(bool leftOnly)
{
    if (isEnabled())
        showCell(cellFor(leftOnly ? FamilyArtwork::Pressed : FamilyArtwork::Hover));
}

void xpradiobutton::onClick()
{
    Q_EMIT Click();
    // Every radio button of the window, this one included, in any frame.
    const QList<xpradiobutton *> group = window()->findChildren<xpradiobutton *>();
    for (xpradiobutton *other : group)
        other->setValue(false);
    if (!group.contains(this))
        setValue(false);
    setValue(true);
    ShowNormalCell();
    Q_EMIT clicked(true);
}

void xpradiobutton::onPointerGone()
{
    // Unlike the check box, MouseOut comes before the normal cell.
    stopPoll();
    Q_EMIT MouseOut();
    ShowNormalCell();
}
