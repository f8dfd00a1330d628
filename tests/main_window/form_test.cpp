// SPDX-License-Identifier: GPL-2.0-or-later
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include "platform/Form.h"
#include "support/TestWindow.h"

TEST(MainForm, MenusCarryTheirCaptionsAndNoShortcuts)
{
    // The key texts are part of the captions, spaces included; the keys
    // themselves come through the window's key handler.
    TestWindow t;
    QStringList captions;
    for (QAction *menu : t.window->form->menuBar()->actions()) {
        captions << menu->text();
        for (QAction *item : menu->menu()->actions()) {
            captions << (item->isSeparator() ? QStringLiteral("-") : item->text());
            EXPECT_TRUE(item->shortcut().isEmpty());
        }
    }
    EXPECT_EQ(captions, (QStringList{
                            "&Файл", "&Открыть рисунок...        Ctrl+O",
                            "&Сохранить рисунок...     Ctrl+S", "-",
                            "В&ыход                              Alt+Q", "&Вид",
                            "По размеру &окна             Ctrl+W", "&Следующий рисунок        N",
                            "&Предыдущий рисунок      P", "&Убрать рисунок               Ctrl+Del",
                            "У&далить рисунок             Del", "&Справка", "&О программе...",
                        }));
}
