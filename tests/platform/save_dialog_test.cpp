// SPDX-License-Identifier: GPL-2.0-or-later
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include "platform/SaveFileDialog.h"

namespace {

QString writeFile(const QTemporaryDir &dir, const QString &name)
{
    QFile file(dir.filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write("bytes");
    return file.fileName();
}

} // namespace

TEST(SaveFileDialog, ShowsTheFilterOnce)
{
    platform::CommonDialog settings;
    settings.Filter = QStringLiteral("(*.jpg)|*.jpg");
    platform::SaveFileDialog box(nullptr, settings);
    const auto *types = box.findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
    ASSERT_TRUE(types);
    EXPECT_EQ(types->currentText(), "(*.jpg)");
}

TEST(SaveFileDialog, AsksBeforeReplacingAnotherFileAndRefusesReadOnlyOnes)
{
    QTemporaryDir dir;
    const QString shown = writeFile(dir, "shown.jpg");
    const QString other = writeFile(dir, "other.jpg");
    const QString locked = writeFile(dir, "locked.jpg");
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);

    const struct
    {
        const char *name;
        QString chosen;
        QMessageBox::StandardButton answer; // NoButton: no question expected
        bool accepted;
    } cases[] = {
        {"a new file", dir.filePath("new.jpg"), QMessageBox::NoButton, true},
        {"the shown picture's own file", shown, QMessageBox::NoButton, true},
        {"another file, kept", other, QMessageBox::No, false},
        {"another file, replaced", other, QMessageBox::Yes, true},
        {"a read-only file", locked, QMessageBox::Ok, false},
    };
    for (const auto &c : cases) {
        platform::CommonDialog settings;
        settings.InitDir = dir.path();
        settings.Filter = QStringLiteral("(*.jpg)|*.jpg");
        settings.Flags = 0x8400;
        settings.ShownFile = shown;
        platform::SaveFileDialog box(nullptr, settings);
        box.selectFile(c.chosen);
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

        EXPECT_EQ(question.isEmpty(), c.answer == QMessageBox::NoButton) << c.name;
        EXPECT_EQ(box.result() == QDialog::Accepted, c.accepted) << c.name;
        if (c.answer == QMessageBox::Yes) {
            EXPECT_TRUE(question.contains("other.jpg")) << question.toStdString();
            EXPECT_EQ(defaultButton, QMessageBox::No) << "a slip of Enter keeps the file";
        }
        if (c.answer == QMessageBox::Ok) {
            EXPECT_TRUE(question.contains("locked.jpg")) << question.toStdString();
        }
    }
}
