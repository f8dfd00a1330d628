// SPDX-License-Identifier: GPL-2.0-or-later
#include "main_window/frmLumarin.h"

#include <QCoreApplication>

#include "main_window/Texts.h"
#include "picker/frmFilePicker.h"
#include "picture_files/save_name.h"
#include "platform/controls/DirList.h"
#include "platform/controls/Dialogs.h"
#include "platform/controls/Label.h"
#include "platform/controls/PictureBox.h"
#include "platform/pictures/PictureSaver.h"
#include "platform/system/TimeBox.h"

using namespace platform;

namespace {

// Flags of the Save dialog: no read-only return, extension-different
// reporting.
constexpr int SaveFlags = 0x8400;

} // namespace

void frmLumarin::mnuFileSavePic_Click()
{
    // The picture saved is the one the user saw when asking: a step still
    // waiting for the picker's folder is dropped, not taken behind the
    // dialog.
    stepWhenListed_ = 0;
    try {
        lblProgramStatus->setCaption(texts::StatusSaving);
        cdlDialog.FileName = QStringLiteral("*.") + strPictureExt;
        cdlDialog.DefaultExt = strPictureExt;
        cdlDialog.InitDir = saveFolder(services_.workers, QCoreApplication::applicationDirPath(),
                                       filePicker().dirDirectory->path());
        cdlDialog.Filter = QStringLiteral("(*.") + strPictureExt + QStringLiteral(")|*.") + strPictureExt;
        cdlDialog.Flags = SaveFlags;
        cdlDialog.ShownFile = strPicturePath;
        cdlDialog.ShownFileVersion = shownFile_;
        cdlDialog.RunCheck = [this](const std::function<int()> &check) {
            return timeBoxed<int>(services_.workers, CheckTimeBox, check);
        };
        services_.dialogs.showSave(cdlDialog);
        if (nameWasChosen(cdlDialog.FileName, strPictureExt))
            savePicture(*picLoadPicture->picture(), cdlDialog.FileName);
        lblProgramStatus->setCaption(texts::StatusReady);
    } catch (...) {
        // Any failure, a failed allocation included, takes the one path.
        const Error error = currentError();
        if (error.number != errc::DialogCancelled) {
            lblProgramStatus->setCaption(texts::StatusError);
            services_.dialogs.message(texts::saveFailureMessage(error),
                                      texts::Title, Buttons::Ok, Icon::Exclamation);
        }
        lblProgramStatus->setCaption(texts::StatusReady);
    }
}
