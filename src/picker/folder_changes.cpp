// SPDX-License-Identifier: GPL-2.0-or-later
#include "picker/frmFilePicker.h"

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
        dirDirectory->setPath(drvDrive->drive());
    } catch (const Error &error) {
        if (error.number == errc::DeviceUnavailable) {
            services_.dialogs.message(QStringLiteral("Устройство недоступно."), texts::Title,
                                      Buttons::Ok, Icon::Stop);
            // Back to the drive of the folder still shown; that raises this
            // handler again, which opens it.
            drvDrive->setDrive(fleFile->path());
        } else {
            services_.dialogs.message(texts::folderFailureMessage(error),
                                      texts::Error, Buttons::Ok, Icon::None);
        }
    }
}

void frmFilePicker::dirDirectory_Change()
{
    fleFile->setPath(dirDirectory->path());
    owner_.txtDir->setText(displayPath(dirDirectory->path()));
}
