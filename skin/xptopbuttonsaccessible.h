#pragma once

#include <QAccessibleWidget>

class xptopbuttons;

// What assistive technology sees of a title-bar button: a push button named
// by what its glyph does, with a press action that clicks it.
class xptopbuttonsAccessible : public QAccessibleWidget
{
public:
    explicit xptopbuttonsAccessible(xptopbuttons *button);

    // Makes every title-bar button answer through this class; safe to call often.
    static void install();

    // «Закрыть», «Развернуть», «Свернуть», «Восстановить» by the glyph on show.
    static QString nameOf(int glyph);

    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

private:
    xptopbuttons *button() const;
};
