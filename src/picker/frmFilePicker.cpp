// SPDX-License-Identifier: GPL-2.0-or-later
#include "picker/frmFilePicker.h"

#include <QScreen>

#include "main_window/Texts.h"
#include "main_window/frmLumarin.h"
#include "picker/placement.h"
#include "platform/controls/DirList.h"
#include "platform/controls/DriveList.h"
#include "platform/controls/FileList.h"
#include "platform/controls/Form.h"
#include "platform/controls/PictureBox.h"
#include "platform/controls/TextBox.h"
#include "platform/system/DisplayNames.h"
#include "platform/system/Error.h"
#include "platform/system/Paths.h"

using namespace platform;

frmFilePicker::frmFilePicker(frmLumarin &owner, Services services)
    : GuardedWindow(services.dialogs, texts::Title), owner_(owner), services_(services)
{
    form = new Form(owner_.form.get(),
                    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                        | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                        | Qt::WindowCloseButtonHint);
    form->setCaption(QStringLiteral("Выберите папку/файл"));
    createControls();
    form->setFixedClientSize(5385, 3570);
    connectEvents();
    Form_Load();
}

frmFilePicker::~frmFilePicker()
{
    delete form.data();
}

void frmFilePicker::show()
{
    if (!form->isVisible() && !shownBefore_) {
        shownBefore_ = true;
        placeBesideOwner();
    }
    // Minimised by the user, the picker would stay an icon, and with no
    // task bar it would be lost for the session.
    form->setWindowState(form->windowState() & ~Qt::WindowMinimized);
    form->show();
    form->raise();
}

void frmFilePicker::placeBesideOwner()
{
    // The main window is placed by the window manager once it is shown:
    // until then its frame says nothing, so the picker moves again when the
    // main window first becomes active.
    if (!owner_.form->isVisible()) {
        QObject::connect(
            owner_.form.get(), &Form::activated, this, [this] { guard_.run([this] { placeBesideOwner(); }); },
            Qt::SingleShotConnection);
        return;
    }
    const QScreen *screen = owner_.form->screen();
    if (!screen)
        return;
    const QWidget *area = owner_.picContainer->widget();
    const QRect pictureArea(area->mapToGlobal(QPoint(0, 0)), area->size());
    form->move(pickerPlace(screen->availableGeometry(), owner_.form->frameGeometry(), pictureArea,
                           form->frameGeometry().size()));
}

void frmFilePicker::createControls()
{
    QWidget *client = form->client();
    // The lists open on the process's current folder.
    const QString start = currentFolder();
    drvDrive = new DriveList(services_.volumes, services_.folderReaders, start, client);
    drvDrive->move(0, 0, 2295, 315);
    dirDirectory = new DirList(services_.volumes, services_.folderReaders, PicturePattern, start, client);
    dirDirectory->move(0, 360, 2295, 3240);
    fleFile = new FileList(start, client);
    fleFile->move(2280, 0, 3135, 3600);
    // The folder list reads the folder for both; a slow one arrives later
    // as a change.
    if (!dirDirectory->listing())
        fleFile->setPath(dirDirectory->path(), dirDirectory->files());
    QWidget::setTabOrder(drvDrive->widget(), dirDirectory->widget());
    QWidget::setTabOrder(dirDirectory->widget(), fleFile->widget());
}

void frmFilePicker::connectEvents()
{
    on(form.data(), &Form::activated, &frmFilePicker::Form_Activate);
    connect(form.data(), &Form::queryUnload, this, [this](int &cancel, int unloadMode) {
        guard_.run([&] { Form_QueryUnload(cancel, unloadMode); });
    });
    on(drvDrive, &DriveList::change, &frmFilePicker::drvDrive_Change);
    on(dirDirectory, &DirList::change, &frmFilePicker::dirDirectory_Change);
    on(dirDirectory, &DirList::listingStarted, &frmFilePicker::dirDirectory_ListingStarted);
    on(dirDirectory, &DirList::listingEnded, &frmFilePicker::dirDirectory_ListingEnded);
    connect(dirDirectory, &DirList::failed, this, [this](const Error &error) {
        guard_.run([&] { dirDirectory_Failed(error); });
    });
    on(fleFile, &FileList::click, &frmFilePicker::fleFile_Click);
    // The folder list's own behaviour: a double-click or Enter opens the
    // folder, and what cannot be opened is reported like any other error.
    connect(dirDirectory, &DirList::openRequested, this, [this](const QString &folder) {
        guard_.run([&] {
            openingDrive_ = false;
            dirDirectory->setPath(folder);
        });
    });
}

void frmFilePicker::Form_Load()
{
    blnLoadOnClick = true;
    owner_.txtDir->setText(displayPath(dirDirectory->path()));
}

void frmFilePicker::Form_Activate()
{
    // Picks up folders made or removed since the picker was last used. A
    // folder that cannot be read now keeps its old list; anything else (an
    // allocation that failed) goes to the guard like any other fault.
    try {
        dirDirectory->refresh();
    } catch (const platform::Error &) {
    }
}

void frmFilePicker::Form_QueryUnload(int &Cancel, int UnloadMode)
{
    if (UnloadMode != Form::OwnerClosing)
        Cancel = 1;
    form->hide();
}

QString frmFilePicker::fullPath(int index) const
{
    // No test for a trailing separator: in a volume's root it is doubled.
    return dirDirectory->path() + QLatin1Char('/') + fleFile->list(index);
}

int frmFilePicker::indexOf(const QString &name) const
{
    for (int i = 0; i < fleFile->listCount(); ++i) {
        if (fleFile->list(i) == name)
            return i;
    }
    return -1;
}

bool frmFilePicker::clickFile(const QString &name)
{
    const int index = indexOf(name);
    if (index >= 0)
        fleFile->setListIndex(index);
    return index >= 0;
}

bool frmFilePicker::isListing() const
{
    return dirDirectory->listing();
}

void frmFilePicker::selectWhenListed(const QString &name)
{
    selectWhenListed_ = Selection{dirDirectory->path(), name};
}

void frmFilePicker::fleFile_Click()
{
    if (!blnLoadOnClick)
        return;
    owner_.NewPicture(fullPath(fleFile->listIndex()));
}
