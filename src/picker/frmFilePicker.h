// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <optional>

#include "platform/controls/ErrorGuard.h"
#include "platform/controls/Services.h"

class frmLumarin;

namespace platform {
class DirList;
class DriveList;
struct Error;
class FileList;
class Form;
} // namespace platform

// The file picker: drive, folder and file lists. It owns the program's only
// list of picture files; a selection in it shows that picture in the main
// window, and the main window steps through it with NextFile/PreviousFile.
class frmFilePicker : public QObject, public platform::GuardedWindow<frmFilePicker>
{
    Q_OBJECT

public:
    // The files the file list shows.
    static inline const QString PicturePattern =
        QStringLiteral("*.bmp;*.dib;*.ico;*.cur;*.gif;*.jpeg;*.jpe;*.jpg;*.wmf;*.emf");

    frmFilePicker(frmLumarin &owner, platform::Services services);
    ~frmFilePicker() override;

    // Shows the picker modeless, in front of its owner.
    void show();
    // Selects the named file of the open folder as a click on it does (the
    // main window shows it). False when the folder lists no such file.
    bool clickFile(const QString &name);
    // The open folder is still being read: its file list is not there yet.
    bool isListing() const;
    // Once the folder being read arrives, selects the named file without
    // showing it (it is shown already); not once another folder is open.
    void selectWhenListed(const QString &name);

    // --- Stepping through the folder
    QString NextFile();
    QString PreviousFile();
    QString SelectedFile();
    // The full path a step in `direction` (+1 next, -1 previous) would
    // give, without taking it; empty when the folder holds no pictures.
    QString FileAfterStep(int direction) const;

    // --- Event handlers
    void Form_Load();
    void Form_Activate();
    void Form_QueryUnload(int &Cancel, int UnloadMode);
    void drvDrive_Change();
    void dirDirectory_Change();
    void dirDirectory_ListingStarted();
    void dirDirectory_ListingEnded();
    void dirDirectory_Failed(const platform::Error &error);
    void fleFile_Click();

    // --- State
    bool blnLoadOnClick = false;

    // --- Controls
    QPointer<platform::Form> form;
    platform::DriveList *drvDrive = nullptr;
    platform::DirList *dirDirectory = nullptr;
    platform::FileList *fleFile = nullptr;

private:
    void createControls();
    void placeBesideOwner();
    void connectEvents();
    // Moves the selection by `rule` and returns the new file's full path.
    QString stepTo(int (*rule)(int selected, int count));
    // The full path of a listed file: folder list's path, separator, name.
    QString fullPath(int index) const;
    // The index of a name in the file list; -1 when it is not there.
    int indexOf(const QString &name) const;
    void reportDriveFailure(const platform::Error &error);

    frmLumarin &owner_;
    platform::Services services_;
    bool shownBefore_ = false;
    // Whether the folder being opened came from the drive list, whose
    // failures are reported in its own way.
    bool openingDrive_ = false;
    struct Selection
    {
        QString folder, name;
    };
    std::optional<Selection> selectWhenListed_;
};
