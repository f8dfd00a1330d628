// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <functional>

#include "platform/controls/Dialogs.h"

// Records every message box the program shows and answers from a queue
// (OK, or Yes when the queue is empty).
class ScriptedDialogs final : public platform::Dialogs
{
public:
    struct Shown { QString text, caption; platform::Buttons buttons; platform::Icon icon; };

    platform::Answer message(const QString &text, const QString &caption,
                             platform::Buttons buttons, platform::Icon icon) override;
    // Answers with the next queued name, or cancels when none is queued.
    void showSave(platform::CommonDialog &dialog) override;

    QList<Shown> shown;
    QList<platform::Answer> answers;
    QStringList saveAnswers;
    // Runs while a box is "open", to look at the program's state then.
    std::function<void(const Shown &)> whileOpen;
};
