#pragma once

#include <memory>

#include <QPlainTextEdit>

#include "model/ViewSettings.h"
#include "tree/LogFont.h"

// The function-text box: remembers its font, text colour and background
// colour per user, under its key's "settings" group, and writes each change
// at once so that the next dialog shows it again.
class PersistentEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    enum ColorSelector {
        TextColor = 1,
        BackgroundColor = 2
    };

    explicit PersistentEdit(QWidget *parent = nullptr);

    // Group below the application's settings, e.g. "edit1".
    void SetKey(const QString &key) { key_ = key; }
    QString Key() const { return key_; }

    // Reads the stored values (or stores the current ones when there are
    // none yet) and applies them.
    void LoadSettings();
    // Stores and applies a font and text colour; false when the settings
    // cannot be written, in which case nothing changes.
    bool SetFontAndTextColor(const LogFontRecord &font, Color textColor);
    // Stores and applies the text or the background colour.
    void SetColor(ColorSelector selector, Color color);

    LogFontRecord FontRecord() const { return fontRecord_; }
    Color CurrentTextColor() const { return textColor_; }
    Color CurrentBackgroundColor() const { return backgroundColor_; }

private:
    QString Group() const { return key_ + QStringLiteral("/settings"); }
    void ApplyFont();
    void ApplyColors();

    QString key_;
    LogFontRecord fontRecord_;
    Color textColor_ = 0x000000;
    Color backgroundColor_ = 0xFFFFFF;
};

// The per-user settings store of the program.
class QSettings;
std::unique_ptr<QSettings> OpenUserSettings();
