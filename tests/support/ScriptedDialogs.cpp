// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/ScriptedDialogs.h"

platform::Answer ScriptedDialogs::message(const QString &text, const QString &caption,
                                          platform::Buttons buttons, platform::Icon icon)
{
    shown.append({text, caption, buttons, icon});
    if (whileOpen)
        whileOpen(shown.last());
    if (!answers.isEmpty())
        return answers.takeFirst();
    return buttons == platform::Buttons::Ok ? platform::Answer::Ok : platform::Answer::Yes;
}

void ScriptedDialogs::showSave(platform::CommonDialog &dialog)
{
    if (!saveAnswers.isEmpty())
        dialog.FileName = saveAnswers.takeFirst();
}
