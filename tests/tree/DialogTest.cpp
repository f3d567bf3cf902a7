#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTextCursor>

#include "FakePrompter.h"
#include "model/FunctionRecord.h"
#include "tree/ColorButton.h"
#include "tree/LabelDialog.h"
#include "tree/ModeDialog.h"
#include "tree/ModePictures.h"
#include "tree/PersistentEdit.h"
#include "tree/PictureButton.h"
#include "tree/RangeDialog.h"
#include "tree/StepsDialog.h"
#include "tree/TextDialog.h"
#include "tree/ValueDialog.h"

namespace {
// Types `typed` into the dialog's field and presses OK; true when it closed.
template <class Dialog>
bool Submit(Dialog &dialog, QLineEdit *field, const QString &typed)
{
    dialog.show();
    field->setText(typed);
    dialog.accept();
    const bool closed = dialog.result() == QDialog::Accepted;
    dialog.hide();
    return closed;
}
}  // namespace

TEST(FieldExchange, NumbersMustBeCompleteAndFinite)
{
    FakePrompter prompter;
    ValueDialog dialog;
    EXPECT_TRUE(Submit(dialog, dialog.Edit(), QStringLiteral(" 1e3 ")));
    EXPECT_EQ(dialog.value, 1000);
    for (const char *bad : {"1,5", "", "2x", "nan", "inf"})
        EXPECT_FALSE(Submit(dialog, dialog.Edit(), QString::fromLatin1(bad))) << bad;
    EXPECT_EQ(dialog.value, 1000);
    ASSERT_EQ(prompter.messages.size(), 5u);
    EXPECT_EQ(prompter.messages[0].text, "Please enter a number.");
    EXPECT_EQ(prompter.messages[0].icon, QMessageBox::Warning);
}

TEST(FieldExchange, NumbersAreShownWithFifteenDigits)
{
    FakePrompter prompter;
    RangeDialog dialog;
    dialog.min = -1.570796327;
    dialog.max = 1e20;
    dialog.show();
    EXPECT_EQ(dialog.MinEdit()->text(), "-1.570796327");
    EXPECT_EQ(dialog.MaxEdit()->text(), "1e+20");
    dialog.hide();
    dialog.min = 0.1;
    dialog.max = 0.00001;
    dialog.show();
    EXPECT_EQ(dialog.MinEdit()->text(), "0.1");
    EXPECT_EQ(dialog.MaxEdit()->text(), "1e-05");
    // A bad second field refuses the whole entry.
    dialog.MinEdit()->setText(QStringLiteral("2"));
    dialog.MaxEdit()->setText(QStringLiteral("x"));
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.min, 0.1);
}

TEST(FieldExchange, StepsMustBeAnInteger)
{
    FakePrompter prompter;
    StepsDialog dialog;
    dialog.steps = 20;
    dialog.show();
    EXPECT_EQ(dialog.Edit()->text(), "20");
    EXPECT_FALSE(Submit(dialog, dialog.Edit(), QStringLiteral("2.5")));
    EXPECT_EQ(prompter.MessageTexts(), QStringList{QStringLiteral("Please enter an integer.")});
    EXPECT_TRUE(Submit(dialog, dialog.Edit(), QStringLiteral("-4")));
    EXPECT_EQ(dialog.steps, -4);
}

TEST(FieldExchange, LabelFieldHoldsEightyCharacters)
{
    FakePrompter prompter;
    LabelDialog dialog;
    dialog.label = QStringLiteral("old");
    dialog.show();
    EXPECT_EQ(dialog.Edit()->text(), "old");
    EXPECT_EQ(dialog.Edit()->maxLength(), 80);
    dialog.Edit()->setText(QString(85, QLatin1Char('a')));
    dialog.accept();
    EXPECT_EQ(dialog.label.size(), 80);
    EXPECT_EQ(dialog.windowTitle(), "Label editing");
}

