#pragma once

#include "platform/testsupport/pointerfollower.h"

#include <QApplication>
#include <QPalette>
#include <QTest>
#include <QWidget>

#include <memory>

// The palette every pixel rule of the family is checked against.
inline void useFixedPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(236, 233, 216));
    palette.setColor(QPalette::Window, QColor(236, 233, 216));
    palette.setColor(QPalette::ButtonText, QColor(0, 0, 0));
    QApplication::setPalette(palette);
}

// Long enough for several ticks of the 10-ms poll.
constexpr int kPollWait = 60;

// A frameless window holding one control at (40, 30); the pointer starts far
// away, and follows the simulated mouse.
template <typename Control>
struct ControlOnWindow
{
    explicit ControlOnWindow(QSize size, const char *name = "control1")
        : window(std::make_unique<QWidget>(nullptr, Qt::Window | Qt::FramelessWindowHint))
    {
        window->setGeometry(200, 150, 300, 160);
        control = new Control(window.get());
        control->setObjectName(QLatin1String(name));
        control->initProperties();
        control->setGeometry(QRect(QPoint(40, 30), size));
    }
    bool show()
    {
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            return false;
        // A move to where the last test left the pointer would be no move.
        QTest::mouseMove(handle(), QPoint(1, 1));
        QTest::mouseMove(handle(), QPoint(2, 2));
        // The first poll after creation finds the pointer outside.
        QTest::qWait(kPollWait);
        return true;
    }
    QWindow *handle() const { return window->windowHandle(); }
    // A point of the control, in the window's coordinates.
    QPoint at(int x, int y) const { return control->pos() + QPoint(x, y); }

    PointerFollower pointer;
    std::unique_ptr<QWidget> window;
    Control *control;
};

// The grabbed control shows `picture` at `origin` wherever the picture is opaque.
inline bool showsPicture(QWidget *control, const QImage &picture, QPoint origin)
{
    const QImage shot = control->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    if (picture.isNull())
        return false;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb want = picture.pixel(x, y);
            if (qAlpha(want) == 255 && shot.pixel(origin.x() + x, origin.y() + y) != want)
                return false;
        }
    }
    return true;
}
