#pragma once

#include <QLine>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringView>
#include <QWidget>

#include <span>
#include <utility>

// The design geometry of one window, in twips, each control relative to its
// container. A window names its controls and places them from here, so
// changing a control's class never touches its geometry, and every other
// place that needs one of these numbers reads it from the same table.
class FormLayout
{
public:
    struct Control
    {
        const char *name;
        int left, top, width, height;
    };
    struct Line
    {
        const char *name;
        int x1, y1, x2, y2;
    };

    constexpr FormLayout(QSize windowTwips, std::span<const Control> controls, std::span<const Line> lines)
        : m_window(windowTwips)
        , m_controls(controls)
        , m_lines(lines)
    {}

    // The main window, the questionnaire window and the splash window.
    static const FormLayout &form1();
    static const FormLayout &form2();
    static const FormLayout &form3();

    QSize windowTwips() const { return m_window; }
    QSize windowPixels() const;

    // The control's rectangle; a null rect for an unknown name.
    QRect twips(QStringView name) const;
    QRect pixels(QStringView name) const;
    // A line's end points; a null line for an unknown name.
    QLine lineTwips(QStringView name) const;
    // Whether the window has a control or line of that name.
    bool names(QStringView name) const;

    // Places the widget at the rectangle named by its objectName.
    void place(QWidget *control) const;

    // Makes a control of class T (its constructor takes args, then the
    // container), names it and places it.
    template <typename T, typename... Args>
    T *make(QWidget *container, const char *name, Args &&...args) const
    {
        T *control = new T(std::forward<Args>(args)..., container);
        control->setObjectName(QLatin1String(name));
        place(control);
        return control;
    }

private:
    QSize m_window;
    std::span<const Control> m_controls;
    std::span<const Line> m_lines;
};
