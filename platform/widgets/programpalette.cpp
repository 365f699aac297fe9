#include "platform/widgets/programpalette.h"

#include <QWidget>

namespace {

struct RoleColours
{
    QPalette::ColorRole role;
    QRgb active;
    QRgb disabled;
};

// The light scheme the windows and the controls' system colours were drawn
// with; inactive windows look like active ones. Written out rather than taken
// from a style, whose standard palette may itself follow the desktop.
constexpr RoleColours kColours[] = {
    {QPalette::WindowText, qRgb(0, 0, 0), qRgb(190, 190, 190)},
    {QPalette::Button, qRgb(239, 239, 239), qRgb(239, 239, 239)},
    {QPalette::Light, qRgb(255, 255, 255), qRgb(255, 255, 255)},
    {QPalette::Midlight, qRgb(202, 202, 202), qRgb(202, 202, 202)},
    {QPalette::Dark, qRgb(159, 159, 159), qRgb(190, 190, 190)},
    {QPalette::Mid, qRgb(184, 184, 184), qRgb(184, 184, 184)},
    {QPalette::Text, qRgb(0, 0, 0), qRgb(190, 190, 190)},
    {QPalette::BrightText, qRgb(255, 255, 255), qRgb(255, 255, 255)},
    {QPalette::ButtonText, qRgb(0, 0, 0), qRgb(190, 190, 190)},
    {QPalette::Base, qRgb(255, 255, 255), qRgb(239, 239, 239)},
    {QPalette::Window, qRgb(239, 239, 239), qRgb(239, 239, 239)},
    {QPalette::Shadow, qRgb(118, 118, 118), qRgb(177, 177, 177)},
    {QPalette::Highlight, qRgb(48, 140, 198), qRgb(145, 145, 145)},
    {QPalette::HighlightedText, qRgb(255, 255, 255), qRgb(255, 255, 255)},
    {QPalette::Link, qRgb(0, 0, 255), qRgb(0, 0, 255)},
    {QPalette::LinkVisited, qRgb(255, 0, 255), qRgb(255, 0, 255)},
    {QPalette::AlternateBase, qRgb(247, 247, 247), qRgb(247, 247, 247)},
    {QPalette::NoRole, qRgb(0, 0, 0), qRgb(0, 0, 0)},
    {QPalette::ToolTipBase, qRgb(255, 255, 220), qRgb(255, 255, 220)},
    {QPalette::ToolTipText, qRgb(0, 0, 0), qRgb(0, 0, 0)},
    {QPalette::PlaceholderText, qRgba(0, 0, 0, 128), qRgba(0, 0, 0, 128)},
};

} // namespace

QPalette ProgramPalette::palette()
{
    QPalette palette;
    for (const RoleColours &c : kColours) {
        const QColor active = QColor::fromRgba(c.active);
        palette.setColor(QPalette::Active, c.role, active);
        palette.setColor(QPalette::Inactive, c.role, active);
        palette.setColor(QPalette::Disabled, c.role, QColor::fromRgba(c.disabled));
    }
    return palette;
}

void ProgramPalette::apply(QWidget *window)
{
    window->setPalette(palette());
}
