// SPDX-License-Identifier: GPL-2.0-or-later
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdio>

#include "main_window/key_table.h"
#include "platform/controls/CommandButton.h"
#include "platform/controls/Form.h"
#include "platform/controls/PictureBox.h"
#include "platform/controls/TextBox.h"
#include "support/TestWindow.h"

using platform::Answer;

namespace {

// Counts the key presses a widget itself receives.
struct KeyCounter : QObject
{
    int presses = 0;
    bool eventFilter(QObject *, QEvent *event) override { presses += event->type() == QEvent::KeyPress; return false; }
};

} // namespace

TEST(KeyTable, ExactShiftOrAnyAndTheFirstMatchingRowWins)
{
    constexpr int Shift = 1, Ctrl = 2, Alt = 4, Del = 0x2E;
    const struct { int key, shift; KeyCommand command; } cases[] = {
        {'Q', Alt, KeyCommand::Exit}, {'Q', Ctrl | Alt, KeyCommand::None}, {'O', Ctrl, KeyCommand::Open},
        {'O', Ctrl | Shift, KeyCommand::None}, {'S', 0, KeyCommand::None}, {'W', Ctrl, KeyCommand::FitToWindow},
        {'N', 0, KeyCommand::Next}, {'N', Alt, KeyCommand::Next}, {'P', Ctrl | Alt | Shift, KeyCommand::Previous},
        {Del, Ctrl, KeyCommand::Remove}, {Del, 0, KeyCommand::Delete}, {Del, Ctrl | Shift, KeyCommand::Delete},
        {'X', 0, KeyCommand::None},
    };
    for (const auto &c : cases)
        EXPECT_EQ(commandForKey(c.key, c.shift), c.command) << c.key << " shift " << c.shift;
}

