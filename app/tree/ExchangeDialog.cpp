#include "tree/ExchangeDialog.h"

#include <cmath>

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "tree/Prompter.h"

namespace {
const QString kFieldMessageTitle = QStringLiteral("Veltrix 2.0");
}

QString NumberFieldText(double value)
{
    return QString::asprintf("%.15g", value);
}

ExchangeDialog::ExchangeDialog(QWidget *parent) : QDialog(parent)
{
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setDefault(true);
    ok_->setAutoDefault(true);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    connect(ok_, &QPushButton::clicked, this, &ExchangeDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void ExchangeDialog::accept()
{
    if (SaveFields())
        QDialog::accept();
}

void ExchangeDialog::showEvent(QShowEvent *event)
{
    setResult(Rejected);
    LoadFields();
    QDialog::showEvent(event);
}

QRect ExchangeDialog::Dlu(int x, int y, int width, int height) const
{
    const QFontMetrics metrics(font());
    const QString sample = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const double baseX = metrics.horizontalAdvance(sample) / 52.0;
    const double baseY = metrics.height();
    auto horizontal = [baseX](int units) { return int(std::lround(units * baseX / 4.0)); };
    auto vertical = [baseY](int units) { return int(std::lround(units * baseY / 8.0)); };
    return QRect(horizontal(x), vertical(y), horizontal(width), vertical(height));
}

void ExchangeDialog::SetDluSize(int width, int height)
{
    setFixedSize(Dlu(0, 0, width, height).size());
}

void ExchangeDialog::PlaceButtons(int okX, int okY, int cancelX, int cancelY)
{
    ok_->setGeometry(Dlu(okX, okY, 50, 14));
    cancel_->setGeometry(Dlu(cancelX, cancelY, 50, 14));
}

QLabel *ExchangeDialog::AddText(const QString &text, int x, int y, int width, int height)
{
    auto *label = new QLabel(text, this);
    label->setGeometry(Dlu(x, y, width, height));
    return label;
}

QLineEdit *ExchangeDialog::AddField(int x, int y, int width, int height)
{
    auto *edit = new QLineEdit(this);
    edit->setGeometry(Dlu(x, y, width, height));
    return edit;
}

void ExchangeDialog::FieldMessage(QWidget *field, const QString &text)
{
    Prompter::Current().Message(this, QMessageBox::Warning, kFieldMessageTitle, text);
    field->setFocus();
    if (auto *edit = qobject_cast<QLineEdit *>(field))
        edit->selectAll();
}

bool ExchangeDialog::ReadNumber(QLineEdit *edit, double *value)
{
    bool ok = false;
    const double number = edit->text().trimmed().toDouble(&ok);
    // "nan" and "inf" parse, but no range check could hold them.
    if (!ok || !std::isfinite(number)) {
        FieldMessage(edit, QStringLiteral("Please enter a number."));
        return false;
    }
    *value = number;
    return true;
}

bool ExchangeDialog::ReadInteger(QLineEdit *edit, int32_t *value)
{
    bool ok = false;
    const int number = edit->text().trimmed().toInt(&ok);
    if (!ok) {
        FieldMessage(edit, QStringLiteral("Please enter an integer."));
        return false;
    }
    *value = number;
    return true;
}
