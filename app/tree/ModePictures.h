// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

// The 100 x 100 sample pictures of the four visualization modes, with or
// without the red tick that marks the chosen one.
QImage ModePicture(int mode, bool ticked);
