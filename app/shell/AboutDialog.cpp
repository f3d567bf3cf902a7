// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AboutDialog.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrlQuery>
#include <QVBoxLayout>

#include "ShellResources.h"
#include "tree/Prompter.h"

const QString AboutDialog::kAuthor = QStringLiteral("Marek Dolan");
const QString AboutDialog::kWebAddress = QStringLiteral("https://veltrix.example.org");
const QString AboutDialog::kMailAddress = QStringLiteral("marek.dolan@veltrix.example.org");

QUrl AboutDialog::WebUrl()
{
    return QUrl(kWebAddress);
}

QUrl AboutDialog::ReportMailUrl()
{
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(kMailAddress);
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("subject"), QStringLiteral("Veltrix 2.0 report"));
    url.setQuery(query);
    return url;
}

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent), open_([](const QUrl &url) { return QDesktopServices::openUrl(url); })
{
    InitShellResources();
    setWindowTitle(QStringLiteral("Informations about Veltrix"));

    auto *icon = new QLabel(this);
    icon->setPixmap(QPixmap(QStringLiteral(":/res/veltrix-32.png")));
    auto *picture = new QLabel(this);
    picture->setPixmap(QPixmap(QStringLiteral(":/res/about.png")));

    auto *release = new QLabel(QStringLiteral("Veltrix release 2.0"), this);
    QFont bold = release->font();
    bold.setBold(true);
    release->setFont(bold);
    auto *year = new QLabel(QStringLiteral("2001"), this);
    auto *author = new QLabel(QStringLiteral("Written by %1").arg(kAuthor), this);

    web_ = new QPushButton(kWebAddress, this);
    mail_ = new QPushButton(kMailAddress, this);
    web_->setAutoDefault(false);
    mail_->setAutoDefault(false);
    // Without a browser or a mail program the desktop only reports failure;
    // the user is told, as when the manual cannot be shown.
    connect(web_, &QPushButton::clicked, this, [this] {
        if (!open_(WebUrl()))
            ShowError(this, QStringLiteral("The web page %1 could not be opened.").arg(kWebAddress));
    });
    connect(mail_, &QPushButton::clicked, this, [this] {
        if (!open_(ReportMailUrl()))
            ShowError(this, QStringLiteral("No mail program could be started to write to %1.").arg(kMailAddress));
    });

    auto *ok = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(ok, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *grid = new QGridLayout;
    grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(release, 0, 1);
    grid->addWidget(year, 1, 1);
    grid->addWidget(author, 2, 1);
    grid->addWidget(picture, 0, 2, 3, 1, Qt::AlignTop | Qt::AlignRight);
    grid->addWidget(web_, 3, 1);
    grid->addWidget(mail_, 4, 1);
    grid->addWidget(ok, 4, 2, Qt::AlignBottom | Qt::AlignRight);
    grid->setColumnStretch(1, 1);
    setLayout(grid);
    setFixedSize(sizeHint());
}
