#include "platform/widgets/fonts.h"

#include "platform/twips.h"

QFont Fonts::make(const QString &family, double points, bool bold, bool italic)
{
    QFont font(family);
    font.setPixelSize(Twips::pointsToPixels(points));
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void Fonts::installSubstitutions()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                               QStringList{QStringLiteral("Liberation Serif"), QStringLiteral("Tinos")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
}
