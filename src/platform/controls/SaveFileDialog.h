// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QFileDialog>
#include <QMessageBox>

#include "platform/controls/Dialogs.h"

namespace platform {

// Flag values of the dialog settings that mean something here.
namespace ofn {
// The chosen file must not be read-only: the user is told and chooses again.
inline constexpr int NoReadOnlyReturn = 0x8000;
} // namespace ofn

// Qt's own Save dialog set up from the program's dialog settings. Before
// replacing an existing file it asks (Qt's question, default No), except
// for the shown picture's own file while it is still the version shown,
// which would get its own bytes back.
class SaveFileDialog final : public QFileDialog
{
public:
    SaveFileDialog(QWidget *parent, const CommonDialog &settings);

    void accept() override;
    // The file chosen, as named on disk (see pathChosenInQt).
    QString chosenPath() const { return chosen_; }

private:
    QMessageBox::StandardButton warn(const QString &text, QMessageBox::StandardButtons buttons,
                                     QMessageBox::StandardButton defaultButton);

    QString shownFile_;
    std::optional<FileIdentity> shownVersion_;
    std::function<std::optional<int>(const std::function<int()> &)> runCheck_;
    int flags_;
    QString chosen_;
};

} // namespace platform
