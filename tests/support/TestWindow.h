// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

#include "main_window/frmLumarin.h"
#include "picker/frmFilePicker.h"
#include "platform/pictures/FilePictureLoader.h"
#include "platform/system/Workers.h"
#include "support/QtPrinting.h"
#include "support/FakeRegistry.h"
#include "support/FakeVolumes.h"
#include "support/ScriptedDialogs.h"
#include "support/StalledReads.h"

// The real loader, running `beforeLoad` before each load it is asked for
// (on the worker that runs the load), its reads stalled where a test says.
struct ObservedLoader final : platform::PictureLoader
{
    using platform::PictureLoader::load;
    platform::PicturePtr load(const QString &path, QSize fitWithin, const std::atomic_bool *cancelled) override
    {
        ++started;
        if (beforeLoad)
            beforeLoad();
        const struct Count { std::atomic_int &n; ~Count() { ++n; } } count{ended};
        return real.load(path, fitWithin, cancelled);
    }
    platform::PictureReads reads() const override { return real.reads(); }

    StalledReads stalls;
    platform::FilePictureLoader real{QStringLiteral(LUMARIN_METAFILE_HELPER), stalls.reads()};
    std::function<void()> beforeLoad;
    std::atomic_int started = 0;
    std::atomic_int ended = 0; // loads that returned or threw
};

// The main window as the program builds it, with the real picture loader and
// scripted dialogs, shown offscreen. Records every status text it shows.
struct TestWindow
{
    // Starts in `folder` as the process's current folder (the picker's
    // lists open there), or in the current one; `prepare` runs before the
    // main window is made.
    explicit TestWindow(const QString &folder = {}, const std::function<void(TestWindow &)> &prepare = {});
    // Reads still stalled go on, into a window that is gone, and leave the
    // loader before it goes.
    ~TestWindow();

    ScriptedDialogs dialogs;
    ObservedLoader pictures;
    FakeVolumes volumes;
    FakeRegistry registry;
    FakeLauncher launcher;
    platform::Workers workers;
    platform::Workers folderReaders;
    std::unique_ptr<frmLumarin> window;
    QStringList statuses;

    frmFilePicker &picker() { return window->filePicker(); }
    // How many loads ran since the statuses were last cleared.
    qsizetype loads() const { return statuses.count(QStringLiteral("Загружаю...")); }

    // Lets the window's thread run until the picture being read has
    // arrived and LoadImage has ended; a test failure after 10 s.
    void waitForLoad();
    // Loads the picture at `path` and waits for it.
    void show(const QString &path);
    // Runs one of the window's commands and waits for the picture it
    // loads; returns the path of the picture held then.
    QString after(void (frmLumarin::*command)());
    // Resizes the client area (in pixels) and lets the resize happen.
    void resizeClient(int width, int height);
};

// Writes a picture of the given pixel size into `folder` and returns its path.
QString writePicture(const QTemporaryDir &folder, const QString &name, int width, int height,
                     const char *format = "BMP");

QString testDataPath(const QString &relative);
