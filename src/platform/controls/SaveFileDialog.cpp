// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/controls/SaveFileDialog.h"

#include <QMessageBox>

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

bool isSameFile(const QString &chosen, const QString &other)
{
    const auto a = fileIdentity(chosen);
    const auto b = fileIdentity(other);
    return a && b && a->device == b->device && a->inode == b->inode;
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
    const QString typed = selectedFiles().value(0);
    const QString chosen = pathChosenInQt(typed);
    if ((flags_ & ofn::NoReadOnlyReturn) && pathKind(chosen) == PathKind::File
        && isReadOnlyFile(chosen)) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("Файл %1 доступен только для чтения.\n"
                                            "Выберите другое имя файла.")
                                 .arg(displayPath(fileNameOf(chosen))));
        return;
    }
    if (!mayReplace(chosen, chosen == typed))
        return;
    chosen_ = chosen;
    QFileDialog::accept();
}

bool SaveFileDialog::mayReplace(const QString &chosen, bool qtAsks)
{
    const bool ownFile = isSameFile(chosen, shownFile_);
    setOption(QFileDialog::DontConfirmOverwrite, ownFile || !qtAsks);
    if (ownFile || qtAsks || !nameExists(chosen))
        return true;
    // Qt looks for the name as typed, finds no such file and would not
    // ask: the question is asked here, in Qt's words.
    return QMessageBox::warning(this, windowTitle(),
                                tr("%1 already exists.\nDo you want to replace it?")
                                    .arg(displayPath(fileNameOf(chosen))),
                                QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

} // namespace platform
