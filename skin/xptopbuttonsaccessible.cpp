#include "skin/xptopbuttonsaccessible.h"

#include "skin/xptopbuttons.h"

#include <QKeySequence>

namespace {

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    if (className == QLatin1String(xptopbuttons::staticMetaObject.className()))
        if (auto *button = qobject_cast<xptopbuttons *>(object))
            return new xptopbuttonsAccessible(button);
    return nullptr;
}

} // namespace

xptopbuttonsAccessible::xptopbuttonsAccessible(xptopbuttons *button)
    : QAccessibleWidget(button, QAccessible::Button)
{}

void xptopbuttonsAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

QString xptopbuttonsAccessible::nameOf(int glyph)
{
    switch (glyph) {
    case xptopbuttons::Maximise:
        return QStringLiteral("Развернуть");
    case xptopbuttons::Minimise:
        return QStringLiteral("Свернуть");
    case xptopbuttons::Restore:
        return QStringLiteral("Восстановить");
    default:
        return QStringLiteral("Закрыть");
    }
}

xptopbuttons *xptopbuttonsAccessible::button() const
{
    return static_cast<xptopbuttons *>(widget());
}

QString xptopbuttonsAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
        return nameOf(button()->stripIndex());
    return QAccessibleWidget::text(t);
}

QStringList xptopbuttonsAccessible::actionNames() const
{
    QStringList names;
    if (widget()->isEnabled())
        names << pressAction();
    return names + QAccessibleWidget::actionNames();
}

void xptopbuttonsAccessible::doAction(const QString &actionName)
{
    if (actionName == pressAction()) {
        // After the reply to assistive technology, as Qt's own buttons do.
        if (widget()->isEnabled())
            QMetaObject::invokeMethod(button(), &xptopbuttons::Click, Qt::QueuedConnection);
    } else {
        QAccessibleWidget::doAction(actionName);
    }
}

QStringList xptopbuttonsAccessible::keyBindingsForAction(const QString &actionName) const
{
    if (actionName == pressAction())
        return {QKeySequence(Qt::Key_Space).toString(QKeySequence::NativeText),
                QKeySequence(Qt::Key_Return).toString(QKeySequence::NativeText)};
    return QAccessibleWidget::keyBindingsForAction(actionName);
}
