// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// A pair of arrows beside a line field (its buddy) that step the integer
// the field shows within a range and write it back as decimal text.  The
// field stays free text: what is typed is only checked when the dialog
// reads it, so values beyond the arrows' range can still be entered.
class SpinControl : public QWidget {
    Q_OBJECT
public:
    explicit SpinControl(QWidget *parent = nullptr);

    void SetRange(int low, int high);
    int Low() const { return low_; }
    int High() const { return high_; }
    // The field the arrows step; its Up and Down keys step it as well.
    void SetBuddy(QLineEdit *buddy);
    QLineEdit *Buddy() const { return buddy_; }

    // One press of an arrow: +1 up, -1 down.  A field that does not show an
    // integer steps from the last position; the result stays in the range.
    void StepBy(int steps);

    QToolButton *UpArrow() const { return up_; }
    QToolButton *DownArrow() const { return down_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QToolButton *up_;
    QToolButton *down_;
    QLineEdit *buddy_ = nullptr;
    int low_ = 0;
    int high_ = 100;
    int position_ = 0;
};
