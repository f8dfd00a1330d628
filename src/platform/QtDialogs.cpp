#include "platform/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace platform {

namespace {

QMessageBox::Icon toQt(Icon icon)
{
    switch (icon) {
    case Icon::Stop: return QMessageBox::Critical;
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

// "desc|pattern|desc|pattern" as Qt's "desc (pattern)" entries.
QStringList nameFilters(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << parts.at(i) + QStringLiteral(" (") + parts.at(i + 1) + QLatin1Char(')');
    return filters;
}

} // namespace

Answer QtDialogs::message(const QString &text, const QString &caption, Buttons buttons,
                          Icon icon)
{
    QMessageBox box(toQt(icon), caption, text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    if (buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
    }
    const int result = box.exec();
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

void QtDialogs::showSave(CommonDialog &dialog)
{
    // Qt's own dialog, not the desktop's: the desktop's would note the file
    // in its recent-files list, and the program writes nothing but pictures.
    QFileDialog box(QApplication::activeWindow());
    box.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    box.setAcceptMode(QFileDialog::AcceptSave);
    box.setFileMode(QFileDialog::AnyFile);
    box.setDirectory(dialog.InitDir);
    box.setNameFilters(nameFilters(dialog.Filter));
    box.setDefaultSuffix(dialog.DefaultExt);
    box.selectFile(dialog.FileName);
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty())
        return;
    dialog.FileName = box.selectedFiles().constFirst();
}

} // namespace platform
