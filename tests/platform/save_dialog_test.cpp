// SPDX-License-Identifier: GPL-2.0-or-later
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include "platform/controls/SaveFileDialog.h"

TEST(SaveFileDialog, AsksBeforeReplacingAnotherFileAndRefusesReadOnlyOnes)
{
    QTemporaryDir dir;
    for (const char *name : {"shown.jpg", "other.jpg", "locked.jpg"})
        QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
    QFile::setPermissions(dir.filePath("locked.jpg"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);

    const struct
    {
        const char *name;
        QString chosen;
        QMessageBox::StandardButton answer; // NoButton: no question expected
        bool accepted;
    } cases[] = {
        {"a new file", "new.jpg", QMessageBox::NoButton, true},
        {"the shown picture's own file", "shown.jpg", QMessageBox::NoButton, true},
        {"another file, kept", "other.jpg", QMessageBox::No, false},
        {"another file, replaced", "other.jpg", QMessageBox::Yes, true},
        {"a read-only file", "locked.jpg", QMessageBox::Ok, false},
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
        EXPECT_TRUE(question.isEmpty() || question.contains(c.chosen)) << question.toStdString();
        EXPECT_NE(defaultButton, QMessageBox::Yes) << "a slip of Enter keeps the file";
    }
}
