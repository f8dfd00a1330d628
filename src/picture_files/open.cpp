// SPDX-License-Identifier: GPL-2.0-or-later
#include "main_window/frmLumarin.h"

// Pictures are opened by choosing them in the picker; this shows it.
void frmLumarin::mnuFileOpenPic_Click()
{
    cbPickDir_Click();
}