// A character the document cannot store is refused before the dialog
// closes: the dialog stays open with the text as typed and the character
// selected; the code page's own typographic characters pass.
TEST(FieldExchange, TextsTheDocumentCannotStoreAreRefusedInPlace)
{
    FakePrompter prompter;
    LabelDialog label;
    label.label = QStringLiteral("old");
    label.show();
    const QString typed = QString::fromUtf8("price \u20ac \u2014 \u6f22\u5b57");
    label.Edit()->setText(typed);
    label.accept();
    EXPECT_NE(label.result(), QDialog::Accepted);
    EXPECT_TRUE(label.isVisible());
    EXPECT_EQ(label.Edit()->text(), typed);
    EXPECT_EQ(label.Edit()->selectedText(), QString::fromUtf8("\u6f22"));
    EXPECT_EQ(label.label, "old");
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].title, "Error");
    EXPECT_TRUE(prompter.messages[0].text.contains(QString::fromUtf8("\u6f22"))) << prompter.messages[0].text.toStdString();
    EXPECT_TRUE(Submit(label, label.Edit(), QString::fromUtf8("price \u20ac \u2014")));
    EXPECT_EQ(label.label, QString::fromUtf8("price \u20ac \u2014"));

    TextDialog text;
    text.show();
    text.Edit()->setPlainText(QString::fromUtf8("z(x,y)=x+\U0001F600"));
    text.accept();
    EXPECT_NE(text.result(), QDialog::Accepted);
    EXPECT_TRUE(text.isVisible());
    EXPECT_EQ(text.Edit()->textCursor().selectedText(), QString::fromUtf8("\U0001F600"));
    EXPECT_TRUE(text.text.isEmpty());
    EXPECT_EQ(prompter.messages.size(), 2u);
    text.hide();
}

class TextDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto settings = OpenUserSettings();
        settings->remove(QStringLiteral("edit1"));
    }
    FakePrompter prompter;
};

TEST_F(TextDialogTest, ShowsTextAngleAndSelectionAsPreset)
{
    TextDialog dialog;
    dialog.text = QStringLiteral("w(x,y)=x");
    dialog.angleMode = 2;
    dialog.selectionStart = 0;
    dialog.selectionEnd = 1;
    dialog.show();
    EXPECT_EQ(dialog.Edit()->toPlainText(), "w(x,y)=x");
    EXPECT_TRUE(dialog.AngleButton(2)->isChecked());
    EXPECT_EQ(dialog.Edit()->textCursor().selectedText(), "w");
    dialog.AngleButton(0)->click();
    EXPECT_EQ(dialog.angleMode, 0);
    dialog.hide();

    // An unknown unit checks no button at all.
    TextDialog odd;
    odd.angleMode = 7;
    odd.show();
    for (int mode = 0; mode < 3; ++mode)
        EXPECT_FALSE(odd.AngleButton(mode)->isChecked());
}

TEST_F(TextDialogTest, ColorAndFontStayStoredAfterCancel)
{
    {
        TextDialog dialog;
        dialog.show();
        // A first showing stores the defaults: black on white.
        EXPECT_EQ(dialog.Edit()->CurrentTextColor(), 0x000000u);
        EXPECT_EQ(dialog.Edit()->CurrentBackgroundColor(), 0xFFFFFFu);
        prompter.colors.push_back(QColor(255, 255, 0));
        dialog.ColorButton()->click();
        QFont chosen(QStringLiteral("Liberation Mono"));
        chosen.setPixelSize(17);
        chosen.setItalic(true);
        prompter.fonts.push_back({chosen, QColor(0, 0, 255)});
        dialog.FontButton()->click();
        dialog.reject();
    }
    TextDialog again;
    again.show();
    EXPECT_EQ(again.Edit()->CurrentBackgroundColor(), MakeColor(255, 255, 0));
    EXPECT_EQ(again.Edit()->CurrentTextColor(), MakeColor(0, 0, 255));
    const LogFontRecord font = again.Edit()->FontRecord();
    EXPECT_EQ(font.height, -17);
    EXPECT_EQ(font.italic, 1);
    EXPECT_EQ(font.quality, LogFontRecord::kProofQuality);
    EXPECT_EQ(again.Edit()->font().pixelSize(), 17);
    EXPECT_EQ(again.Edit()->palette().color(QPalette::Base), QColor(255, 255, 0));
}

TEST_F(TextDialogTest, StoredValuesOfTheWrongSizeAreIgnored)
{
    {
        auto settings = OpenUserSettings();
        settings->setValue(QStringLiteral("edit1/settings/color1"), QByteArray("\x01\x02\x03", 3));
        settings->setValue(QStringLiteral("edit1/settings/color2"), QByteArray("\x10\x20\x30\x00", 4));
        settings->setValue(QStringLiteral("edit1/settings/logfont"), QByteArray(59, 'x'));
    }
    PersistentEdit edit;
    edit.SetKey(QStringLiteral("edit1"));
    const LogFontRecord before = LogFontRecord::FromFont(edit.font());
    edit.LoadSettings();
    EXPECT_EQ(edit.CurrentTextColor(), 0x000000u);
    EXPECT_EQ(edit.CurrentBackgroundColor(), 0x302010u);
    EXPECT_EQ(edit.FontRecord(), before);

    // A text of the right length is still not a stored colour.
    OpenUserSettings()->setValue(QStringLiteral("edit1/settings/color1"), QStringLiteral("abcd"));
    edit.LoadSettings();
    EXPECT_EQ(edit.CurrentTextColor(), 0x000000u);
}

