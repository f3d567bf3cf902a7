// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>
#include <QUrl>
#include <functional>

class QPushButton;

// "Informations about Veltrix": release, year, picture, author and two
// buttons that open the author's web page and a new report mail.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    static const QString kAuthor;
    static const QString kWebAddress;
    static const QString kMailAddress;

    explicit AboutDialog(QWidget *parent = nullptr);

    // The address handed to the desktop for the web button and the mail
    // button ("mailto:" with the subject "Veltrix 2.0 report").
    static QUrl WebUrl();
    static QUrl ReportMailUrl();

    // Replaceable for tests; opens the URL with the user's browser or mail
    // program by default.
    void SetUrlOpener(std::function<bool(const QUrl &)> opener) { open_ = std::move(opener); }

    QPushButton *WebButton() const { return web_; }
    QPushButton *MailButton() const { return mail_; }

private:
    QPushButton *web_;
    QPushButton *mail_;
    std::function<bool(const QUrl &)> open_;
};
