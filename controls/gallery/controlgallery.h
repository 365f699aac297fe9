#pragma once

#include <QWidget>

class xpcheckbox;
class xpcmdbutton;
class xpgroupbox;
class xpradiobutton;

// Every control of the check box's family on one window: no window of the
// program places the radio button, the command button or the group frame, so
// this is where they are seen and tried.
class ControlGallery : public QWidget
{
    Q_OBJECT
public:
    explicit ControlGallery(QWidget *parent = nullptr);

    // Check boxes unchecked, checked, grayed, and checked but disabled.
    xpcheckbox *checkBoxes[4];
    // Two frames; the first holds two radio buttons, the second one.
    xpgroupbox *frames[2];
    xpradiobutton *radioButtons[3];
    // Normal, default and disabled command buttons.
    xpcmdbutton *commandButtons[3];
};
