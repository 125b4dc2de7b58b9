#include "x11_keyboard.h"

#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <chrono>
#include <optional>
#include <thread>

namespace brightlock::x11 {

namespace {

// How long a character put on a spare keycode keeps it after its key events: programs
// read the changed mapping when they get to the mapping notice, which must happen before
// the keycode is given back, or they see a key without a character.
constexpr std::chrono::milliseconds kRemapSettle{250};
// The pause after each typed character. Some name fields complete what is typed as it comes
// (LibreOffice's own save dialog) and lose characters of a burst sent without pauses; at
// this pace they take every one, and a save path of 60 characters takes under a second.
constexpr std::chrono::milliseconds kBetweenKeys{12};

struct Place {
    KeyCode code = 0;
    bool shifted = false;
};

// A snapshot of the core keyboard mapping. Only the first two columns are used: they are
// the first group's plain and Shift levels, which need no other modifier.
class Mapping {
public:
    explicit Mapping(Display* display) {
        XDisplayKeycodes(display, &first_, &last_);
        KeySym* syms = XGetKeyboardMapping(display, KeyCode(first_), last_ - first_ + 1, &perCode_);
        if (syms) {
            syms_.assign(syms, syms + (last_ - first_ + 1) * perCode_);
            XFree(syms);
        }
    }

    std::optional<Place> find(KeySym keysym) const {
        for (int column = 0; column < std::min(perCode_, 2); ++column)
            for (int code = first_; code <= last_; ++code)
                if (at(code, column) == keysym)
                    return Place{KeyCode(code), column == 1};
        return std::nullopt;
    }

    // Keycodes that carry no character at all, highest first.
    std::vector<KeyCode> spares() const {
        std::vector<KeyCode> codes;
        for (int code = last_; code >= first_; --code) {
            bool empty = true;
            for (int column = 0; column < perCode_ && empty; ++column)
                empty = at(code, column) == NoSymbol;
            if (empty)
                codes.push_back(KeyCode(code));
        }
        return codes;
    }

private:
    KeySym at(int code, int column) const {
        const size_t index = size_t((code - first_) * perCode_ + column);
        return index < syms_.size() ? syms_[index] : NoSymbol;
    }

    int first_ = 0, last_ = 0, perCode_ = 0;
    std::vector<KeySym> syms_;
};

// The keysym that stands for one character: Latin-1 keysyms are their code points, every
// other character has a Unicode keysym. NoSymbol for control characters.
KeySym keysymOf(char32_t c) {
    if (c == U'\n')
        return XK_Return;
    if (c == U'\t')
        return XK_Tab;
    if ((c >= 0x20 && c <= 0x7e) || (c >= 0xa0 && c <= 0xff))
        return KeySym(c);
    if (c < 0xa0 || c > 0x10ffff || (c >= 0xd800 && c <= 0xdfff))
        return NoSymbol;
    return KeySym(0x01000000 | c);
}

void setCharacter(Display* display, KeyCode code, KeySym keysym) {
    KeySym both[2] = {keysym, keysym};
    XChangeKeyboardMapping(display, code, 2, both, 1);
}

} // namespace

bool Keyboard::key(KeySym keysym, bool down) {
    const std::optional<Place> place = Mapping(display_).find(keysym);
    if (!place) {
        qCWarning(lcDesktop) << "no key carries" << XKeysymToString(keysym);
        return false;
    }
    XTestFakeKeyEvent(display_, place->code, down, CurrentTime);
    XSync(display_, False);
    return true;
}

void Keyboard::tap(KeyCode code, KeyCode shift) {
    if (shift)
        XTestFakeKeyEvent(display_, shift, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    if (shift)
        XTestFakeKeyEvent(display_, shift, False, CurrentTime);
    XSync(display_, False);
    std::this_thread::sleep_for(kBetweenKeys);
}

bool Keyboard::type(const QString& text) {
    const std::u32string characters = text.toStdU32String();
    std::vector<KeySym> keysyms;
    for (char32_t c : characters)
        keysyms.push_back(keysymOf(c));

    // Caps Lock would turn the letters round; it is switched off while typing.
    XkbStateRec state = {};
    XkbGetState(display_, XkbUseCoreKbd, &state);
    const bool capsLock = state.locked_mods & LockMask;
    if (capsLock)
        XkbLockModifiers(display_, XkbUseCoreKbd, LockMask, 0);

    const Mapping mapping(display_);
    const std::vector<KeyCode> spares = mapping.spares();
    const std::optional<Place> shiftKey = mapping.find(XK_Shift_L);
    const auto onLayout = [&](KeySym keysym) {
        const std::optional<Place> place = mapping.find(keysym);
        return place && (!place->shifted || shiftKey);
    };
    bool typed = true;
    size_t next = 0;
    while (next < keysyms.size() && typed) {
        // A run of characters whose missing ones fit on the spare keycodes together.
        QHash<KeySym, KeyCode> borrowed;
        size_t end = next;
        for (; end < keysyms.size(); ++end) {
            const KeySym keysym = keysyms[end];
            if (keysym == NoSymbol || onLayout(keysym) || borrowed.contains(keysym))
                continue;
            if (size_t(borrowed.size()) == spares.size())
                break;
            borrowed.insert(keysym, spares[size_t(borrowed.size())]);
        }
        if (end == next) {
            qCWarning(lcDesktop) << "no spare keycode to type" << XKeysymToString(keysyms[next]);
            typed = false;
            break;
        }
        for (auto it = borrowed.cbegin(); it != borrowed.cend(); ++it)
            setCharacter(display_, it.value(), it.key());
        XSync(display_, False);

        for (; next < end; ++next) {
            const KeySym keysym = keysyms[next];
            if (keysym == NoSymbol) {
                qCWarning(lcDesktop) << "cannot type character" << Qt::hex << quint32(characters[next]);
                typed = false;
                break;
            }
            if (borrowed.contains(keysym)) {
                tap(borrowed.value(keysym), 0);
            } else {
                const Place place = *mapping.find(keysym);
                tap(place.code, place.shifted ? shiftKey->code : KeyCode(0));
            }
        }

        if (!borrowed.isEmpty()) {
            std::this_thread::sleep_for(kRemapSettle);
            for (KeyCode code : borrowed)
                setCharacter(display_, code, NoSymbol);
            XSync(display_, False);
        }
    }

    if (capsLock)
        XkbLockModifiers(display_, XkbUseCoreKbd, LockMask, LockMask);
    XSync(display_, False);
    return typed;
}

} // namespace brightlock::x11
