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

bool isSameFile(const QFileInfo &chosen, const QString &other)
{
    return !other.isEmpty() && chosen.exists()
        && chosen.canonicalFilePath() == QFileInfo(other).canonicalFilePath();
}

} // namespace

SaveFileDialog::SaveFileDialog(QWidget *parent, const CommonDialog &settings)
    : QFileDialog(parent), shownFile_(settings.ShownFile), flags_(settings.Flags)
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

void SaveFileDialog::accept()
{
    const QFileInfo chosen(selectedFiles().value(0));
    if ((flags_ & ofn::NoReadOnlyReturn) && chosen.isFile() && isReadOnlyFile(chosen.filePath())) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("Файл %1 доступен только для чтения.\n"
                                            "Выберите другое имя файла.")
                                 .arg(chosen.fileName()));
        return;
    }
    setOption(QFileDialog::DontConfirmOverwrite, isSameFile(chosen, shownFile_));
    QFileDialog::accept();
}

} // namespace platform
