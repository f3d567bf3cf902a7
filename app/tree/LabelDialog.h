#pragma once

#include "tree/ExchangeDialog.h"

// Asks for a function's label.
class LabelDialog : public ExchangeDialog {
    Q_OBJECT
public:
    explicit LabelDialog(QWidget *parent = nullptr);

    QString label;

    QLineEdit *Edit() const { return edit_; }

protected:
    void LoadFields() override;
    bool SaveFields() override;

private:
    QLineEdit *edit_;
};
