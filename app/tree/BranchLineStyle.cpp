// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tree/BranchLineStyle.h"

#include <QStyleFactory>

BranchLineStyle::BranchLineStyle() : lines_(QStyleFactory::create(QStringLiteral("Windows"))) {}

BranchLineStyle::~BranchLineStyle() = default;

void BranchLineStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                    const QWidget *widget) const
{
    if (element == PE_IndicatorBranch && lines_) {
        lines_->drawPrimitive(element, option, painter, widget);
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}
