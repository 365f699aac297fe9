#include "controls/xpbaccessible.h"

#include "controls/accesskey.h"
#include "controls/xpb.h"

#include <QKeySequence>

namespace {

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    if (className == QLatin1String(XpB::staticMetaObject.className()))
        if (auto *button = qobject_cast<XpB *>(object))
            return new XpBAccessible(button);
    return nullptr;
}

} // namespace

XpBAccessible::XpBAccessible(XpB *button)
    : QAccessibleWidget(button, QAccessible::Button)
{}

void XpBAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

XpB *XpBAccessible::button() const
{
    return static_cast<XpB *>(widget());
}

QString XpBAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name) {
        const QString name = widget()->accessibleName();
        if (!name.isEmpty())
            return name;
        return AccessKey::plainText(button()->caption()).trimmed();
    }
    if (t == QAccessible::Accelerator && !button()->accessKey().isNull())
        return QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(button()->accessKey().toUpper().unicode())))
            .toString(QKeySequence::NativeText);
    return QAccessibleWidget::text(t);
}

QAccessible::State XpBAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.pressed = button()->state().pressed != 0;
    return s;
}

QStringList XpBAccessible::actionNames() const
{
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void XpBAccessible::doAction(const QString &actionName)
{
    // After the reply to assistive technology, as Qt's own buttons do: a click
    // that opens a dialog or runs a questionnaire would hold the reply back.
    if (actionName == pressAction())
        QMetaObject::invokeMethod(button(), &XpB::click, Qt::QueuedConnection);
    else
        QAccessibleWidget::doAction(actionName);
}

QStringList XpBAccessible::keyBindingsForAction(const QString &actionName) const
{
    if (actionName == pressAction()) {
        QStringList keys{QKeySequence(Qt::Key_Space).toString(QKeySequence::NativeText)};
        const QString accelerator = text(QAccessible::Accelerator);
        if (!accelerator.isEmpty())
            keys << accelerator;
        return keys;
    }
    return QAccessibleWidget::keyBindingsForAction(actionName);
}
