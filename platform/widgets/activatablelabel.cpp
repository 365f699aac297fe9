#include "platform/widgets/activatablelabel.h"

#include <QAccessibleWidget>
#include <QKeyEvent>

namespace {

class ActivatableLabelAccessible : public QAccessibleWidget
{
public:
    explicit ActivatableLabelAccessible(ActivatableLabel *label)
        : QAccessibleWidget(label, label->accessibleRole())
    {}

    QAccessible::Role role() const override { return label()->accessibleRole(); }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return label()->text();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }
    void doAction(const QString &actionName) override
    {
        // After the reply to assistive technology: what it starts may be a
        // modal dialog.
        if (actionName == pressAction())
            QMetaObject::invokeMethod(label(), &ActivatableLabel::activate, Qt::QueuedConnection);
        else
            QAccessibleWidget::doAction(actionName);
    }
    QStringList keyBindingsForAction(const QString &actionName) const override
    {
        if (actionName == pressAction())
            return {QKeySequence(Qt::Key_Return).toString(QKeySequence::NativeText),
                    QKeySequence(Qt::Key_Space).toString(QKeySequence::NativeText)};
        return QAccessibleWidget::keyBindingsForAction(actionName);
    }

private:
    ActivatableLabel *label() const { return static_cast<ActivatableLabel *>(widget()); }
};

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    if (className == QLatin1String(ActivatableLabel::staticMetaObject.className()))
        if (auto *label = qobject_cast<ActivatableLabel *>(object))
            return new ActivatableLabelAccessible(label);
    return nullptr;
}

void installFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace

ActivatableLabel::ActivatableLabel(QWidget *parent)
    : QLabel(parent)
{
    installFactory();
    setFocusPolicy(Qt::TabFocus);
}

ActivatableLabel::ActivatableLabel(const QString &text, QWidget *parent)
    : ActivatableLabel(parent)
{
    setText(text);
}

void ActivatableLabel::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (!event->isAutoRepeat())
            activate();
        event->accept();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}
