// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ShellResources.h"

#include <QtGlobal>

void InitShellResources()
{
    Q_INIT_RESOURCE(veltrix);
}
