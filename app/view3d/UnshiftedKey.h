#pragma once

#include <QtGlobal>

// The printing keys among the view's keys, by the symbol on the key's first
// level.
enum class UnshiftedKey {
    Other,
    Minus,
    Period
};

// What the key with the native scan code `scanCode` shows without Shift, in
// the keyboard group of `nativeModifiers`; Other where the window system does
// not say (no X11 display, a synthetic event).
UnshiftedKey UnshiftedKeyOf(quint32 scanCode, quint32 nativeModifiers);
