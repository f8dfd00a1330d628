// SPDX-License-Identifier: GPL-2.0-or-later
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

#include "main_window/frmLumarin.h"
#include "picker/frmFilePicker.h"
#include "platform/controls/DesktopStyle.h"
#include "platform/files/FolderListing.h"
#include "platform/files/LinuxVolumes.h"
#include "platform/pictures/FilePictureLoader.h"
#include "platform/pictures/MetafileConverter.h"
#include "platform/system/CommandLine.h"
#include "platform/system/DisplayNames.h"
#include "platform/system/Launcher.h"
#include "platform/system/Paths.h"
#include "platform/system/TimeBox.h"
#include "platform/system/Workers.h"
#ifdef Q_OS_WIN
#include "platform/system/WindowsRegistry.h"
#else
#include "platform/system/LinuxRegistry.h"
#endif
#include "platform/controls/QtDialogs.h"
#include "platform/files/StartFolder.h"
#include "platform/pictures/RasterDecoder.h"

namespace {

// Button labels of message boxes and dialogs are the platform's own, in the
// user's language.
void loadQtTranslations(QApplication &app, QTranslator &translator)
{
    if (translator.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&translator);
}

// Qt's file dialog stores its history and last folder in the user's
// QtProject.conf when it closes. The program keeps no settings and writes
// nothing but the pictures it saves, so user-scope settings are pointed at a
// place where no file can ever be made.
void keepQtFromWritingSettings()
{
    const QString nowhere = QStringLiteral("/dev/null");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, nowhere);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, nowhere);
}

// Enters the folder the picker opens on: the one named on the command line
// or holding the file named there, else the usual start folder. Returns the
// file to show, if any.
QString enterFolderOf(const platform::CommandLine &line)
{
    platform::enterStartFolder();
    if (line.path.isEmpty())
        return {};
    const platform::PathKind kind = platform::pathKind(line.path);
    if (kind == platform::PathKind::Missing) {
        std::fprintf(stderr, "lumarin: нет такого файла или папки: %s\n",
                     qPrintable(platform::displayPath(line.path)));
        return {};
    }
    const bool opensFolder = kind == platform::PathKind::Folder;
    const QString folder = opensFolder ? line.path : platform::folderOf(line.path);
    if (!platform::enterFolder(folder)) {
        std::fprintf(stderr, "lumarin: папку %s не открыть\n",
                     qPrintable(platform::displayPath(folder)));
        return {};
    }
    return opensFolder ? QString() : line.path;
}

// Looking at the start folder, and at what the command line names, waits on
// a disk that does not answer as any look at a file does, so it runs on a
// worker. Past a moment the window starts in the folder the process is in
// (the worker may still enter another one later: every path the program
// uses is absolute by then); a picture named on the command line is shown
// all the same, read on a worker too.
QString enterFolderOfInTime(platform::Workers &workers, const platform::CommandLine &line)
{
    constexpr std::chrono::milliseconds Moment{250};
    if (const auto file = platform::timeBoxed<QString>(workers, Moment, [line] { return enterFolderOf(line); }))
        return *file;
    return platform::matchesPatterns(line.path, frmFilePicker::PicturePattern) ? line.path : QString();
}

// While Qt starts: without any display Qt ends the program with a page of
// messages and an abort; one line and exit status 1 say the same. The
// platform plugin's own complaints on the way there are left out.
void reportMissingDisplay(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtFatalMsg) {
        std::fputs("lumarin: нет дисплея: не удалось подключиться к графическому серверу\n", stderr);
        std::_Exit(1);
    }
    if (context.category && QByteArray(context.category).startsWith("qt.qpa"))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

int main(int argc, char *argv[])
{
    // Answered before Qt starts, so they need no display.
    platform::Arguments arguments(argc, argv);
    const platform::CommandLine early = platform::parseCommandLine(arguments.program());
    if (early.action == platform::CommandLine::Action::Help) {
        std::fputs(qPrintable(platform::helpText()), stdout);
        return 0;
    }
    if (early.action == platform::CommandLine::Action::Version) {
        std::fputs(qPrintable(platform::versionText()), stdout);
        return 0;
    }

    qInstallMessageHandler(reportMissingDisplay);
    // Takes Qt's own options (-display, ...) out of what comes before "--".
    QApplication app(arguments.qtCount(), arguments.qtArguments());
    qInstallMessageHandler(nullptr);
    platform::setDecodingLimits(); // before any thread decodes
    const platform::CommandLine line = platform::parseCommandLine(arguments.program());
    if (!line.problem.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(line.problem));
    QApplication::setApplicationName(QStringLiteral("Lumarin"));
    QApplication::setStyle(new platform::DesktopStyle);

    keepQtFromWritingSettings();
    // Made first and never waited for: a worker may be stuck in a read when
    // the program ends.
    platform::Workers workers;
    platform::Workers folderReaders;
    const QString startFile = enterFolderOfInTime(folderReaders, line);

    QTranslator translator;
    loadQtTranslations(app, translator);

    int exitCode = 0;
    {
        platform::QtDialogs dialogs;
        platform::FilePictureLoader pictures(platform::defaultMetafileHelper());
        platform::LinuxVolumes volumes;
#ifdef Q_OS_WIN
        platform::WindowsRegistry registry;
#else
        platform::LinuxRegistry registry;
#endif
        platform::ProcessLauncher launcher;
        frmLumarin mainWindow(platform::Services{dialogs, pictures, volumes, registry, launcher, workers, folderReaders});
        mainWindow.show();
        if (!startFile.isEmpty())
            mainWindow.showStartFile(startFile);
        exitCode = app.exec();
    }
    // The windows are gone. A decode ahead may still be running, even stuck
    // in a read on a dead mount: the program ends without waiting for it,
    // and without tearing Qt down under it. Nothing is left to save.
    std::fflush(nullptr);
    std::_Exit(exitCode);
}
