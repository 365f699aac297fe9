#pragma once

#include <QAccessibleWidget>

class FamilyButton;

// How assistive technology sees a check box, radio button or command button of
// the family: its own role and state, its hint as its name, and a press that
// clicks it.
class FamilyAccessible : public QAccessibleWidget
{
public:
    explicit FamilyAccessible(FamilyButton *button);

    // Registers the interface for the family's controls; safe to call often.
    static void install();

    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

private:
    FamilyButton *button() const;
};
