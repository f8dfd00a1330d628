// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <optional>

#include "platform/files/FileIdentity.h"

namespace platform {

// The settings of a file dialog, as the program sets them before showing it
// and reads them back after.
struct CommonDialog
{
    QString FileName;   // starts in the name box; the full chosen path after
    QString DefaultExt; // added to a name typed without an extension
    QString InitDir;    // the folder the dialog opens in
    QString Filter;     // "description|pattern" pairs joined by "|"
    int Flags = 0;
    QString ShownFile;  // the shown picture's file: replaced without a question
    // ... while it is still this version of it, the one the picture was
    // read from; once it changed on disk it is asked about as any other.
    std::optional<FileIdentity> ShownFileVersion;
    // Where the dialog's checks of the chosen file run: off the window's
    // thread and within a time, nothing coming back from a disk that does
    // not answer. Unset, they run in place.
    std::function<std::optional<int>(const std::function<int()> &check)> RunCheck;

};

enum class Buttons { Ok, YesNo };
enum class Icon { None, Stop, Exclamation };
enum class Answer { Ok, Yes, No };

// The program's caption for message boxes that name none of their own.

// Every modal question and notice of the program goes through here, so tests
// can read what was asked and answer it.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // Shows a modal message box and waits for it. With Yes/No, Yes is the
    // default button.
    virtual Answer message(const QString &text, const QString &caption,
                           Buttons buttons, Icon icon) = 0;

    // Shows the modal Save dialog. On OK, FileName becomes the full chosen
    // path; a cancel leaves everything as it was and raises no error.
    virtual void showSave(CommonDialog &dialog) = 0;
};

} // namespace platform
