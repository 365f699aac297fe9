#pragma once

#include <QString>

// Texts that look Russian on screen but hide a Latin letter inside a Russian
// word (a hint typed on the wrong keyboard) are read aloud wrongly by a screen
// reader. These spell such words in Cyrillic for assistive technology; the
// screen keeps the text as it is.
namespace CyrillicSpelling {

// Every Latin letter that has a Cyrillic twin of the same look, inside a word
// that also has a Cyrillic letter, replaced by that twin. Other words are
// left alone: "Data" stays Latin.
QString spoken(const QString &text);

// A word mixing Cyrillic and Latin letters, or an empty string when there is none.
QString firstMixedWord(const QString &text);

} // namespace CyrillicSpelling
