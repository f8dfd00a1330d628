// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/controls/SaveFileDialog.h"

#include <QFileInfo>
#include <QMessageBox>

#include "platform/files/FileOperations.h"

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

bool isShownFile(const QFileInfo &chosen, const QString &shown, const std::optional<FileIdentity> &version)
{
    return !shown.isEmpty() && chosen.exists()
        && chosen.canonicalFilePath() == QFileInfo(shown).canonicalFilePath()
        && fileIdentity(chosen.filePath()) == version;
}

// What the chosen file is to the dialog, as far as the disk tells.
enum Verdict { NewName, ReadOnlyFile, OtherFile };

int verdictFor(const QString &path, int flags, const QString &shown, const std::optional<FileIdentity> &version)
{
    const QFileInfo chosen(path);
    if ((flags & ofn::NoReadOnlyReturn) && chosen.isFile() && isReadOnlyFile(chosen.filePath()))
        return ReadOnlyFile;
    if (chosen.exists() && !chosen.isDir() && !isShownFile(chosen, shown, version))
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
    const QFileInfo chosen(selectedFiles().value(0));
    const auto check = [path = chosen.filePath(), flags = flags_, shown = shownFile_, version = shownVersion_] {
        return verdictFor(path, flags, shown, version);
    };
    const std::optional<int> verdict = runCheck_ ? runCheck_(check) : check();
    if (!verdict) {
        warn(QStringLiteral("Диск с файлом %1 не отвечает.\nВыберите другое место.").arg(chosen.fileName()),
             QMessageBox::Ok, QMessageBox::Ok);
        return;
    }
    if (*verdict == ReadOnlyFile) {
        warn(QStringLiteral("Файл %1 доступен только для чтения.\n"
                            "Выберите другое имя файла.")
                 .arg(chosen.fileName()),
             QMessageBox::Ok, QMessageBox::Ok);
        return;
    }
    // The dialog's own question, in Qt's words, but asked here: Qt's would
    // read a name that looks like markup as markup.
    if (*verdict == OtherFile) {
        const QString question = tr("%1 already exists.\nDo you want to replace it?").arg(chosen.fileName());
        if (warn(question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
            return;
    }
    setOption(QFileDialog::DontConfirmOverwrite, true);
    QFileDialog::accept();
}

} // namespace platform
