// SPDX-License-Identifier: GPL-2.0-or-later
#include "main_window/frmLumarin.h"

#include "platform/controls/PictureBox.h"
#include "platform/controls/ScrollBar.h"

namespace {

// The canvas offset in twips for a bar position. Formed in 32 bits: with
// the 16-bit step and position the product passes 32,767 for pictures more
// than about 3,300 pixels wider than the area.
float canvasOffset(std::int16_t step, int position)
{
    return -static_cast<float>(std::int32_t(step) * std::int32_t(position));
}

} // namespace

void frmLumarin::hscrPicRightLeft_Change()
{
    picOutPicture->setLeft(canvasOffset(intScrollStep, hscrPicRightLeft->value()));
}

void frmLumarin::hscrPicRightLeft_Scroll()
{
    hscrPicRightLeft_Change();
}

void frmLumarin::vscrPicUpDown_Change()
{
    picOutPicture->setTop(canvasOffset(intScrollStep, vscrPicUpDown->value()));
}

void frmLumarin::vscrPicUpDown_Scroll()
{
    vscrPicUpDown_Change();
}
