#include "tree/PersistentEdit.h"

#include <memory>

#include <QSettings>
#include <QtEndian>

#include "tree/ColorButton.h"

namespace {
const QString kFont = QStringLiteral("logfont");
const QString kText = QStringLiteral("color1");
const QString kBackground = QStringLiteral("color2");

QByteArray EncodeColour(Colour colour)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian<uint32_t>(colour, bytes.data());
    return bytes;
}

// Only byte strings were written by us; anything else reads as absent.
QByteArray ReadBytes(const QSettings &settings, const QString &name)
{
    const QVariant value = settings.value(name);
    return value.typeId() == QMetaType::QByteArray ? value.toByteArray() : QByteArray();
}

// Values of the wrong size are not ours to interpret: keep the default.
void ReadColour(const QSettings &settings, const QString &name, Colour *colour)
{
    const QByteArray bytes = ReadBytes(settings, name);
    if (bytes.size() == 4)
        *colour = qFromLittleEndian<uint32_t>(bytes.constData());
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
        ReadColour(*settings, kText, &textColor_);
        ReadColour(*settings, kBackground, &backgroundColor_);
    } else {
        settings->setValue(kFont, fontRecord_.Encode());
        settings->setValue(kText, EncodeColour(textColor_));
        settings->setValue(kBackground, EncodeColour(backgroundColor_));
        settings->endGroup();
        Flush(*settings);
    }
    ApplyFont();
    ApplyColours();
}

bool PersistentEdit::SetFontAndTextColor(const LogFontRecord &font, Colour textColor)
{
    auto settings = OpenUserSettings();
    settings->beginGroup(Group());
    settings->setValue(kFont, font.Encode());
    settings->setValue(kText, EncodeColour(textColor));
    settings->endGroup();
    if (!Flush(*settings))
        return false;
    fontRecord_ = font;
    textColor_ = textColor;
    ApplyFont();
    ApplyColours();
    return true;
}

void PersistentEdit::SetColor(ColorSelector selector, Colour color)
{
    auto settings = OpenUserSettings();
    settings->beginGroup(Group());
    settings->setValue(selector == TextColor ? kText : kBackground, EncodeColour(color));
    settings->endGroup();
    if (!Flush(*settings))
        return;
    (selector == TextColor ? textColor_ : backgroundColor_) = color;
    ApplyColours();
}

void PersistentEdit::ApplyFont()
{
    setFont(fontRecord_.ToFont());
}

void PersistentEdit::ApplyColours()
{
    QPalette colours = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        colours.setColor(group, QPalette::Text, ToQColor(textColor_));
        colours.setColor(group, QPalette::Base, ToQColor(backgroundColor_));
    }
    setPalette(colours);
    viewport()->update();
}
