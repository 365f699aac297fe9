#include "platform/widgets/windowaccessible.h"

#include <QAccessibleApplication>
#include <QApplication>
#include <QWidget>

namespace {

QString &applicationName()
{
    static QString name;
    return name;
}

class NamedApplication : public QAccessibleApplication
{
public:
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && !applicationName().isEmpty())
            return applicationName();
        return QAccessibleApplication::text(t);
    }
};

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    if (object == qApp && className == QLatin1String("QApplication"))
        return new NamedApplication;
    // Our windows are plain widgets of their own class; Qt's factory, asked
    // before ours once the application exists, would make them fillers.
    if (object->isWidgetType() && className == QLatin1String(object->metaObject()->className())
        && object->metaObject()->superClass() == &QWidget::staticMetaObject) {
        auto *widget = static_cast<QWidget *>(object);
        if (widget->isWindow())
            return new WindowAccessible(widget);
    }
    return nullptr;
}

} // namespace

WindowAccessible::WindowAccessible(QWidget *window)
    : QAccessibleWidget(window, QAccessible::Window)
{}

void WindowAccessible::install(const QString &name)
{
    if (!name.isEmpty())
        applicationName() = name;
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

QString WindowAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
        return widget()->windowTitle();
    return QAccessibleWidget::text(t);
}
