#pragma once

#include "controls/xpb.h"

#include <QApplication>
#include <QLineEdit>
#include <QPalette>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <memory>

// The system colours the tests draw with, each a value of its own so a pixel
// tells which one it is.
namespace FixedColours {
inline const QColor buttonFace(200, 196, 188);      // 15
inline const QColor buttonShadow(120, 120, 120);    // 16
inline const QColor buttonText(0, 0, 0);            // 18
inline const QColor buttonHighlight(250, 250, 250); // 20
inline const QColor darkShadow(60, 50, 40);         // 21
inline const QColor light3D(225, 225, 225);         // 22
inline const QColor window(255, 255, 255);          // 5

inline void install()
{
    QPalette p = QApplication::palette();
    for (const QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(g, QPalette::Button, buttonFace);
        p.setColor(g, QPalette::Dark, buttonShadow);
        p.setColor(g, QPalette::ButtonText, buttonText);
        p.setColor(g, QPalette::Light, buttonHighlight);
        p.setColor(g, QPalette::Shadow, darkShadow);
        p.setColor(g, QPalette::Midlight, light3D);
        p.setColor(g, QPalette::Base, window);
    }
    QApplication::setPalette(p);
}
} // namespace FixedColours

// A window that stands in for a form, with one picture button at (10, 10).
// Pointer and keys go to the window, as the platform delivers them.
class ButtonHost
{
public:
    static constexpr QPoint origin{10, 10};

    explicit ButtonHost(QSize buttonSize = QSize(25, 23), QSize windowSize = QSize(200, 100))
        : m_window(std::make_unique<QWidget>())
    {
        m_window->resize(windowSize);
        // Takes the focus when the window is activated, so the button starts
        // without it.
        auto *first = new QLineEdit(m_window.get());
        first->setGeometry(windowSize.width() - 70, 10, 60, 20);
        button = new XpB(m_window.get());
        button->setObjectName(QStringLiteral("Command1"));
        button->setGeometry(QRect(origin, buttonSize));
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        // The platform drops a move to where the pointer already is, and the
        // last test may have left it over the button.
        move(QPoint(2, 2));
    }

    QWidget *widget() const { return m_window.get(); }
    QWindow *window() const { return m_window->windowHandle(); }

    // Points in the button's own pixels.
    QPoint onButton(int x, int y) const { return origin + QPoint(x, y); }
    QPoint centre() const { return onButton(button->width() / 2, button->height() / 2); }
    // A point of the window away from the button.
    QPoint elsewhere() const { return QPoint(m_window->width() - 20, m_window->height() - 20); }

    void move(QPoint p) const { QTest::mouseMove(window(), p); }
    void press(QPoint p, Qt::MouseButton b = Qt::LeftButton) const { QTest::mousePress(window(), b, {}, p); }
    void release(QPoint p, Qt::MouseButton b = Qt::LeftButton) const { QTest::mouseRelease(window(), b, {}, p); }

    QImage shot() const { return button->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    XpB *button = nullptr;

private:
    std::unique_ptr<QWidget> m_window;
};
