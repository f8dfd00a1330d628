// SPDX-License-Identifier: GPL-2.0-or-later
#include <gtest/gtest.h>

#include <stdexcept>

#include "main_window/Texts.h"
#include "platform/controls/ErrorGuard.h"
#include "support/ScriptedDialogs.h"

using platform::Error;

TEST(ErrorGuard, ReportsWhatAHandlerThrowsAndGoesOn)
{
    const struct { const char *name; std::function<void()> handler; QString text; } cases[] = {
        {"platform error", [] { throw Error{70, "Доступ запрещён"}; }, "Error 70\nДоступ запрещён"},
        {"out of memory", [] { throw std::bad_alloc(); }, "Error 7\nНедостаточно памяти"},
        {"anything else", [] { throw std::runtime_error("boom"); }, "Error 0\nboom"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedDialogs dialogs;
        platform::ErrorGuard(dialogs, texts::Title).run(c.handler);
        ASSERT_EQ(dialogs.shown.size(), 1);
        EXPECT_EQ(dialogs.shown[0].text, c.text);
        EXPECT_EQ(dialogs.shown[0].caption, "Lumarin");
        EXPECT_EQ(dialogs.shown[0].icon, platform::Icon::Stop);
    }
}
