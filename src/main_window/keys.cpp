// SPDX-License-Identifier: GPL-2.0-or-later
#include "main_window/frmLumarin.h"

#include "about/frmAbout.h"
#include "main_window/key_table.h"
#include "platform/controls/Form.h"

void frmLumarin::Form_KeyDown(std::int16_t KeyCode, std::int16_t Shift)
{
    switch (commandForKey(KeyCode, Shift)) {
    case KeyCommand::Exit: mnuFileExit_Click(); break;
    case KeyCommand::Open: mnuFileOpenPic_Click(); break;
    case KeyCommand::Save: mnuFileSavePic_Click(); break;
    case KeyCommand::FitToWindow: mnuViewPictureToWindow_Click(); break;
    case KeyCommand::Next: mnuViewNext_Click(); break;
    case KeyCommand::Previous: mnuViewPrevious_Click(); break;
    case KeyCommand::Remove: mnuViewRemove_Click(); break;
    case KeyCommand::Delete: mnuViewDelete_Click(); break;
    case KeyCommand::None: break;
    }
}

void frmLumarin::mnuFileExit_Click()
{
    // The picker, owned by this window, is closed with it; with no window
    // left the program ends.
    form->close();
}

void frmLumarin::mnuHelpAbout_Click()
{
    // The About window unloads itself when closed, so each showing is a new
    // one and sets its texts afresh.
    frmAbout about(services_.dialogs, services_.registry, services_.launcher);
    about.showModal();
}
