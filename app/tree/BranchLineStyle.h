// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>

#include <QProxyStyle>

// The application's style, except that tree branches are drawn as dotted
// lines with plus and minus boxes, which make the nesting of a function's
// parts easier to follow than bare arrows.
class BranchLineStyle : public QProxyStyle {
    Q_OBJECT
public:
    BranchLineStyle();
    ~BranchLineStyle() override;

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;

private:
    std::unique_ptr<QStyle> lines_;
};
