#include "main_window/frmLumarin.h"

#include "main_window/texts.h"
#include "platform/ImageControl.h"
#include "platform/Label.h"
#include "platform/PictureBox.h"

void frmLumarin::Form_Load()
{
    lblProgramStatus->setCaption(texts::StatusLoading);
    picOutPicture->setBorder(false);
    // The image control is drawn without a border already; nothing to remove.
    intScrollStep = 100;
    LoadImage();
}
