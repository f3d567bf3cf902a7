#pragma once

#include <functional>

#include <QString>

class QDialog;
class QWidget;

// Runs `dialog` until its answer passes `check`, or the user cancels it.
// `check` says what is wrong with the answer (empty: nothing); each refusal
// is shown as an input error and the dialog opens again with the user's
// input kept.  True when an answer was accepted.
bool AskUntilValid(QWidget *parent, QDialog &dialog, const std::function<QString()> &check);
