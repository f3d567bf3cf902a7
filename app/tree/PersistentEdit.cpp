#include "tree/PersistentEdit.h"

#include <memory>

#include <QSettings>
#include <QtEndian>

#include "tree/ColorButton.h"

namespace {
const QString kFont = QStringLiteral("logfont");
const QString kText = QStringLiteral("color1");
const QString kBackground = QStringLiteral("color2");

QByteArray EncodeColor(Color color)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian<uint32_t>(color, bytes.data());
    return bytes;
}

// Only byte strings were written by us; anything else reads as absent.
QByteArray ReadBytes(const QSettings &settings, const QString &name)
{
    const QVariant value = settings.value(name);
    return value.typeId() == QMetaType::QByteArray ? value.toByteArray() : QByteArray();
}

// Values of the wrong size are not ours to interpret: keep the default.
void ReadColor(const QSettings &settings, const QString &name, Color *color)
{
    const QByteArray bytes = ReadBytes(settings, name);
    if (bytes.size() == 4)
        *color = qFromLittleEndian<uint32_t>(bytes.constData());
}

bool Flush(QSettings &settings)
{
    settings.sync();
    return settings.status() == QSettings::NoError;
}
}  // namespace

std::unique_ptr<QSettings> OpenUserSettings()
{
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("Veltrix"), QStringLiteral("Veltrix 2.0"));
}

PersistentEdit::PersistentEdit(QWidget *parent) : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void PersistentEdit::LoadSettings()
{
    fontRecord_ = LogFontRecord::FromFont(font());
    textColor_ = 0x000000;
    backgroundColor_ = 0xFFFFFF;

    auto settings = OpenUserSettings();
    settings->beginGroup(Group());
    if (!settings->childKeys().isEmpty()) {
        LogFontRecord::Decode(ReadBytes(*settings, kFont), &fontRecord_);
        ReadColor(*settings, kText, &textColor_);
        ReadColor(*settings, kBackground, &backgroundColor_);
    } else {
        settings->setValue(kFont, fontRecord_.Encode());
        settings->setValue(kText, EncodeColor(textColor_));
        settings->setValue(kBackground, EncodeColor(backgroundColor_));
        settings->endGroup();
        Flush(*settings);
    }
    ApplyFont();
    ApplyColors();
}

bool PersistentEdit::SetFontAndTextColor(const LogFontRecord &font, Color textColor)
{
    auto settings = OpenUserSettings();
    settings->beginGroup(Group());
    settings->setValue(kFont, font.Encode());
    settings->setValue(kText, EncodeColor(textColor));
    settings->endGroup();
    if (!Flush(*settings))
        return false;
    fontRecord_ = font;
    textColor_ = textColor;
    ApplyFont();
    ApplyColors();
    return true;
}

void PersistentEdit::SetColor(ColorSelector selector, Color color)
{
    auto settings = OpenUserSettings();
    settings->beginGroup(Group());
    settings->setValue(selector == TextColor ? kText : kBackground, EncodeColor(color));
    settings->endGroup();
    if (!Flush(*settings))
        return;
    (selector == TextColor ? textColor_ : backgroundColor_) = color;
    ApplyColors();
}

void PersistentEdit::ApplyFont()
{
    setFont(fontRecord_.ToFont());
}

void PersistentEdit::ApplyColors()
{
    QPalette colors = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        colors.setColor(group, QPalette::Text, ToQColor(textColor_));
        colors.setColor(group, QPalette::Base, ToQColor(backgroundColor_));
    }
    setPalette(colors);
    viewport()->update();
}
