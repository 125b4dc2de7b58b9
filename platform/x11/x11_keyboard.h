// Synthesised key events through XTest. Keys are looked up in the server's keyboard mapping
// at each call, so the user's layout is respected; a character no key of the layout types
// is put on a spare keycode while it is typed, then the keycode is given back.
#pragma once

#include "x11_connection.h"

namespace brightlock::x11 {

class Keyboard {
public:
    explicit Keyboard(Display* display) : display_(display) {}

    // One key event on the key that carries `keysym`; false when no key does.
    bool key(KeySym keysym, bool down);
    // Types every character of `text` as itself; "\n" and "\t" are Return and Tab. Stops
    // at a character that cannot be typed and returns false.
    bool type(const QString& text);

private:
    void tap(KeyCode code, KeyCode shift);

    Display* display_;
};

} // namespace brightlock::x11
