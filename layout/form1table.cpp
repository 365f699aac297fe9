#include "layout/formlayout.h"

namespace {

// left, top, width, height
constexpr FormLayout::Control kControls[] = {
    // The frame fills the window whatever its design size, which is a little
    // larger and would cut off its right and bottom lines.
    {"xp_canvas1", 0, 0, 15255, 10695},
    {"xptopbuttons2", 14460, 80, 315, 315},
    {"xptopbuttons1", 14800, 80, 315, 315},
    {"Frame1", 30, 450, 15135, 495},
    {"Command6", 20, 120, 375, 350},
    {"Command3", 420, 120, 375, 360},
    {"Command8", 905, 120, 375, 360},
    {"Command7", 1300, 120, 375, 360},
    {"Label4", 1995, 165, 9015, 375},
    {"XTab1", 90, 960, 15000, 9600},
    {"Image2", 360, 9600, 975, 975},
    // Tab 0
    {"RichTextBox2", 120, 480, 14655, 8895},
    // Tab 1
    {"Image1", 45, 360, 6255, 9105},
    {"Label3", 840, 3120, 4095, 855},
    {"Text2", 6360, 480, 4455, 375},
    {"Command2", 10920, 400, 855, 495},
    {"Check1", 11880, 540, 255, 255},
    {"Command1", 12240, 400, 735, 495},
    {"Command4", 13440, 360, 645, 255},
    {"Command5", 14115, 360, 645, 255},
    {"HS1", 13440, 645, 1300, 260},
    {"List1", 6360, 960, 8415, 6660},
    {"WebBrowser1", 6360, 960, 8415, 6615},
    {"RichTextBox1", 6360, 960, 8655, 6585},
    {"Text1", 6360, 7640, 8655, 1845},
    {"Label1", 240, 9240, 2295, 375},
    // Tab 2
    {"Frame4", 120, 360, 14775, 9135},
    {"Label5", 240, 240, 5295, 495},
    {"Frame2", 600, 960, 5295, 2655},
    {"HS2", 240, 360, 1455, 160},
    {"Label2", 1800, 360, 735, 165},
    {"Label6", 240, 720, 4695, 1575},
    // Tab 3
    {"Text4", 120, 480, 14775, 8535},
    {"Command9", 6720, 9045, 1695, 495},
    // Tab 4
    {"Frame3", 240, 480, 14415, 8775},
    {"Label7", 6120, 120, 2415, 495},
    {"Image3", 3015, 720, 8505, 6375},
    {"Label8", 3240, 7200, 8295, 855},
    {"Label9", 3000, 8400, 8535, 375},
};

// x1, y1, x2, y2: the progress track and the bar drawn over it
constexpr FormLayout::Line kLines[] = {
    {"Line2", 240, 9120, 2525, 9120},
    {"Line1", 240, 9120, 2525, 9120},
};

constexpr FormLayout kForm1(QSize(15240, 10665), kControls, kLines);

} // namespace

const FormLayout &FormLayout::form1()
{
    return kForm1;
}
