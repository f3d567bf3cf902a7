#pragma once

#include "tree/ExchangeDialog.h"

// Asks for a new current value of a variable.
class ValueDialog : public ExchangeDialog {
    Q_OBJECT
public:
    explicit ValueDialog(QWidget *parent = nullptr);

    double value = 0;

    QLineEdit *Edit() const { return edit_; }

protected:
    void LoadFields() override;
    bool SaveFields() override;

private:
    QLineEdit *edit_;
};
