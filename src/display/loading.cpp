// SPDX-License-Identifier: GPL-2.0-or-later
#include "main_window/frmLumarin.h"

#include <utility>

#include "display/DecodeAhead.h"
#include "display/reading.h"
#include "main_window/Texts.h"
#include "main_window/extension.h"
#include "picker/frmFilePicker.h"
#include "platform/controls/Dialogs.h"
#include "platform/controls/Form.h"
#include "platform/controls/ImageControl.h"
#include "platform/controls/Label.h"
#include "platform/controls/MenuItem.h"
#include "platform/controls/PictureBox.h"
#include "platform/controls/ScrollBar.h"
#include "platform/pictures/BackgroundLoad.h"
#include "platform/pictures/PictureLoader.h"
#include "platform/system/DisplayNames.h"
#include "platform/system/ScreenArea.h"

using namespace platform;

void frmLumarin::NewPicture(const QString &file)
{
    ahead_->start({}); // whatever was being decoded ahead is of no use now
    strPicturePath = file;
    strPictureExt = extensionOf(strPicturePath);
    aheadAfterLoad_ = true;
    LoadImage();
}

QSize frmLumarin::fitWithin() const
{
    // The fitted view never needs more than the largest screen can show;
    // switching views reads the file again, at its own size for the other.
    return mnuViewPictureToWindow->isChecked() ? largestScreenArea() : QSize();
}

bool frmLumarin::startReading()
{
    shownFile_.reset(); // nothing is shown until the picture arrives
    if (strPicturePath.isEmpty()) {
        picLoadPicture->setPicture(services_.pictures.load(strPicturePath, fitWithin()));
        return false;
    }
    // The window's thread never reads: a file on a stalled disk would hold
    // up everything, the close box included, until the disk answers.
    std::shared_ptr<display::DecodeAhead::Job> ahead;
    if (stepping_)
        ahead = ahead_->adopt(strPicturePath, fitWithin());
    platform::PictureLoader &loader = services_.pictures;
    loading_->start(
        strPicturePath,
        [&loader, path = strPicturePath, fit = fitWithin(), ahead](const std::atomic_bool &cancelled) {
            return display::readPicture(loader, path, fit, ahead, cancelled);
        },
        [this](LoadOutcome outcome) { guard_.run([&] { pictureArrived(std::move(outcome)); }); },
        [ahead] {
            if (ahead)
                display::DecodeAhead::cancel(*ahead);
        });
    return true;
}

void frmLumarin::pictureArrived(LoadOutcome outcome)
{
    if (outcome.failure) {
        reportLoadFailure(*outcome.failure);
        continueLoad(6); // the failed step again, with the empty path
    } else {
        shownFile_ = outcome.identity;
        picLoadPicture->setPicture(std::move(outcome.picture));
        continueLoad(7);
    }
    form->setCommandRunning(isLoading());
}

void frmLumarin::decodeNextAhead()
{
    const bool fitted = mnuViewPictureToWindow->isChecked();
    ahead_->start(strPicturePath.isEmpty() ? QString() : filePicker().FileAfterStep(lastDirection_),
                  fitWithin(), fitted ? imgOutPicture->widget()->size() : QSize());
}

bool frmLumarin::isLoading() const
{
    return loading_->pending();
}

void frmLumarin::LoadImage()
{
    stepWhenListed_ = 0; // so is a step that waits for the picker's folder
    loading_->drop(); // a load still running is of no use now; its picture never shows
    continueLoad(1);
    form->setCommandRunning(isLoading());
}

void frmLumarin::continueLoad(int step)
{
    for (;;) {
        Error failure;
        const bool hadPath = !strPicturePath.isEmpty();
        try {
            runLoadSteps(step);
            return;
        } catch (...) {
            failure = currentError();
        }
        reportLoadFailure(failure);
        // Resume at the failed step, now with the empty path. Should a step
        // fail with the path already empty, move past it so the sequence
        // always ends.
        if (!hadPath)
            ++step;
    }
}

void frmLumarin::reportLoadFailure(const Error &error)
{
    lblProgramStatus->setCaption(texts::StatusError);
    services_.dialogs.message(error.description, texts::LoadErrorCaption, Buttons::Ok,
                              Icon::Exclamation);
    strPicturePath.clear();
    strPictureExt.clear();
    lblProgramStatus->setCaption(texts::StatusLoading);
}

void frmLumarin::runLoadSteps(int &step)
{
    switch (step) {
    case 1:
        lblProgramStatus->setCaption(texts::StatusLoading);
        step = 2;
        [[fallthrough]];
    case 2:
        // A hidden view lets go of its picture, so a removed or replaced
        // picture's memory is freed at once.
        picOutPicture->setVisible(false);
        picOutPicture->setPicture(emptyPicture());
        step = 3;
        [[fallthrough]];
    case 3:
        imgOutPicture->setVisible(false);
        imgOutPicture->setPicture(emptyPicture());
        step = 4;
        [[fallthrough]];
    case 4:
        hscrPicRightLeft->setValue(0);
        step = 5;
        [[fallthrough]];
    case 5:
        vscrPicUpDown->setValue(0);
        step = 6;
        [[fallthrough]];
    case 6:
        // The previous picture goes before the next is read: one picture in
        // memory at a time, and a failed load has no old picture to show.
        picLoadPicture->setPicture(emptyPicture());
        if (startReading())
            return; // the rest follows when the picture arrives
        step = 7;
        [[fallthrough]];
    case 7:
        form->setCaption(strPicturePath.isEmpty() ? texts::Title
                                                  : texts::TitlePrefix + displayPath(strPicturePath));
        step = 8;
        [[fallthrough]];
    case 8:
        if (!strPicturePath.isEmpty())
            ShowImage();
        else
            ShowScrollBars(1);
        step = 9;
        [[fallthrough]];
    case 9:
        lblProgramStatus->setCaption(texts::StatusReady);
        step = 10;
        if (std::exchange(aheadAfterLoad_, false))
            decodeNextAhead();
        break;
    default:
        break;
    }
}
