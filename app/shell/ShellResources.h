// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Registers the pictures of app/res (bars, splash, about box, icon).
// Resources compiled into a static library are kept by the linker only when
// something refers to them, so every user of the pictures calls this first.
void InitShellResources();
