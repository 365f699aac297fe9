#pragma once

#include <QAccessibleWidget>

// What assistive technology sees of the program's own windows, which are
// plain widgets drawn with their own frame: a frame named by the window's
// title, in an application named as the user knows it (not by the name its
// files are kept under).
class WindowAccessible : public QAccessibleWidget
{
public:
    explicit WindowAccessible(QWidget *window);

    // Registers the interfaces; safe to call often. Before the application
    // object exists is best: the accessibility bridge asks for it first. An
    // empty name keeps the one given before.
    static void install(const QString &applicationName = QString());

    QString text(QAccessible::Text t) const override;
};
