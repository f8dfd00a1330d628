// SPDX-License-Identifier: GPL-2.0-or-later
#include "main_window/frmLumarin.h"

#include "platform/controls/MenuItem.h"

void frmLumarin::mnuViewPictureToWindow_Click()
{
    mnuViewPictureToWindow->setChecked(!mnuViewPictureToWindow->isChecked());
    LoadImage();
}
