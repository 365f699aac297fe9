#pragma once

#include <QAccessible>
#include <QLabel>

// A label the user acts on: a picture to click, a link. Where the mouse has a
// click, the keyboard has Enter and Space once Tab has reached it, and
// assistive technology has a press action; each raises activated. A mouse
// click is left to whoever listens to the label's mouse events.
class ActivatableLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ActivatableLabel(QWidget *parent = nullptr);
    explicit ActivatableLabel(const QString &text, QWidget *parent = nullptr);

    // The role assistive technology reads: a push button, a link.
    QAccessible::Role accessibleRole() const { return m_role; }
    void setAccessibleRole(QAccessible::Role role) { m_role = role; }

    void activate() { Q_EMIT activated(); }

Q_SIGNALS:
    void activated();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QAccessible::Role m_role = QAccessible::Button;
};
