// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "view3d/UnshiftedKey.h"

#include <QGuiApplication>

// Last: X11 defines names such as KeyPress and None as macros.
#include <X11/XKBlib.h>
#include <X11/keysym.h>

UnshiftedKey UnshiftedKeyOf(quint32 scanCode, quint32 nativeModifiers)
{
    // X11 key codes run from 8 to 255.
    if (scanCode < 8 || scanCode > 255 || !qGuiApp)
        return UnshiftedKey::Other;
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display *display = x11 ? x11->display() : nullptr;
    if (!display)
        return UnshiftedKey::Other;
    // A core key event carries its keyboard group in bits 13 and 14.
    const int group = int((nativeModifiers >> 13) & 3);
    KeySym symbol = XkbKeycodeToKeysym(display, KeyCode(scanCode), group, 0);
    if (symbol == NoSymbol && group != 0)   // a key of fewer groups than the keyboard
        symbol = XkbKeycodeToKeysym(display, KeyCode(scanCode), 0, 0);
    switch (symbol) {
    case XK_minus: return UnshiftedKey::Minus;
    case XK_period: return UnshiftedKey::Period;
    default: return UnshiftedKey::Other;
    }
}
