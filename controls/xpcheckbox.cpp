#include "controls/xpcheckbox.h"

#include "controls/familyartwork.h"
#include "platform/controlhost/picturestrip.h"
#include "platform/controlhost/propertystore.h"

#include <QMouseEvent>

namespace {

const QString kValue = QStringLiteral("Value");
const QString kCaption = QStringLiteral("Caption");
const QString kEnabled = QStringLiteral("Enabled");
const QString kFont = QStringLiteral("Font");
const QString kBackColor = QStringLiteral("BackColor");
const QString kForeColor = QStringLiteral("ForeColor");

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

void xpcheckbox::initProperties()
{
    setCaption(objectName());
    setEnabled(true);
    setValue(0);
    setFont(containerFont());
    setBackColor(defaultBackColor);
    setForeColor(defaultForeColor);
}

void xpcheckbox::readProperties(const PropertyStore &store)
{
    setValue(store.read(kValue, 0));
    setCaption(store.read(kCaption, objectName()));
    setEnabled(store.read(kEnabled, true));
    setFont(store.read(kFont, containerFont()));
    setBackColor(store.read(kBackColor, defaultBackColor));
    setForeColor(store.read(kForeColor, defaultForeColor));
}

void xpcheckbox::writeProperties(PropertyStore &store) const
{
    store.write(kFont, font(), containerFont());
    store.write(kValue, m_value, 0);
    store.write(kCaption, caption(), objectName());
    store.write(kEnabled, isEnabled(), true);
    store.write(kBackColor, backColor(), defaultBackColor);
    store.write(kForeColor, foreColor(), defaultForeColor);
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
    Q_EMIT propertyChanged(kValue);
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
