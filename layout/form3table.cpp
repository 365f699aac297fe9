#include "layout/formlayout.h"

namespace {

constexpr FormLayout::Control kControls[] = {
    {"Image1", 0, 0, 7665, 5760},
};

constexpr FormLayout kForm3(QSize(7665, 5760), kControls, {});

} // namespace

const FormLayout &FormLayout::form3()
{
    return kForm3;
}
