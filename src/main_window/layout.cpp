// SPDX-License-Identifier: GPL-2.0-or-later
#include "main_window/frmLumarin.h"

#include <exception>
#include <functional>

#include "platform/controls/Form.h"
#include "platform/controls/ImageControl.h"
#include "platform/controls/Label.h"
#include "platform/controls/PictureBox.h"

using namespace platform;

namespace {

// Each layout step stands alone: one that is refused (a negative size in a
// tiny window) or fails otherwise is skipped and the next still runs.
void runAlone(const std::function<void()> &step)
{
    try {
        step();
    } catch (const Error &) {
    } catch (const std::exception &) {
    }
}

} // namespace

void frmLumarin::Form_Resize()
{
    const std::function<void()> steps[] = {
        [this] { lblProgramStatus->setTop(form->clientHeight() - lblProgramStatus->height()); },
        [this] { lblProgramStatus->setWidth(form->clientWidth()); },
        [this] { picContainer->setWidth(form->outerWidth() - picContainer->left() - 100); },
        [this] {
            picContainer->setHeight(form->outerHeight() - picContainer->top() - 650
                                    - lblProgramStatus->height());
        },
        [this] { imgOutPicture->setWidth(picContainer->width() - 100 + 30); },
        [this] { imgOutPicture->setHeight(picContainer->height() - 100 + 25); },
        [this] { picLoadPicture->setTop(0); },
        [this] { picLoadPicture->setLeft(0); },
        [this] { picOutPicture->setTop(0); },
        [this] { picOutPicture->setLeft(0); },
        [this] { imgOutPicture->setTop(5); },
        [this] { imgOutPicture->setLeft(5); },
        [this] { ShowImage(); },
    };
    for (const auto &step : steps)
        runAlone(step);
}
