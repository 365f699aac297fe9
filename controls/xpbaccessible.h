#pragma once

#include <QAccessibleWidget>

class XpB;

// What assistive technology sees of a picture button: a push button named by
// its caption (or, where it has none, by the accessible name its window gives
// it), pressed while it is down, with a press action that clicks it.
class XpBAccessible : public QAccessibleWidget
{
public:
    explicit XpBAccessible(XpB *button);

    // Makes every picture button answer through this class; once is enough.
    static void install();

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

private:
    XpB *button() const;
};
