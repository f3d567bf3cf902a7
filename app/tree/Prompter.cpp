#include "tree/Prompter.h"

#include <QColorDialog>
#include <QDialog>

#include "tree/FontChooser.h"

namespace {
Prompter *installed = nullptr;
}

bool Prompter::Run(QDialog &dialog)
{
    return dialog.exec() == QDialog::Accepted;
}

void Prompter::Message(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                       const QString &text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

bool Prompter::ChooseColor(QWidget *parent, const QColor &initial, QColor *chosen)
{
    const QColor color = QColorDialog::getColor(initial, parent);
    if (!color.isValid())
        return false;
    *chosen = color;
    return true;
}

bool Prompter::ChooseFont(QWidget *parent, const QFont &initial, const QColor &initialColor,
                          QFont *font, QColor *color)
{
    FontChooser chooser(initial, initialColor, parent);
    if (chooser.exec() != QDialog::Accepted)
        return false;
    *font = chooser.SelectedFont();
    *color = chooser.SelectedColor();
    return true;
}

Prompter &Prompter::Current()
{
    static Prompter fallback;
    return installed ? *installed : fallback;
}

void Prompter::Install(Prompter *prompter)
{
    installed = prompter;
}

void ShowError(QWidget *parent, const QString &text)
{
    Prompter::Current().Message(parent, QMessageBox::Critical, QStringLiteral("Error"), text);
}
