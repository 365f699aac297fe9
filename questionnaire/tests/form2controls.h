#pragma once

#include "platform/testsupport/namedcontrol.h"
#include "skin/xp_canvas.h"

#include <QAbstractButton>
#include <QLabel>
#include <QListWidget>

// The questionnaire window's controls, found by the names the window gives
// them: the window keeps its controls to itself.
struct Form2Controls
{
    explicit Form2Controls(const QWidget &form)
        : xp_canvas1(namedControl<xp_canvas>(form, "xp_canvas1"))
        , Label1(namedControl<QLabel>(form, "Label1"))
        , List2(namedControl<QListWidget>(form, "List2"))
        , List1(namedControl<QListWidget>(form, "List1"))
        , Command2(namedControl<QAbstractButton>(form, "Command2"))
        , Command3(namedControl<QAbstractButton>(form, "Command3"))
    {}

    // The list on show: the topics, or a question's answers.
    QListWidget *visibleList() const { return List1->isVisible() ? List1 : List2; }

    xp_canvas *xp_canvas1;     // the frame
    QLabel *Label1;            // the prompt or the question
    QListWidget *List2;        // the topics
    QListWidget *List1;        // the answers
    QAbstractButton *Command2; // next
    QAbstractButton *Command3; // stop
};
