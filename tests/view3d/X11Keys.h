// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

// The X11 key code of the key that shows "-" without Shift on the current
// keyboard; 0 without an X11 display.
quint32 X11KeyCodeOfMinus();
