#pragma once

#include <QChar>

// The key codes the controls hand to their hosts' key events: the platform's
// virtual-key numbers (8 backspace, 13 enter, 32 space, 37 to 40 the arrows,
// "0".."9" and "A".."Z" as their upper-case characters, 112 on the function
// keys), whatever the keyboard layout.
class VirtualKey
{
public:
    // 0 for a key without a virtual-key number.
    static int fromQtKey(int key);
    // A typed character as its single byte in the Cyrillic code page; a
    // character the code page cannot hold is '?'.
    static int asciiOf(QChar character);
};
