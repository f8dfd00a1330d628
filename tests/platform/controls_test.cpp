// SPDX-License-Identifier: GPL-2.0-or-later
#include <QAction>
#include <QScrollBar>
#include <QWidget>

#include <gtest/gtest.h>

#include "platform/Error.h"
#include "platform/Label.h"
#include "platform/MenuItem.h"
#include "platform/ScrollBar.h"
#include "platform/Twips.h"

using platform::ScrollBar;

TEST(Controls, NegativeSizesAreRefusedAndTheOldValueKept)
{
    QWidget parent;
    platform::Label label(&parent);
    label.move(0, 0, 300, 255);
    for (auto set : {&platform::Control::setWidth, &platform::Control::setHeight}) {
        try {
            (label.*set)(-1);
            ADD_FAILURE() << "a negative size was taken";
        } catch (const platform::Error &error) {
            EXPECT_EQ(error.number, platform::errc::InvalidPropertyValue);
        }
    }
    EXPECT_FLOAT_EQ(label.width(), 300);
    EXPECT_FLOAT_EQ(label.height(), 255);
}

TEST(Controls, ScrollBarRaisesChangeInsideTheAssignment)
{
    QWidget parent;
    ScrollBar bar(Qt::Horizontal, &parent);
    bar.setMax(100);
    QList<int> seen;
    QObject::connect(&bar, &ScrollBar::change, [&] { seen << bar.value(); });

    bar.setValue(40);
    EXPECT_EQ(seen, QList<int>{40});
    bar.setValue(40); // unchanged: no event
    EXPECT_EQ(seen.size(), 1);

    bar.setMax(10); // a lowered maximum pulls the value down with it
    EXPECT_EQ(seen, (QList<int>{40, 10}));
    EXPECT_EQ(bar.value(), 10);
}

TEST(Controls, ScrollBarTakesSixteenBitMaximaAndRefusesValuesOutOfRange)
{
    QWidget parent;
    ScrollBar bar(Qt::Vertical, &parent);
    bar.setMax(100000);
    EXPECT_EQ(bar.max(), 32767);

    // A maximum below the minimum does not move the minimum.
    bar.setMax(-3);
    bar.setMax(5);
    EXPECT_EQ(bar.min(), 0);
    EXPECT_THROW(bar.setValue(6), platform::Error);
    EXPECT_THROW(bar.setValue(-1), platform::Error);
}

TEST(Controls, MenuCheckMarkChangesOnlyFromCode)
{
    auto *action = new QAction;
    auto *item = new platform::MenuItem(action); // owned by the action
    int clicks = 0;
    QObject::connect(item, &platform::MenuItem::click, [&] { ++clicks; });

    action->trigger();
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(item->isChecked());
    EXPECT_FALSE(action->isChecked());
    EXPECT_FALSE(action->isCheckable()) << "an empty box would be drawn beside it";

    item->setChecked(true);
    action->trigger();
    EXPECT_TRUE(action->isChecked());
    item->setChecked(false);
    action->trigger();
    EXPECT_FALSE(action->isChecked());
    EXPECT_FALSE(action->isCheckable());
    delete action;
}
