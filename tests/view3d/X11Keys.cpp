// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "X11Keys.h"

#include <QGuiApplication>

#include <X11/Xlib.h>
#include <X11/keysym.h>

quint32 X11KeyCodeOfMinus()
{
    const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 && x11->display() ? XKeysymToKeycode(x11->display(), XK_minus) : 0;
}
