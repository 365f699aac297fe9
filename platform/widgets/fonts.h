#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// Fonts of the window layouts, named as the layouts name them. The layouts are
// fixed in pixels, so sizes are set in pixels at 96 dots per inch.
class Fonts
{
public:
    static QFont make(const QString &family, double points, bool bold = false, bool italic = false);
    // Maps the layout's Windows font names onto metric-compatible faces
    // (Liberation) where the Windows ones are absent. Safe to call often.
    static void installSubstitutions();
};
