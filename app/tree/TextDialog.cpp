#include "tree/TextDialog.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>

#include "tree/ColorButton.h"
#include "tree/PersistentEdit.h"
#include "tree/Prompter.h"
#include "tree/TreePictures.h"

namespace {
const QString kEditKey = QStringLiteral("edit1");
constexpr int kIconButtonPixels = 32;
}

TextDialog::TextDialog(QWidget *parent) : ExchangeDialog(parent)
{
    setWindowTitle(QStringLiteral("Text editing"));
    SetDluSize(298, 108);

    edit_ = new PersistentEdit(this);
    edit_->setGeometry(Dlu(8, 7, 256, 46));
    edit_->setTabChangesFocus(true);
    edit_->installEventFilter(this);

    angles_ = new QButtonGroup(this);
    const char *names[] = {"deg", "rad", "gra"};
    const int lefts[] = {8, 51, 92};
    for (int mode = 0; mode < 3; ++mode) {
        auto *button = new QRadioButton(QString::fromLatin1(names[mode]), this);
        button->setGeometry(Dlu(lefts[mode], 60, 38, 10));
        angles_->addButton(button, mode);
    }
    connect(angles_, &QButtonGroup::idClicked, this, [this](int mode) { angleMode = mode; });

    fontButton_ = new QPushButton(this);
    fontButton_->setIcon(FontButtonIcon());
    fontButton_->setIconSize(QSize(24, 24));
    fontButton_->setGeometry(QRect(Dlu(269, 7, 0, 0).topLeft(), QSize(kIconButtonPixels, kIconButtonPixels)));
    fontButton_->setToolTip(QStringLiteral("Font"));
    connect(fontButton_, &QPushButton::clicked, this, &TextDialog::ChooseFont);

    colorButton_ = new QPushButton(this);
    colorButton_->setIcon(ColorButtonIcon());
    colorButton_->setIconSize(QSize(24, 24));
    colorButton_->setToolTip(QStringLiteral("Background color"));
    connect(colorButton_, &QPushButton::clicked, this, &TextDialog::ChooseColor);
    PlaceColorButton();

    AddText(QStringLiteral("Type the text of the function, for example: z(x,y)=cosx*siny"), 8, 95, 230, 10);
    PlaceButtons(240, 70, 240, 89);
}

QRadioButton *TextDialog::AngleButton(int mode) const
{
    return qobject_cast<QRadioButton *>(angles_->button(mode));
}

// The colour button stands under the font button, its bottom level with
// the text box's bottom.
void TextDialog::PlaceColorButton()
{
    const int left = fontButton_->geometry().left();
    const int bottom = edit_->geometry().bottom();
    colorButton_->setGeometry(left, bottom - kIconButtonPixels + 1, kIconButtonPixels, kIconButtonPixels);
    colorButton_->show();
}

void TextDialog::LoadFields()
{
    edit_->setPlainText(text);
    // An angle mode outside 0..2 leaves every button unchecked, which an
    // exclusive group would not allow.
    angles_->setExclusive(false);
    for (QAbstractButton *button : angles_->buttons())
        button->setChecked(angles_->id(button) == angleMode);
    angles_->setExclusive(true);
}

bool TextDialog::SaveFields()
{
    const QString typed = edit_->toPlainText();
    if (!StorableText(edit_, typed))
        return false;
    text = typed;
    return true;
}

void TextDialog::showEvent(QShowEvent *event)
{
    ExchangeDialog::showEvent(event);
    edit_->SetKey(kEditKey);
    edit_->LoadSettings();
    if (selectionStart == kNoSelection && selectionEnd == kNoSelection)
        return;
    edit_->setFocus();
    const int length = edit_->toPlainText().size();
    QTextCursor cursor = edit_->textCursor();
    cursor.setPosition(qBound(0, selectionStart, length));
    cursor.setPosition(qBound(0, selectionEnd, length), QTextCursor::KeepAnchor);
    edit_->setTextCursor(cursor);
}

// Return in the text box presses OK, as in a one-line field: a definition
// is a single line.
bool TextDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == edit_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return ExchangeDialog::eventFilter(watched, event);
}

void TextDialog::ChooseFont()
{
    QFont font;
    QColor color;
    if (!Prompter::Current().ChooseFont(this, edit_->font(), ToQColor(edit_->CurrentTextColor()), &font, &color))
        return;
    LogFontRecord record = LogFontRecord::FromFont(font);
    record.quality = LogFontRecord::kProofQuality;
    edit_->SetFontAndTextColor(record, FromQColor(color));
}

void TextDialog::ChooseColor()
{
    QColor color;
    if (!Prompter::Current().ChooseColor(this, ToQColor(edit_->CurrentBackgroundColor()), &color))
        return;
    edit_->SetColor(PersistentEdit::BackgroundColor, FromQColor(color));
}
