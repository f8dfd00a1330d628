#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

#include "main_window/frmLumarin.h"
#include "platform/DesktopStyle.h"
#include "platform/FilePictureLoader.h"
#include "platform/Launcher.h"
#include "platform/MetafileConverter.h"
#include "platform/LinuxVolumes.h"
#ifdef Q_OS_WIN
#include "platform/WindowsRegistry.h"
#else
#include "platform/LinuxRegistry.h"
#endif
#include "platform/QtDialogs.h"
#include "platform/StartFolder.h"

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

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumarin"));
    QApplication::setStyle(new platform::DesktopStyle);

    keepQtFromWritingSettings();
    platform::enterStartFolder();

    QTranslator translator;
    loadQtTranslations(app, translator);

    platform::QtDialogs dialogs;
    platform::FilePictureLoader pictures(platform::defaultMetafileHelper());
    platform::LinuxVolumes volumes;
#ifdef Q_OS_WIN
    platform::WindowsRegistry registry;
#else
    platform::LinuxRegistry registry;
#endif
    platform::ProcessLauncher launcher;
    frmLumarin mainWindow(platform::Services{dialogs, pictures, volumes, registry, launcher});
    mainWindow.show();
    return app.exec();
}
