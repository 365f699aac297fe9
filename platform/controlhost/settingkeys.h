#pragma once

#include <QString>

// The keys under which the controls keep the settings they share in their
// window's design data; each control's own settings keep their keys beside it.
namespace SettingKeys {
inline const QString Caption = QStringLiteral("Caption");
inline const QString Enabled = QStringLiteral("Enabled");
inline const QString Font = QStringLiteral("Font");
inline const QString Value = QStringLiteral("Value");
inline const QString BackColor = QStringLiteral("BackColor");
inline const QString ForeColor = QStringLiteral("ForeColor");
} // namespace SettingKeys
