// SPDX-License-Identifier: GPL-2.0-or-later
#include "main_window/frmLumarin.h"

#include <QScopedValueRollback>

#include "main_window/extension.h"

#include "main_window/Texts.h"
#include "picker/frmFilePicker.h"
#include "platform/controls/Dialogs.h"
#include "platform/files/FileOperations.h"
#include "platform/system/DisplayNames.h"
#include "platform/system/TimeBox.h"

using namespace platform;

void frmLumarin::cbPickDir_Click()
{
    filePicker().show();
}

void frmLumarin::cbNext_Click()
{
    step(+1);
}

void frmLumarin::cbPrev_Click()
{
    step(-1);
}

void frmLumarin::step(int direction)
{
    // A folder list that has not arrived is not an empty folder: the step
    // waits for it, and the window goes on answering meanwhile.
    if (filePicker().isListing()) {
        stepWhenListed_ = direction;
        return;
    }
    strPicturePath = direction > 0 ? filePicker().NextFile() : filePicker().PreviousFile();
    strPictureExt = extensionOf(strPicturePath);
    lastDirection_ = direction;
    aheadAfterLoad_ = true;
    const QScopedValueRollback<bool> stepping(stepping_, true);
    LoadImage();
}

void frmLumarin::FolderListed()
{
    if (const int direction = std::exchange(stepWhenListed_, 0))
        step(direction);
}

void frmLumarin::mnuViewNext_Click()
{
    cbNext_Click();
}

void frmLumarin::mnuViewPrevious_Click()
{
    cbPrev_Click();
}

void frmLumarin::mnuViewRemove_Click()
{
    // The picker is not told: the next step goes on from its selection.
    strPicturePath.clear();
    strPictureExt.clear();
    LoadImage();
}

void frmLumarin::cbDel_Click()
{
    // The file deleted is the one the user saw: a file saved over or
    // renamed onto the shown one since, also while the question was open,
    // is shown instead of deleted unseen.
    if (shownFileWasReplaced()) {
        showReplacedFile();
        return;
    }
    stepWhenListed_ = 0; // a step still waiting must not change the file under the question
    const QString asked = strPicturePath;
    const QString question = QStringLiteral("Уверены что хотите удалить ") + displayPath(asked) + QLatin1Char('?');
    if (services_.dialogs.message(question, texts::Title, Buttons::YesNo, Icon::None) != Answer::Yes
        || strPicturePath != asked)
        return;
    if (shownFileWasReplaced())
        showReplacedFile();
    else
        deleteFile(strPicturePath);
}

bool frmLumarin::shownFileWasReplaced() const
{
    if (strPicturePath.isEmpty())
        return false;
    const auto now = timeBoxed<std::optional<FileIdentity>>(
        services_.workers, CheckTimeBox, [path = strPicturePath] { return fileIdentity(path); });
    if (!now)
        raise(errc::PathFileAccess, strPicturePath); // the disk does not answer: nothing is deleted
    return *now && *now != shownFile_;
}

void frmLumarin::showReplacedFile()
{
    services_.dialogs.message(QStringLiteral("Файл ") + displayPath(strPicturePath)
                                  + QStringLiteral(" изменился после того, как был показан. Он будет показан заново."),
                              texts::Title, Buttons::Ok, Icon::Exclamation);
    LoadImage();
}

void frmLumarin::mnuViewDelete_Click()
{
    cbDel_Click();
}
