// SPDX-License-Identifier: GPL-2.0-or-later
#include "picker/frmFilePicker.h"

#include <QScopedValueRollback>

#include "main_window/Texts.h"
#include "main_window/frmLumarin.h"
#include "platform/controls/Dialogs.h"
#include "platform/controls/DirList.h"
#include "platform/controls/DriveList.h"
#include "platform/controls/FileList.h"
#include "platform/controls/TextBox.h"
#include "platform/system/DisplayNames.h"

using namespace platform;

void frmFilePicker::drvDrive_Change()
{
    try {
        openingDrive_ = true;
        dirDirectory->setPath(drvDrive->drive());
    } catch (const Error &error) {
        reportDriveFailure(error);
    }
}

void frmFilePicker::reportDriveFailure(const Error &error)
{
    if (error.number == errc::DeviceUnavailable) {
        services_.dialogs.message(QStringLiteral("Устройство недоступно."), texts::Title, Buttons::Ok,
                                  Icon::Stop);
        // Back to the drive of the folder still shown; that raises this
        // handler again, which opens it.
        drvDrive->setDrive(fleFile->path());
    } else {
        services_.dialogs.message(texts::folderFailureMessage(error), texts::Error, Buttons::Ok, Icon::None);
    }
}

void frmFilePicker::dirDirectory_Change()
{
    fleFile->setPath(dirDirectory->path(), dirDirectory->files());
    owner_.txtDir->setText(displayPath(dirDirectory->path()));
}

void frmFilePicker::dirDirectory_ListingStarted()
{
    fleFile->hold();
}

void frmFilePicker::dirDirectory_ListingEnded()
{
    fleFile->release();
    if (const auto selection = std::exchange(selectWhenListed_, std::nullopt);
        selection && selection->folder == dirDirectory->path()) {
        // The picture is shown already: the selection only marks it.
        const QScopedValueRollback<bool> quiet(blnLoadOnClick, false);
        if (const int index = indexOf(selection->name); index >= 0)
            fleFile->setListIndex(index);
    }
    owner_.FolderListed();
}

// A folder that took long to read and then could not be: reported as it
// would have been had it failed at once.
void frmFilePicker::dirDirectory_Failed(const Error &error)
{
    if (openingDrive_)
        reportDriveFailure(error);
    else
        throw error;
}
