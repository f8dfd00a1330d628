// SPDX-License-Identifier: GPL-2.0-or-later
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include "platform/controls/QtDialogs.h"
#include <fcntl.h>
#include <unistd.h>
#include "platform/controls/SaveFileDialog.h"
#include "platform/system/DisplayNames.h"
#include "platform/system/FileNames.h"

namespace {

// What the next message box asked, answered with its `answer` button (or
// closed without one).
struct Asked { QString text; Qt::TextFormat format = Qt::AutoText;
               QMessageBox::StandardButton defaultButton = QMessageBox::NoButton; };

void answerNextBox(QMessageBox::StandardButton answer, Asked &asked)
{
    QTimer::singleShot(0, [answer, &asked] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            asked = {box->text(), box->textFormat(), box->standardButton(box->defaultButton())};
            if (QAbstractButton *button = box->button(answer))
                button->click();
            else
                box->reject();
        }
    });
}

} // namespace

TEST(SaveFileDialog, AsksBeforeReplacingAnotherFileAndRefusesReadOnlyOnes)
{
    QTemporaryDir dir;
    for (const char *name : {"shown.jpg", "changed.jpg", "other.jpg", "locked.jpg", "<b>bold.jpg"})
        QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
    QFile::setPermissions(dir.filePath("locked.jpg"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    // Shown, then saved over by another program.
    const auto changedVersion = platform::fileIdentity(dir.filePath("changed.jpg"));
    QFile changed(dir.filePath("changed.jpg"));
    changed.open(QIODevice::Append);
    changed.write("newer");
    changed.close();
    // Names that are not UTF-8: "Привет.jpg" in Windows-1251, and two
    // names that Qt decodes alike.
    const QByteArrayList cp1251 = {"\xCF\xF0\xE8\xE2\xE5\xF2.jpg", "\xC0.jpg", "\xC1.jpg"};
    for (const QByteArray &name : cp1251)
        ::close(::open((QFile::encodeName(dir.path()) + '/' + name).constData(), O_WRONLY | O_CREAT, 0644));
    const QString hello = platform::decodeFileName(cp1251[0]);

    // The name as typed or picked in the dialog, the file it means, the
    // answer to the question (NoButton: no question expected).
    const struct { const char *name; QString chosen, meant; QMessageBox::StandardButton answer; bool accepted;
                   QString shown = QStringLiteral("shown.jpg"); } cases[] = {
        {"a new file", "new.jpg", "new.jpg", QMessageBox::NoButton, true},
        {"the shown picture's own file", "shown.jpg", "shown.jpg", QMessageBox::NoButton, true},
        {"the shown picture's file, changed since", "changed.jpg", "changed.jpg", QMessageBox::No, false,
         "changed.jpg"},
        {"another file, kept", "other.jpg", "other.jpg", QMessageBox::No, false},
        {"another file, replaced", "other.jpg", "other.jpg", QMessageBox::Yes, true},
        {"a name that looks like markup", "<b>bold.jpg", "<b>bold.jpg", QMessageBox::No, false},
        {"a read-only file", "locked.jpg", "locked.jpg", QMessageBox::Ok, false},
        {"a name as Qt decodes it, kept", QFile::decodeName(cp1251[0]), hello, QMessageBox::No, false},
        {"a name as the picker shows it, replaced", "Привет.jpg", hello, QMessageBox::Yes, true},
        {"a lossy name of two files", QFile::decodeName(cp1251[1]), QFile::decodeName(cp1251[1]),
         QMessageBox::NoButton, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        platform::CommonDialog settings;
        settings.InitDir = dir.path();
        settings.Filter = QStringLiteral("(*.jpg)|*.jpg");
        settings.Flags = 0x8400;
        settings.ShownFile = dir.filePath(c.shown);
        settings.ShownFileVersion = c.shown == "changed.jpg" ? changedVersion
                                                             : platform::fileIdentity(settings.ShownFile);
        platform::SaveFileDialog box(nullptr, settings);
        const auto *types = box.findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
        ASSERT_TRUE(types);
        EXPECT_EQ(types->currentText(), "(*.jpg)") << "the filter shown once";
        box.selectFile(dir.filePath(c.chosen));
        box.show();

        Asked question;
        answerNextBox(c.answer, question);
        box.accept();
        QApplication::processEvents();

        EXPECT_EQ(question.text.isEmpty(), c.answer == QMessageBox::NoButton);
        EXPECT_EQ(box.result() == QDialog::Accepted, c.accepted);
        EXPECT_TRUE(question.text.isEmpty() || question.text.contains(platform::displayPath(c.meant)))
            << question.text.toStdString();
        EXPECT_NE(question.defaultButton, QMessageBox::Yes) << "a slip of Enter keeps the file";
        EXPECT_TRUE(question.text.isEmpty() || question.format == Qt::PlainText) << "every character of the name shows";
        EXPECT_TRUE(!c.accepted || box.chosenPath() == dir.filePath(c.meant)) << box.chosenPath().toStdString();
    }
    for (const QByteArray &name : cp1251) // names Qt's own clean-up cannot remove
        ::unlink((QFile::encodeName(dir.path()) + '/' + name).constData());
}

TEST(QtDialogs, MessageBoxesShowTheirTextAsPlainText)
{
    // A name such as "<b>x.jpg" in a question must show every character.
    Asked asked;
    answerNextBox(QMessageBox::No, asked);
    platform::QtDialogs dialogs;
    dialogs.message(QStringLiteral("Уверены что хотите удалить /tmp/<b>x.jpg?"), QStringLiteral("Lumarin"),
                    platform::Buttons::YesNo, platform::Icon::None);
    EXPECT_EQ(asked.format, Qt::PlainText);
}
