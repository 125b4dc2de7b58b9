// The argument values the controls' mouse and key events carry: button and shift masks
// (1 left / shift, 2 right / ctrl, 4 middle / alt), key codes of the classic virtual-key
// set and the character code of a key press.
#pragma once

#include <Qt>

class QKeyEvent;

namespace brightlock {

int buttonMask(Qt::MouseButtons buttons);
int shiftMask(Qt::KeyboardModifiers modifiers);

// The virtual-key code of a Qt key; letters and digits keep their ASCII codes. 0 for a
// key outside the classic set.
int virtualKeyCode(int qtKey);

// The character code a key press carries, or 0 when it types nothing.
int keyAscii(const QKeyEvent& event);

// Whether focus came from the keyboard (Tab, Shift+Tab, an access key): only then do the
// controls show their focus cue.
bool isKeyboardFocus(Qt::FocusReason reason);

} // namespace brightlock
