// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/controls/ErrorGuard.h"
#include "platform/controls/Services.h"
#include "platform/files/FileIdentity.h"
#include "platform/pictures/Picture.h"

namespace platform {
class CommandButton;
class Form;
class ImageControl;
class Label;
class MenuItem;
class PictureBox;
class ScrollBar;
class TextBox;
class BackgroundLoad;
struct LoadOutcome;
} // namespace platform

// The main window. Its member functions live in the folder of the subsystem
// they belong to: main_window/ (controls, start-up, commands, layout, keys),
// display/ (loading, views, scroll bars, fit switch), picture_files/ (Open,
// Save). Controls and state are public, as other windows and the tests
// reach them by name.
class frmFilePicker;

namespace display {
class DecodeAhead;
} // namespace display

class frmLumarin : public QObject, public platform::GuardedWindow<frmLumarin>
{
    Q_OBJECT

    // First, so they outlive the controls.
    platform::Services services_;

public:
    explicit frmLumarin(platform::Services services);
    ~frmLumarin() override;

    // Loads the window on first use (running Form_Load) and shows it.
    void show();
    // Shows the file named on the command line, once shown: selected in
    // the picker, as a click there would; read directly when the picker
    // does not list it, or not yet.
    void showStartFile(const QString &path);
    // The picker's folder, slow to read, has arrived: a step asked for
    // meanwhile is taken now.
    void FolderListed();

    // --- Procedures offered to the rest of the program
    void LoadImage();
    void NewPicture(const QString &file);
    void ShowImage();
    void ShowScrollBars(const std::int16_t &intCmnd);
    // The file picker, created the first time it is referred to.
    frmFilePicker &filePicker();
    // Whether a picture is being read: LoadImage has started the read and
    // its steps after it wait for the picture.
    bool isLoading() const;

    // --- Event handlers
    void Form_Load();
    void Form_Resize();
    void Form_KeyDown(std::int16_t KeyCode, std::int16_t Shift);
    void cbPickDir_Click();
    void cbNext_Click();
    void cbPrev_Click();
    void cbDel_Click();
    void mnuFileOpenPic_Click();
    void mnuFileSavePic_Click();
    void mnuFileExit_Click();
    void mnuViewPictureToWindow_Click();
    void mnuViewNext_Click();
    void mnuViewPrevious_Click();
    void mnuViewRemove_Click();
    void mnuViewDelete_Click();
    void mnuHelpAbout_Click();
    void hscrPicRightLeft_Change();
    void hscrPicRightLeft_Scroll();
    void vscrPicUpDown_Change();
    void vscrPicUpDown_Scroll();

    // --- State
    QString strPicturePath;
    QString strPictureExt;
    std::int16_t intScrollStep = 0;

    // --- Controls
    std::unique_ptr<platform::Form> form;
    platform::CommonDialog cdlDialog;
    platform::TextBox *txtDir = nullptr;
    platform::CommandButton *cbPickDir = nullptr;
    platform::CommandButton *cbNext = nullptr;
    platform::CommandButton *cbPrev = nullptr;
    platform::CommandButton *cbDel = nullptr;
    platform::PictureBox *picContainer = nullptr;
    platform::PictureBox *picOutPicture = nullptr;
    platform::ScrollBar *vscrPicUpDown = nullptr;
    platform::ScrollBar *hscrPicRightLeft = nullptr;
    platform::PictureBox *picScrollBarsSquare = nullptr;
    platform::PictureBox *picLoadPicture = nullptr;
    platform::ImageControl *imgOutPicture = nullptr;
    platform::Label *lblProgramStatus = nullptr;

    platform::MenuItem *mnuFileOpenPic = nullptr;
    platform::MenuItem *mnuFileSavePic = nullptr;
    platform::MenuItem *mnuFileExit = nullptr;
    platform::MenuItem *mnuViewPictureToWindow = nullptr;
    platform::MenuItem *mnuViewNext = nullptr;
    platform::MenuItem *mnuViewPrevious = nullptr;
    platform::MenuItem *mnuViewRemove = nullptr;
    platform::MenuItem *mnuViewDelete = nullptr;
    platform::MenuItem *mnuHelpAbout = nullptr;

private:
    void createControls();
    void createMenus();
    void setTabOrder();
    void connectEvents();

    // Next or previous: the picker's step, then the load.
    void step(int direction);
    // Starts reading the current file's picture on a worker (decoded ahead
    // when a step may use that); false for the empty path, whose empty
    // picture is in the holder at once.
    bool startReading();
    // The read's outcome, on the window's thread: LoadImage goes on where
    // it left off, or reports the failure as at any step.
    void pictureArrived(platform::LoadOutcome outcome);
    // How far a picture may come reduced for the view it is shown in.
    QSize fitWithin() const;
    // Starts decoding the picture the next step in the same direction
    // would show.
    void decodeNextAhead();

    // Whether another file is at strPicturePath now than the one the
    // picture shown was read from (a file that is gone is not another).
    // A disk that does not answer in time is a path/file access error.
    bool shownFileWasReplaced() const;
    // Tells the user so and shows what is there now.
    void showReplacedFile();

    // Runs LoadImage's steps from `step` on, reporting failures.
    void continueLoad(int step);
    // Runs the steps from `step` on; `step` tracks the one running.
    void runLoadSteps(int &step);
    void reportLoadFailure(const platform::Error &error);


    bool loaded_ = false;
    // Declared after `form`, so it goes first: its window belongs to ours.
    std::unique_ptr<frmFilePicker> picker_;
    // Neither waits for a worker when it goes, so a read stuck in the
    // kernel never holds up the exit.
    std::unique_ptr<display::DecodeAhead> ahead_;
    std::unique_ptr<platform::BackgroundLoad> loading_;
    bool stepping_ = false;
    // Decode the next picture ahead once the current one is shown.
    bool aheadAfterLoad_ = false;
    int lastDirection_ = +1;
    // Next (+1) or previous (-1) asked for while the picker's folder was
    // still being read.
    int stepWhenListed_ = 0;
    // The version of the file that the picture shown was read from, taken
    // before reading: Delete and Save act on that version only.
    std::optional<platform::FileIdentity> shownFile_;
};
