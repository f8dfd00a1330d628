#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include "main_window/window_icon.h"
#include "platform/CommandButton.h"
#include "platform/Form.h"
#include "platform/ImageControl.h"
#include "platform/Label.h"
#include "platform/MenuItem.h"
#include "platform/PictureBox.h"
#include "platform/ScrollBar.h"
#include "platform/TextBox.h"
#include "support/TestWindow.h"

TEST(MainForm, ControlsStandWhereTheFormPutsThem)
{
    TestWindow t;
    const frmLumarin &w = *t.window;
    const struct
    {
        const char *name;
        const platform::Control *control;
        float left, top, width, height;
        QString toolTip;
    } controls[] = {
        {"txtDir", w.txtDir, 0, 120, 3975, 285, "Выбранная папка"},
        {"cbPickDir", w.cbPickDir, 4080, 0, 735, 495, "Выбрать папку/файл"},
        {"cbNext", w.cbNext, 5040, 0, 1335, 495, "Перейти к следующему рисунку в выбранной папке"},
        {"cbPrev", w.cbPrev, 6480, 0, 1335, 495,
         "Перейти к предыдущему рисунку в выбранной папке"},
        {"cbDel", w.cbDel, 7920, 0, 1215, 495, "Удалить файл с этим рисунком"},
        {"picScrollBarsSquare", w.picScrollBarsSquare, 2760, 1080, 255, 255, ""},
    };
    for (const auto &c : controls) {
        SCOPED_TRACE(c.name);
        EXPECT_FLOAT_EQ(c.control->left(), c.left);
        EXPECT_FLOAT_EQ(c.control->top(), c.top);
        EXPECT_FLOAT_EQ(c.control->width(), c.width);
        EXPECT_FLOAT_EQ(c.control->height(), c.height);
        EXPECT_EQ(c.control->widget()->toolTip(), c.toolTip);
    }
    EXPECT_EQ(w.cbPickDir->caption(), "&Обзор");
    EXPECT_EQ(w.cbNext->caption(), "&Следующий");
    EXPECT_EQ(w.cbPrev->caption(), "&Предыдущий");
    EXPECT_EQ(w.cbDel->caption(), "&Удалить");
    EXPECT_FALSE(w.picLoadPicture->isVisible());
    EXPECT_FALSE(w.imgOutPicture->isVisible());
}

TEST(MainForm, MenusCarryTheirCaptionsAndNoShortcuts)
{
    TestWindow t;
    QStringList captions;
    for (QAction *menu : t.window->form->menuBar()->actions()) {
        captions << menu->text();
        for (QAction *item : menu->menu()->actions()) {
            captions << (item->isSeparator() ? QStringLiteral("-") : item->text());
            EXPECT_TRUE(item->shortcut().isEmpty());
        }
    }
    const QStringList expected = {
        "&Файл",
        "&Открыть рисунок...        Ctrl+O",
        "&Сохранить рисунок...     Ctrl+S",
        "-",
        "В&ыход                              Alt+Q",
        "&Вид",
        "По размеру &окна             Ctrl+W",
        "&Следующий рисунок        N",
        "&Предыдущий рисунок      P",
        "&Убрать рисунок               Ctrl+Del",
        "У&далить рисунок             Del",
        "&Справка",
        "&О программе...",
    };
    EXPECT_EQ(captions, expected);
}

TEST(MainForm, TabOrderFollowsTheTabIndexes)
{
    TestWindow t;
    const frmLumarin &w = *t.window;
    const QWidget *expected[] = {
        w.picContainer->widget(), w.picOutPicture->widget(), w.vscrPicUpDown->widget(),
        w.hscrPicRightLeft->widget(), w.cbDel->widget(), w.txtDir->widget(),
        w.cbPickDir->widget(), w.cbNext->widget(), w.cbPrev->widget(),
    };
    const auto nextTabStop = [](const QWidget *widget) {
        QWidget *next = widget->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus))
            next = next->nextInFocusChain();
        return next;
    };
    for (std::size_t i = 1; i < std::size(expected); ++i)
        EXPECT_EQ(nextTabStop(expected[i - 1]), expected[i]) << i;
}

TEST(MainForm, IconIs32By32InSixteenColours)
{
    const QImage icon = windowIconImage();
    EXPECT_EQ(icon.size(), QSize(32, 32));
    QSet<QRgb> colours;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (qAlpha(icon.pixel(x, y)) != 0)
                colours.insert(icon.pixel(x, y));
    EXPECT_LE(colours.size(), 16);
    EXPECT_GE(colours.size(), 4);
}
