// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/controls/QtDialogs.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/controls/SaveFileDialog.h"

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

} // namespace

Answer QtDialogs::message(const QString &text, const QString &caption, Buttons buttons,
                          Icon icon)
{
    QMessageBox box(toQt(icon), caption, text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    // Plain text whatever it holds: a file name that looks like markup
    // ("<b>", "<font ...>") shows every character of it.
    box.setTextFormat(Qt::PlainText);
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
    SaveFileDialog box(QApplication::activeWindow(), dialog);
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty())
        return;
    dialog.FileName = box.chosenPath();
}

} // namespace platform
