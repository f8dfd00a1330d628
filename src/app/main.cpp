#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "main_window/frmLumarin.h"
#include "platform/FilePictureLoader.h"
#include "platform/QtDialogs.h"

namespace {

// Button labels of message boxes and dialogs are the platform's own, in the
// user's language.
void loadQtTranslations(QApplication &app, QTranslator &translator)
{
    if (translator.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&translator);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumarin"));

    QTranslator translator;
    loadQtTranslations(app, translator);

    platform::QtDialogs dialogs;
    platform::FilePictureLoader pictures;
    frmLumarin mainWindow(platform::Services{dialogs, pictures});
    mainWindow.show();
    return app.exec();
}
