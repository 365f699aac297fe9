#pragma once

#include <QtGlobal>

// The search interval: how many characters after an occurrence of a word-mode
// query's first word every other word has to start within. One default for the
// window and palmora-search alike.
namespace SearchInterval {
inline constexpr qint64 kDefault = 100;
// Anything from 1 up is a valid interval.
inline constexpr qint64 kMinimum = 1;
// What the settings slider offers.
inline constexpr int kSliderMinimum = 50;
inline constexpr int kSliderMaximum = 1000;
static_assert(kSliderMinimum >= kMinimum && kSliderMinimum <= kDefault && kDefault <= kSliderMaximum);
} // namespace SearchInterval
