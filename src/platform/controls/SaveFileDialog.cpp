// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/controls/SaveFileDialog.h"

#include <memory>

#include "platform/files/FileIdentity.h"
#include "platform/files/FileOperations.h"
#include "platform/files/QtNames.h"
#include "platform/system/DisplayNames.h"
#include "platform/system/Paths.h"

namespace platform {

namespace {

// "desc|pattern|desc|pattern" as Qt's "desc (pattern)" entries.
QStringList qtNameFilters(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << parts.at(i) + QStringLiteral(" (") + parts.at(i + 1) + QLatin1Char(')');
    return filters;
}

bool isShownFile(const QString &chosen, const QString &shown, const std::optional<FileIdentity> &version)
{
    // The shown file (whatever name leads to it), still the version the
    // picture was read from.
    return !shown.isEmpty() && version && fileIdentity(chosen) == version;
}

// What the chosen file is to the dialog, as far as the disk tells.
enum Verdict { NewName, ReadOnlyFile, OtherFile };

int verdictFor(const QString &path, int flags, const QString &shown, const std::optional<FileIdentity> &version)
{
    const PathKind kind = pathKind(path);
    if ((flags & ofn::NoReadOnlyReturn) && kind == PathKind::File && isReadOnlyFile(path))
        return ReadOnlyFile;
    if (kind != PathKind::Missing && kind != PathKind::Folder && !isShownFile(path, shown, version))
        return OtherFile;
    return NewName;
}

} // namespace

SaveFileDialog::SaveFileDialog(QWidget *parent, const CommonDialog &settings)
    : QFileDialog(parent), shownFile_(settings.ShownFile), shownVersion_(settings.ShownFileVersion),
      runCheck_(settings.RunCheck), flags_(settings.Flags)
{
    // Qt's own dialog, not the desktop's: the desktop's would note the file
    // in its recent-files list, and the program writes nothing but pictures.
    // The filter's description already names its pattern; Qt would name it
    // a second time.
    setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    setDirectory(settings.InitDir);
    setNameFilters(qtNameFilters(settings.Filter));
    setDefaultSuffix(settings.DefaultExt);
    selectFile(settings.FileName);
    // Of the other flags, "extension different" is an answer the desktop's
    // dialog gives back, not a request, and nothing reads it here.
}

QMessageBox::StandardButton SaveFileDialog::warn(const QString &text, QMessageBox::StandardButtons buttons,
                                                 QMessageBox::StandardButton defaultButton)
{
    // Plain text: a name such as "<b>.jpg" must show every character.
    QMessageBox box(QMessageBox::Warning, windowTitle(), text, buttons, this);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton);
    return QMessageBox::StandardButton(box.exec());
}

void SaveFileDialog::accept()
{
    // Qt's dialog lists names lossily; the name on disk is looked up, as
    // everything about the file, on a worker when one is given: a disk that
    // does not answer must not hold the window.
    const auto path = std::make_shared<QString>(); // the worker's answer, read once it is back
    const std::function<int()> check = [path, typed = selectedFiles().value(0), flags = flags_,
                                        shown = shownFile_, version = shownVersion_] {
        *path = pathChosenInQt(typed);
        return verdictFor(*path, flags, shown, version);
    };
    const std::optional<int> verdict = runCheck_ ? runCheck_(check) : check();
    const QString name = displayPath(fileNameOf(verdict ? *path : selectedFiles().value(0)));
    if (!verdict) {
        warn(QStringLiteral("Диск с файлом %1 не отвечает.\nВыберите другое место.").arg(name), QMessageBox::Ok,
             QMessageBox::Ok);
        return;
    }
    if (*verdict == ReadOnlyFile) {
        warn(QStringLiteral("Файл %1 доступен только для чтения.\n"
                            "Выберите другое имя файла.")
                 .arg(name),
             QMessageBox::Ok, QMessageBox::Ok);
        return;
    }
    // The dialog's own question, in Qt's words, but asked here: Qt's would
    // read a name that looks like markup as markup, and would not find a
    // name it cannot show.
    if (*verdict == OtherFile) {
        const QString question = tr("%1 already exists.\nDo you want to replace it?").arg(name);
        if (warn(question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
            return;
    }
    setOption(QFileDialog::DontConfirmOverwrite, true);
    chosen_ = *path;
    QFileDialog::accept();
}

} // namespace platform
