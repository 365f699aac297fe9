#include "platform/controlhost/colorvalue.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

struct SystemRole
{
    int index;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The palette roles that play the parts of the system colours.
constexpr SystemRole kSystemRoles[] = {
    {4, QPalette::Active, QPalette::Window}, // menu
    {ColorValue::windowBackground, QPalette::Active, QPalette::Base},
    {7, QPalette::Active, QPalette::WindowText}, // menu text
    {8, QPalette::Active, QPalette::Text},       // window text
    {13, QPalette::Active, QPalette::Highlight},
    {14, QPalette::Active, QPalette::HighlightedText},
    {ColorValue::buttonFace, QPalette::Active, QPalette::Button},
    {ColorValue::buttonShadow, QPalette::Active, QPalette::Dark},
    {17, QPalette::Disabled, QPalette::Text}, // grey text
    {ColorValue::buttonText, QPalette::Active, QPalette::ButtonText},
    {ColorValue::buttonHighlight, QPalette::Active, QPalette::Light},
    {ColorValue::darkShadow3D, QPalette::Active, QPalette::Shadow},
    {ColorValue::light3D, QPalette::Active, QPalette::Midlight},
    {23, QPalette::Active, QPalette::ToolTipText}, // tooltip text
    {24, QPalette::Active, QPalette::ToolTipBase}, // tooltip background
};

} // namespace

QColor ColorValue::systemColor(int index)
{
    return systemColor(index, QGuiApplication::palette());
}

QColor ColorValue::systemColor(int index, const QPalette &palette)
{
    for (const SystemRole &entry : kSystemRoles) {
        if (entry.index == index)
            return palette.color(entry.group, entry.role);
    }
    return QColor(0, 0, 0);
}

QColor ColorValue::toColor(quint32 value)
{
    return toColor(value, QGuiApplication::palette());
}

QColor ColorValue::toColor(quint32 value, const QPalette &palette)
{
    if (isSystem(value))
        return systemColor(int(value & ~systemFlag), palette);
    return QColor(int(value & 0xff), int(value >> 8 & 0xff), int(value >> 16 & 0xff));
}

quint32 ColorValue::translate(quint32 value)
{
    return translate(value, QGuiApplication::palette());
}

quint32 ColorValue::translate(quint32 value, const QPalette &palette)
{
    return isSystem(value) ? fromColor(toColor(value, palette)) : value;
}

quint32 ColorValue::fromColor(const QColor &colour)
{
    const QColor rgbColour = colour.toRgb();
    return rgb(rgbColour.red(), rgbColour.green(), rgbColour.blue());
}
