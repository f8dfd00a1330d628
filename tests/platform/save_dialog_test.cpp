// SPDX-License-Identifier: GPL-2.0-or-later
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include "platform/controls/SaveFileDialog.h"
#include "platform/system/DisplayNames.h"
#include "platform/system/FileNames.h"

TEST(SaveFileDialog, AsksBeforeReplacingAnotherFileAndRefusesReadOnlyOnes)
{
    QTemporaryDir dir;
    for (const char *name : {"shown.jpg", "other.jpg", "locked.jpg"})
        QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
    QFile::setPermissions(dir.filePath("locked.jpg"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    // Names that are not UTF-8: "Привет.jpg" in Windows-1251, and two
    // names that Qt decodes alike.
    const QByteArrayList cp1251 = {"\xCF\xF0\xE8\xE2\xE5\xF2.jpg", "\xC0.jpg", "\xC1.jpg"};
    for (const QByteArray &name : cp1251)
        ::close(::open((QFile::encodeName(dir.path()) + '/' + name).constData(), O_WRONLY | O_CREAT, 0644));
    const QString hello = platform::decodeFileName(cp1251[0]);

    const struct
    {
        const char *name;
        QString chosen, meant; // as typed or picked in the dialog; the file
        QMessageBox::StandardButton answer; // NoButton: no question expected
        bool accepted;
    } cases[] = {
        {"a new file", "new.jpg", "new.jpg", QMessageBox::NoButton, true},
        {"the shown picture's own file", "shown.jpg", "shown.jpg", QMessageBox::NoButton, true},
        {"another file, kept", "other.jpg", "other.jpg", QMessageBox::No, false},
        {"another file, replaced", "other.jpg", "other.jpg", QMessageBox::Yes, true},
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
        settings.ShownFile = dir.filePath("shown.jpg");
        platform::SaveFileDialog box(nullptr, settings);
        const auto *types = box.findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
        ASSERT_TRUE(types);
        EXPECT_EQ(types->currentText(), "(*.jpg)") << "the filter shown once";
        box.selectFile(dir.filePath(c.chosen));
        box.show();

        QString question;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        QTimer::singleShot(0, [&] {
            auto *asked = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!asked)
                return;
            question = asked->text();
            defaultButton = asked->standardButton(asked->defaultButton());
            if (QAbstractButton *answer = asked->button(c.answer))
                answer->click();
            else
                asked->reject();
        });
        box.accept();
        QApplication::processEvents();

        EXPECT_EQ(question.isEmpty(), c.answer == QMessageBox::NoButton);
        EXPECT_EQ(box.result() == QDialog::Accepted, c.accepted);
        EXPECT_TRUE(question.isEmpty() || question.contains(platform::displayPath(c.meant)))
            << question.toStdString();
        EXPECT_NE(defaultButton, QMessageBox::Yes) << "a slip of Enter keeps the file";
        if (c.accepted) {
            EXPECT_EQ(box.chosenPath(), dir.filePath(c.meant));
        }
    }
    for (const QByteArray &name : cp1251) // names Qt's own clean-up cannot remove
        ::unlink((QFile::encodeName(dir.path()) + '/' + name).constData());
}
