#pragma once

#include <cstdint>

#include "tree/ExchangeDialog.h"

// Asks for the number of divisions of a variable's range.
class StepsDialog : public ExchangeDialog {
    Q_OBJECT
public:
    explicit StepsDialog(QWidget *parent = nullptr);

    int32_t steps = 0;

    QLineEdit *Edit() const { return edit_; }

protected:
    void LoadFields() override;
    bool SaveFields() override;

private:
    QLineEdit *edit_;
};
