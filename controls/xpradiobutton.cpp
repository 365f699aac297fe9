#include "controls/xpradiobutton.h"

#include "controls/familyartwork.h"
#include "platform/controlhost/propertystore.h"

#include <QMouseEvent>

namespace {

const QString kValue = QStringLiteral("Value");
const QString kCaption = QStringLiteral("Caption");
const QString kEnabled = QStringLiteral("Enabled");
const QString kFont = QStringLiteral("Font");
const QString kBackColor = QStringLiteral("BackColor");
const QString kForeColor = QStringLiteral("ForeColor");

} // namespace

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
    setCaption(objectName());
    setEnabled(true);
    setValue(false);
    setFont(containerFont());
    setBackColor(defaultBackColor);
    setForeColor(defaultForeColor);
}

void xpradiobutton::readProperties(const PropertyStore &store)
{
    setValue(store.read(kValue, false));
    setCaption(store.read(kCaption, objectName()));
    setEnabled(store.read(kEnabled, true));
    setFont(store.read(kFont, containerFont()));
    setBackColor(store.read(kBackColor, defaultBackColor));
    setForeColor(store.read(kForeColor, defaultForeColor));
}

void xpradiobutton::writeProperties(PropertyStore &store) const
{
    store.write(kFont, font(), containerFont());
    store.write(kValue, m_value, false);
    store.write(kCaption, caption(), objectName());
    store.write(kEnabled, isEnabled(), true);
    store.write(kBackColor, backColor(), defaultBackColor);
    store.write(kForeColor, foreColor(), defaultForeColor);
}

void xpradiobutton::setValue(bool value)
{
    m_value = value;
    m_settingChecked = true;
    setChecked(value);
    m_settingChecked = false;
    ShowNormalCell();
    Q_EMIT propertyChanged(kValue);
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