TEST(KeyPreview, KeysWorkWhicheverControlHasTheFocusAndGoOn)
{
    QTemporaryDir dir;
    for (const char *name : {"a.bmp", "b.bmp"})
        writePicture(dir, name, 4, 4);
    TestWindow t(dir.path());
    frmLumarin &w = *t.window;
    w.form->activateWindow();
    // The menus carry no shortcuts of their own, or a key would act twice.
    for (QAction *menu : w.form->menuBar()->actions())
        for (QAction *item : menu->menu()->actions())
            EXPECT_TRUE(item->shortcut().isEmpty()) << item->text().toStdString();

    QTest::keyClick(w.cbNext->widget(), Qt::Key_N);
    t.waitForLoad();
    EXPECT_EQ(w.strPicturePath, dir.filePath("a.bmp"));

    KeyCounter reachedTextBox;
    w.txtDir->widget()->installEventFilter(&reachedTextBox);
    QTest::keyClick(w.txtDir->widget(), Qt::Key_N, Qt::ShiftModifier);
    t.waitForLoad();
    EXPECT_EQ(w.strPicturePath, dir.filePath("b.bmp"));
    EXPECT_EQ(reachedTextBox.presses, 2) << "Shift and N go on to the text box";

    QTest::keyClick(w.txtDir->widget(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_TRUE(w.strPicturePath.isEmpty());
    EXPECT_TRUE(t.dialogs.shown.isEmpty());

    // Alt with a letter opens the menu of that letter, also where a button
    // shares it (С: "&Справка" and "&Следующий").
    QTest::sendKeyEvent(QTest::Click, w.cbPrev->widget(), Qt::Key(0x0421), QStringLiteral("с"), Qt::AltModifier);
    ASSERT_TRUE(w.form->menuBar()->activeAction());
    EXPECT_EQ(w.form->menuBar()->activeAction()->text(), "&Справка");
    EXPECT_TRUE(w.strPicturePath.isEmpty()) << "the button did not step";
    w.form->menuBar()->setActiveAction(nullptr);

    // The folder field is for reading: typing there leaves its text.
    const QString folder = w.txtDir->text();
    QTest::keyClicks(w.txtDir->widget(), QStringLiteral("xyz"));
    QTest::keyClick(w.txtDir->widget(), Qt::Key_Backspace);
    EXPECT_EQ(w.txtDir->text(), folder);
}

TEST(Delete, AsksFirstAndReportsFailuresThroughTheGuard)
{
    QTemporaryDir dir;
    const QString picture = dir.filePath("a.bmp");
    const QString readOnly = writePicture(dir, "read-only.bmp", 4, 4);
    // Read-only by its mode alone, so the refusal holds for the superuser too.
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const struct { const char *name; QString path; Answer answer; bool kept; QString report; } cases[] = {
        {"yes", picture, Answer::Yes, false, ""},
        {"no", picture, Answer::No, true, ""},
        {"already gone", dir.filePath("gone.bmp"), Answer::Yes, false, "Error 53\n"},
        {"no picture", "", Answer::Yes, false, "Error 75\n"},
        {"read-only", readOnly, Answer::Yes, true, "Error 75\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        writePicture(dir, "a.bmp", 4, 4);
        TestWindow t(dir.path());
        t.show(QFile::exists(c.path) ? c.path : picture);
        t.window->strPicturePath = c.path;
        t.statuses.clear();
        t.dialogs.answers = {c.answer};

        emit t.window->cbDel->click(); // through the guard, as the user presses it

        ASSERT_EQ(t.dialogs.shown.size(), c.report.isEmpty() ? 1 : 2);
        EXPECT_TRUE(t.dialogs.shown[0].text.contains(c.path));
        EXPECT_EQ(t.dialogs.shown[0].buttons, platform::Buttons::YesNo);
        if (!c.report.isEmpty()) {
            EXPECT_TRUE(t.dialogs.shown[1].text.startsWith(c.report)) << t.dialogs.shown[1].text.toStdString();
            EXPECT_EQ(t.dialogs.shown[1].icon, platform::Icon::Stop);
        }
        EXPECT_EQ(QFile::exists(c.path), c.kept);
        // Nothing else changes: path, picture, status.
        EXPECT_EQ(t.window->strPicturePath, c.path);
        EXPECT_TRUE(t.window->picOutPicture->isVisible());
        EXPECT_TRUE(t.statuses.isEmpty());
    }
}

TEST(Delete, AFileReplacedSinceItWasShownIsShownAgainNotDeleted)
{
    QTemporaryDir dir;
    const QString picture = dir.filePath("a.bmp");
    // Another program saves over the shown file, or a sync tool renames
    // another onto it: before the question, or while it is open.
    const auto replace = [&] {
        QThread::msleep(20); // file times advance in coarse ticks
        std::rename(QFile::encodeName(writePicture(dir, "new.bmp", 6, 6)).constData(),
                    QFile::encodeName(picture).constData());
    };
    const struct
    {
        const char *name;
        std::function<void()> before, whileAsked;
        int boxes;
    } cases[] = {
        {"replaced before", replace, [] {}, 1},
        {"replaced while asked", [] {}, replace, 2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        writePicture(dir, "a.bmp", 4, 4);
        TestWindow t(dir.path());
        t.show(picture);
        c.before();
        t.dialogs.whileOpen = [&](const ScriptedDialogs::Shown &) {
            c.whileAsked();
            t.dialogs.whileOpen = nullptr;
        };

        emit t.window->cbDel->click();
        t.waitForLoad();

        ASSERT_EQ(t.dialogs.shown.size(), c.boxes);
        const auto &told = t.dialogs.shown.last();
        EXPECT_TRUE(told.text.contains(picture) && told.text.contains(QStringLiteral("изменился")))
            << told.text.toStdString();
        EXPECT_EQ(told.buttons, platform::Buttons::Ok);
        EXPECT_TRUE(QFile::exists(picture));
        EXPECT_EQ(t.window->picLoadPicture->picture()->image().size(), QSize(6, 6)) << "what is there now";
        // Now that it is the file shown, Delete asks and deletes it.
        t.dialogs.shown.clear();
        emit t.window->cbDel->click();
        EXPECT_EQ(t.dialogs.shown.size(), 1);
        EXPECT_FALSE(QFile::exists(picture));
    }
}
