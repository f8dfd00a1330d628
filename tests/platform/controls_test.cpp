// SPDX-License-Identifier: GPL-2.0-or-later
#include <QAction>
#include <QWidget>

#include <gtest/gtest.h>

#include "platform/controls/KeyRepeat.h"
#include "platform/controls/MenuItem.h"
#include "platform/controls/ScrollBar.h"
#include "platform/system/Error.h"

TEST(Controls, ScrollBarRaisesChangeInsideTheAssignmentAndRefusesValuesOutOfRange)
{
    QWidget parent;
    platform::ScrollBar bar(Qt::Horizontal, &parent);
    bar.setMax(100);
    QList<int> seen;
    QObject::connect(&bar, &platform::ScrollBar::change, [&] { seen << bar.value(); });
    bar.setValue(40);
    bar.setValue(40); // unchanged: no event
    bar.setMax(10);   // a lowered maximum pulls the value down with it
    EXPECT_EQ(seen, (QList<int>{40, 10}));

    // A maximum below the minimum does not move the minimum.
    bar.setMax(-3);
    bar.setMax(5);
    EXPECT_EQ(bar.min(), 0);
    EXPECT_THROW(bar.setValue(6), platform::Error);
    EXPECT_THROW(bar.setValue(-1), platform::Error);
}

TEST(Controls, MenuCheckMarkChangesOnlyFromCode)
{
    QAction action;
    auto *item = new platform::MenuItem(&action); // owned by the action
    int clicks = 0;
    QObject::connect(item, &platform::MenuItem::click, [&] { ++clicks; });
    for (const bool checked : {false, true, false}) {
        item->setChecked(checked);
        action.trigger();
        EXPECT_EQ(action.isChecked(), checked);
        EXPECT_EQ(item->isChecked(), checked);
        // Checkable but unchecked, an empty box would be drawn beside it.
        EXPECT_EQ(action.isCheckable(), checked);
    }
    EXPECT_EQ(clicks, 3);
}

TEST(KeyRepeat, MarkedOrAReleaseAndPressOfOneInstantAndStaleUntilTheCommandEnds)
{
    constexpr int N = 'N', P = 'P';
    const struct { bool marked; int key; quint64 time; int released; quint64 releaseTime; bool repeat; } presses[] = {
        {true, N, 100, 0, 0, true},    {false, N, 100, N, 100, true}, // the pair Qt did not mark
        {false, N, 101, N, 100, false}, {false, P, 100, N, 100, false},
    };
    for (const auto &c : presses)
        EXPECT_EQ(platform::isAutoRepeat(c.marked, c.key, c.time, c.released, c.releaseTime), c.repeat)
            << c.key << " at " << c.time;
    const struct { bool repeat; quint32 time, commandEnd; bool stale; } ends[] = {
        {true, 99, 100, true}, {true, 100, 100, false}, {false, 50, 100, false}, {true, 0xfffffff0u, 5, true}};
    for (const auto &c : ends)
        EXPECT_EQ(platform::isStaleRepeat(c.repeat, c.time, c.commandEnd), c.stale) << c.time;
}
