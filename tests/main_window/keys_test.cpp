// SPDX-License-Identifier: GPL-2.0-or-later
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "main_window/key_table.h"
#include "platform/CommandButton.h"
#include "platform/Form.h"
#include "platform/KeyRepeat.h"
#include "platform/TextBox.h"
#include "platform/VirtualKeys.h"
#include "support/TestWindow.h"

namespace {

constexpr int Shift = 1;
constexpr int Ctrl = 2;
constexpr int Alt = 4;
constexpr int Del = 0x2E;

// Counts the key presses a widget itself receives.
struct KeyCounter : QObject
{
    int presses = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        presses += event->type() == QEvent::KeyPress;
        return false;
    }
};

} // namespace

TEST(KeyTable, MatchesRowsInOrder)
{
    const struct
    {
        int key, shift;
        KeyCommand command;
    } cases[] = {
        {'Q', Alt, KeyCommand::Exit},
        {'Q', Ctrl | Alt, KeyCommand::None},
        {'Q', 0, KeyCommand::None},
        {'O', Ctrl, KeyCommand::Open},
        {'O', Ctrl | Shift, KeyCommand::None},
        {'S', Ctrl, KeyCommand::Save},
        {'S', 0, KeyCommand::None},
        {'W', Ctrl, KeyCommand::FitToWindow},
        {'N', 0, KeyCommand::Next},
        {'N', Shift, KeyCommand::Next},
        {'N', Ctrl, KeyCommand::Next},
        {'N', Alt, KeyCommand::Next},
        {'P', Ctrl | Alt | Shift, KeyCommand::Previous},
        {Del, Ctrl, KeyCommand::Remove},
        {Del, 0, KeyCommand::Delete},
        {Del, Shift, KeyCommand::Delete},
        {Del, Alt, KeyCommand::Delete},
        {Del, Ctrl | Shift, KeyCommand::Delete},
        {'X', 0, KeyCommand::None},
    };
    for (const auto &c : cases)
        EXPECT_EQ(commandForKey(c.key, c.shift), c.command) << c.key << " shift " << c.shift;
}

TEST(KeyRepeat, DropsOnlyRepeatsMadeWhileTheLastCommandRan)
{
    const struct
    {
        bool autoRepeat;
        quint32 eventTime, commandEnd;
        bool stale;
    } cases[] = {
        {true, 1000, 1200, true},
        {true, 1200, 1200, false},
        {true, 1300, 1200, false},
        {false, 1000, 1200, false}, // a fresh press always counts
        {true, 0xFFFFFFF0u, 5, true}, // the clock wrapped during the command
        {true, 5, 0xFFFFFFF0u, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(platform::isStaleRepeat(c.autoRepeat, c.eventTime, c.commandEnd), c.stale)
            << c.eventTime << " against " << c.commandEnd;
}

TEST(KeyPreview, KeysWorkWhicheverControlHasTheFocusAndGoOn)
{
    QTemporaryDir dir;
    for (const char *name : {"a.bmp", "b.bmp"})
        writePicture(dir, name, 4, 4);
    TestWindow t(dir.path());
    frmLumarin &w = *t.window;
    w.form->activateWindow();

    QTest::keyClick(w.cbNext->widget(), Qt::Key_N);
    EXPECT_EQ(w.strPicturePath, dir.filePath("a.bmp"));

    KeyCounter reachedTextBox;
    w.txtDir->widget()->installEventFilter(&reachedTextBox);
    QTest::keyClick(w.txtDir->widget(), Qt::Key_N, Qt::ShiftModifier);
    EXPECT_EQ(w.strPicturePath, dir.filePath("b.bmp"));
    EXPECT_EQ(reachedTextBox.presses, 2) << "Shift and N go on to the text box";

    QTest::keyClick(w.txtDir->widget(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_TRUE(w.strPicturePath.isEmpty());
    EXPECT_TRUE(t.dialogs.shown.isEmpty());
}
