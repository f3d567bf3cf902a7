// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <deque>
#include <functional>
#include <vector>

#include <QDialog>

#include "tree/Prompter.h"

// Answers the tree's dialogs and message boxes from a script instead of a
// user, and remembers what was shown.
class FakePrompter : public Prompter {
public:
    struct Shown {
        QMessageBox::Icon icon;
        QString title;
        QString text;
    };
    using DialogStep = std::function<bool(QDialog &)>;

    FakePrompter() { Prompter::Install(this); }
    ~FakePrompter() override { Prompter::Install(nullptr); }

    // Shows the dialog (so that its fields are loaded), lets `fill` change
    // its controls and presses OK; the step's answer is whether the dialog
    // closed with OK.
    template <class Dialog>
    void Accept(std::function<void(Dialog &)> fill = {})
    {
        steps.push_back([fill](QDialog &dialog) {
            auto &d = dynamic_cast<Dialog &>(dialog);
            d.show();
            if (fill)
                fill(d);
            d.accept();
            const bool ok = d.result() == QDialog::Accepted;
            d.hide();
            return ok;
        });
    }
    template <class Dialog>
    void Cancel(std::function<void(Dialog &)> look = {})
    {
        steps.push_back([look](QDialog &dialog) {
            auto &d = dynamic_cast<Dialog &>(dialog);
            d.show();
            if (look)
                look(d);
            d.reject();
            d.hide();
            return false;
        });
    }

    bool Run(QDialog &dialog) override
    {
        ++runs;
        if (steps.empty())
            return false;
        DialogStep step = steps.front();
        steps.pop_front();
        return step(dialog);
    }
    void Message(QWidget *, QMessageBox::Icon icon, const QString &title, const QString &text) override
    {
        messages.push_back({icon, title, text});
    }
    bool ChooseColor(QWidget *, const QColor &initial, QColor *chosen) override
    {
        colorRequests.push_back(initial);
        if (colors.empty())
            return false;
        *chosen = colors.front();
        colors.pop_front();
        return true;
    }
    bool ChooseFont(QWidget *, const QFont &, const QColor &, QFont *font, QColor *color) override
    {
        if (fonts.empty())
            return false;
        *font = fonts.front().first;
        *color = fonts.front().second;
        fonts.pop_front();
        return true;
    }

    QStringList MessageTexts() const
    {
        QStringList texts;
        for (const Shown &m : messages)
            texts << m.text;
        return texts;
    }

    std::deque<DialogStep> steps;
    std::deque<QColor> colors;
    std::deque<std::pair<QFont, QColor>> fonts;
    std::vector<Shown> messages;
    std::vector<QColor> colorRequests;
    int runs = 0;
};