TEST(LogFont, RecordRoundTripsThroughItsSixtyBytes)
{
    LogFontRecord record;
    record.height = -13;
    record.weight = 700;
    record.underline = 1;
    record.charSet = 0;
    record.quality = 2;
    record.pitchAndFamily = 0x31;
    std::strcpy(record.faceName, "Liberation Mono");
    const QByteArray bytes = record.Encode();
    ASSERT_EQ(bytes.size(), 60);
    EXPECT_EQ(uint8_t(bytes[0]), 0xF3);      // -13, little-endian
    EXPECT_EQ(uint8_t(bytes[16]), 0xBC);     // 700
    EXPECT_EQ(bytes[21], 1);                 // underline
    EXPECT_EQ(bytes.mid(28, 16), QByteArray("Liberation Mono\0", 16));
    LogFontRecord back;
    ASSERT_TRUE(LogFontRecord::Decode(bytes, &back));
    EXPECT_EQ(back, record);
    EXPECT_FALSE(LogFontRecord::Decode(bytes.left(59), &back));

    const QFont font = record.ToFont();
    EXPECT_EQ(font.pixelSize(), 13);
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.underline());
    EXPECT_TRUE(font.fixedPitch());
}

TEST(ModeDialogTest, TickFollowsTheClickedPicture)
{
    ModeDialog dialog;
    dialog.mode = ChessBoard;
    dialog.show();
    EXPECT_EQ(dialog.width(), 510);
    EXPECT_EQ(dialog.OkButton()->geometry().right() + 1, 480);
    EXPECT_EQ(dialog.OkButton()->x() - dialog.CancelButton()->geometry().right() - 1, 10);
    EXPECT_EQ(dialog.height() - dialog.OkButton()->geometry().bottom() - 1, 10);
    for (int m = 0; m < 4; ++m) {
        EXPECT_EQ(dialog.ModeButton(m)->geometry(), QRect(20 + 120 * m, 10, 100, 100));
        EXPECT_EQ(dialog.ModeButton(m)->Picture(), ModePicture(m, m == ChessBoard)) << m;
    }
    dialog.ModeButton(FilledPolygons)->click();
    EXPECT_EQ(dialog.mode, FilledPolygons);
    EXPECT_EQ(dialog.ModeButton(FilledPolygons)->Picture(), ModePicture(FilledPolygons, true));
    EXPECT_EQ(dialog.ModeButton(ChessBoard)->Picture(), ModePicture(ChessBoard, false));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(ModePicture(WireFrame, false), ModePicture(Gradient, false));

    // Each picture is named under it and in its tool tip, in full, clear of
    // the buttons.
    const char *names[] = {"wire frame", "filled polygons", "chess board", "gradient"};
    for (int m = 0; m < 4; ++m) {
        const QLabel *caption = dialog.ModeCaption(m);
        EXPECT_EQ(caption->text(), QString::fromLatin1(names[m]));
        EXPECT_EQ(dialog.ModeButton(m)->toolTip(), QString::fromLatin1(names[m]));
        EXPECT_TRUE(caption->isVisible());
        EXPECT_GE(caption->width(), caption->fontMetrics().horizontalAdvance(caption->text())) << m;
        EXPECT_GT(caption->y(), dialog.ModeButton(m)->geometry().bottom());
        EXPECT_LT(caption->geometry().bottom(), dialog.OkButton()->y());
        EXPECT_TRUE(dialog.rect().contains(caption->geometry()));
    }
}

TEST(ColorButtonTest, APressOpensOneChooserAndPaintsTheChoice)
{
    FakePrompter prompter;
    QWidget owner;
    ColorButton button(&owner);
    button.resize(40, 20);
    button.SetColor(MakeColor(10, 20, 30));
    Color stored = 0;
    int presses = 0;
    QObject::connect(&button, &ColorButton::Pressed, [&] {
        ++presses;
        button.ChooseFor(&owner, &stored);
    });
    prompter.colors.push_back(QColor(200, 100, 50));
    owner.show();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&button, &press);
    QApplication::sendEvent(&button, &release);

    EXPECT_EQ(presses, 1);
    ASSERT_EQ(prompter.colorRequests.size(), 1u);
    EXPECT_EQ(prompter.colorRequests[0], QColor(10, 20, 30));
    EXPECT_EQ(stored, MakeColor(200, 100, 50));
    EXPECT_EQ(button.GetColor(), stored);
    EXPECT_EQ(button.cursor().shape(), Qt::PointingHandCursor);
    // Only the colour is painted, corner to corner.
    const QImage face = button.grab().toImage();
    EXPECT_EQ(face.pixelColor(0, 0), QColor(200, 100, 50));
    EXPECT_EQ(face.pixelColor(39, 19), QColor(200, 100, 50));
}
