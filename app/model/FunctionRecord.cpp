// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FunctionRecord.h"

bool FunctionRecord::operator==(const FunctionRecord &o) const
{
    return label == o.label && text == o.text && handle == o.handle && visible == o.visible &&
           color1 == o.color1 && color2 == o.color2 && mode == o.mode;
}
