// SPDX-License-Identifier: GPL-2.0-or-later
#include "main_window/frmLumarin.h"

#include "display/scrollbar_layout.h"
#include "platform/controls/ImageControl.h"
#include "platform/controls/MenuItem.h"
#include "platform/controls/PictureBox.h"
#include "platform/controls/ScrollBar.h"
#include "platform/controls/SystemColors.h"

using namespace platform;

void frmLumarin::ShowImage()
{
    if (strPicturePath.isEmpty())
        return;
    if (mnuViewPictureToWindow->isChecked()) {
        picContainer->setBackColor(systemColor(syscolor::WindowBackground));
        imgOutPicture->setPicture(picLoadPicture->picture());
        imgOutPicture->setVisible(true);
        ShowScrollBars(1);
    } else {
        picContainer->setBackColor(systemColor(syscolor::ButtonFace));
        picOutPicture->setPicture(picLoadPicture->picture());
        picOutPicture->setVisible(true);
        ShowScrollBars(0);
    }
}

void frmLumarin::ShowScrollBars(const std::int16_t &intCmnd)
{
    if (intCmnd == 1) {
        hscrPicRightLeft->setVisible(false);
        vscrPicUpDown->setVisible(false);
        picScrollBarsSquare->setVisible(false);
        return;
    }

    display::ScrollArea area;
    area.containerWidth = picContainer->width();
    area.containerHeight = picContainer->height();
    area.pictureWidth = picOutPicture->width();
    area.pictureHeight = picOutPicture->height();
    area.hscrHeight = hscrPicRightLeft->height();
    area.vscrWidth = vscrPicUpDown->width();
    area.scrollStep = intScrollStep;
    const display::ScrollBarLayout layout = display::layoutScrollBars(area);

    // Applied one bar after the other, place before length, so a refused
    // value (a negative length in a tiny area) leaves everything before it
    // in place.
    const display::BarPlacement &h = layout.horizontal;
    if (h.shown) {
        hscrPicRightLeft->setLeft(h.left);
        hscrPicRightLeft->setTop(h.top);
        hscrPicRightLeft->setWidth(h.length);
        hscrPicRightLeft->setMax(h.firstMax);
        hscrPicRightLeft->setVisible(true);
    } else {
        hscrPicRightLeft->setVisible(false);
    }

    const display::BarPlacement &v = layout.vertical;
    if (v.shown) {
        vscrPicUpDown->setLeft(v.left);
        vscrPicUpDown->setTop(v.top);
        vscrPicUpDown->setHeight(v.length);
        vscrPicUpDown->setMax(v.firstMax);
        vscrPicUpDown->setMax(v.max);
        vscrPicUpDown->setVisible(true);
    } else {
        vscrPicUpDown->setVisible(false);
    }

    if (h.shown && v.shown)
        hscrPicRightLeft->setMax(h.max);

    if (layout.squareShown) {
        picScrollBarsSquare->setLeft(layout.squareLeft);
        picScrollBarsSquare->setTop(layout.squareTop);
        picScrollBarsSquare->setBorder(false);
        picScrollBarsSquare->setVisible(true);
    } else {
        picScrollBarsSquare->setVisible(false);
    }
}
