// SPDX-License-Identifier: GPL-2.0-or-later
#include <QAction>
#include <QWidget>

#include <gtest/gtest.h>

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
