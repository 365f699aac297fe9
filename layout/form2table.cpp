#include "layout/formlayout.h"

namespace {

// left, top, width, height
constexpr FormLayout::Control kControls[] = {
    {"Label1", 120, 480, 7455, 735},    {"List2", 120, 1320, 7455, 2460},    {"List1", 120, 1320, 7455, 2460},
    {"Command2", 120, 3900, 2295, 495}, {"Command3", 6240, 3900, 1335, 495},
};

constexpr FormLayout kForm2(QSize(7815, 4575), kControls, {});

} // namespace

const FormLayout &FormLayout::form2()
{
    return kForm2;
}
