#pragma once

// The dynamic properties a window sets on its controls for the parts that
// read them; each name has one meaning.
namespace ControlProperty {
// The hint a control shows when the pointer rests on it, and what assistive
// technology reads of it (a string).
inline constexpr char Hint[] = "Tag";
// True on a control the window's AutoResize leaves at its own place and size.
inline constexpr char KeepSize[] = "keepSize";
} // namespace ControlProperty
