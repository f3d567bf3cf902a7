#include "tree/AskUntilValid.h"

#include "tree/Prompter.h"

bool AskUntilValid(QWidget *parent, QDialog &dialog, const std::function<QString()> &check)
{
    for (;;) {
        if (!Prompter::Current().Run(dialog))
            return false;
        const QString problem = check();
        if (problem.isEmpty())
            return true;
        ShowError(parent, problem);
    }
}
