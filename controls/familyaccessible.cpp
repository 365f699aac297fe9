#include "controls/familyaccessible.h"

#include "controls/familybutton.h"

namespace {

QAccessibleInterface *familyFactory(const QString &, QObject *object)
{
    // Asked once per class from the most derived up; the first ask answers.
    if (auto *button = qobject_cast<FamilyButton *>(object))
        return new FamilyAccessible(button);
    return nullptr;
}

} // namespace

FamilyAccessible::FamilyAccessible(FamilyButton *button)
    : QAccessibleWidget(button, button->accessibleRole())
{}

void FamilyAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(familyFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

FamilyButton *FamilyAccessible::button() const
{
    return static_cast<FamilyButton *>(widget());
}

QAccessible::Role FamilyAccessible::role() const
{
    return button()->accessibleRole();
}

QAccessible::State FamilyAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    button()->addAccessibleState(s);
    return s;
}

QString FamilyAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name) {
        const QString own = widget()->accessibleName();
        return own.isEmpty() ? button()->accessibleText() : own;
    }
    return QAccessibleWidget::text(t);
}

QStringList FamilyAccessible::actionNames() const
{
    QStringList names;
    if (widget()->isEnabled())
        names << (role() == QAccessible::Button ? pressAction() : toggleAction());
    return names + QAccessibleWidget::actionNames();
}

void FamilyAccessible::doAction(const QString &actionName)
{
    if (actionName == pressAction() || actionName == toggleAction())
        button()->accessiblePress();
    else
        QAccessibleWidget::doAction(actionName);
}
