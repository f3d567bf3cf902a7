// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "model/ProcessStartup.h"

#include <csignal>

void PrepareProcess()
{
    std::signal(SIGXFSZ, SIG_IGN);
}
