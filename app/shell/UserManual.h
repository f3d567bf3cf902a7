// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The user manual (manual.html): next to the installed program, or in the
// source tree when the program runs from its build directory.
QString UserManualPath();
// Opens the manual in the user's browser; false when it cannot be found or
// shown.
bool OpenUserManual();
