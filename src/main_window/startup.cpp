// SPDX-License-Identifier: GPL-2.0-or-later
#include "main_window/frmLumarin.h"

#include "main_window/Texts.h"
#include "picker/frmFilePicker.h"
#include "platform/controls/ImageControl.h"
#include "platform/controls/Label.h"
#include "platform/controls/PictureBox.h"
#include "platform/system/Paths.h"

// The platform shows the main window once this returns; the picker, shown
// last here, then stands beside it, in front.
void frmLumarin::Form_Load()
{
    lblProgramStatus->setCaption(texts::StatusLoading);
    picOutPicture->setBorder(false);
    // The image control is drawn without a border already; nothing to remove.
    intScrollStep = 100;
    LoadImage();
    cbPickDir_Click();
}

void frmLumarin::showStartFile(const QString &path)
{
    guard_.run([&] {
        const QString name = platform::fileNameOf(path);
        if (filePicker().isListing())
            filePicker().selectWhenListed(name);
        else if (filePicker().clickFile(name))
            return;
        NewPicture(path);
    });
}
