// SPDX-License-Identifier: GPL-2.0-or-later
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "about/frmAbout.h"
#include "platform/CommandButton.h"
#include "platform/Form.h"
#include "platform/Label.h"
#include "support/FakeRegistry.h"
#include "support/QtPrinting.h"
#include "support/ScriptedDialogs.h"

using platform::Registry;

namespace {

const QByteArray MsInfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const QByteArray Location = "SOFTWARE\\Microsoft\\Shared Tools Location";
const QString Unavailable = "System Information Is Unavailable At This Time";

struct About
{
    ScriptedDialogs dialogs;
    FakeRegistry registry;
    FakeLauncher launcher;
    frmAbout about{dialogs, registry, launcher};

    QString lookup(const QByteArray &key, const QByteArray &value, QString start = {},
                   bool *found = nullptr)
    {
        Registry::Key root = Registry::HKeyLocalMachine;
        QString name = QString::fromLatin1(key);
        QString valueName = QString::fromLatin1(value);
        const bool result = about.GetKeyValue(root, name, valueName, start);
        if (found)
            *found = result;
        return start;
    }
};

} // namespace

TEST(About, LoadSetsItsTextsAfresh)
{
    About a;
    a.about.Form_Load();
    a.about.lblVersion->setCaption("changed");
    a.about.Form_Load();
    EXPECT_EQ(a.about.form->caption(), "О программе Lumarin");
    EXPECT_EQ(a.about.lblVersion->caption(), "Версия 1.1.6");
    EXPECT_EQ(a.about.lblTitle->caption(), "Lumarin (Люмарин)");
    EXPECT_EQ(a.about.lblDescription->caption(),
              "Эта программа позволяет просматривать наиболее распространенные графические фалйы");
    EXPECT_TRUE(a.about.lblAuthor->caption().startsWith("Автор: "));
    EXPECT_FALSE(a.about.lblDisclaimer->caption().isEmpty());
    EXPECT_EQ(a.about.cmdSysInfo->caption(), "О &Системе...");
}

TEST(About, EnterAndEscClose)
{
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        About a;
        a.about.Form_Load();
        a.about.form->show();
        QSignalSpy closed(a.about.form.get(), &platform::Form::closed);
        QTest::keyClick(a.about.form.get(), key);
        EXPECT_EQ(closed.count(), 1) << key;
        EXPECT_FALSE(a.about.form->isVisible());
    }
}

TEST(About, KeyValuesAreReadAsText)
{
    const QByteArray big(1025, 'x');
    const struct
    {
        const char *name;
        FakeRegistry::Value value;
        QString result;
        bool found;
        QString start = {};
    } cases[] = {
        {"text with its zero", {Registry::TypeString, QByteArray("/usr/bin/tool\0", 14)}, "/usr/bin/tool", true},
        {"text without a zero", {Registry::TypeString, "/usr/bin/tool"}, "/usr/bin/tool", true},
        {"dword, high bytes first", {Registry::TypeDword, QByteArray("\x0a\x01\x2c\x10", 4)}, "&h102C1A", true},
        {"dword ending in zero", {Registry::TypeDword, QByteArray("\x05\x00\x00\x00", 4)}, "&h005", true},
        {"other type", {3, "binary"}, "as passed", true, "as passed"},
        {"too large", {Registry::TypeString, big}, "", false, "as passed"},
    };
    for (const auto &c : cases) {
        About a;
        a.registry.keys[MsInfo]["PATH"] = c.value;
        bool found = false;
        EXPECT_EQ(a.lookup(MsInfo, "PATH", c.start, &found), c.result) << c.name;
        EXPECT_EQ(found, c.found) << c.name;
        EXPECT_EQ(a.registry.openHandles, 0) << c.name;
        EXPECT_EQ(a.registry.requestedAccess, QList<unsigned>{Registry::KeyRead}) << "read only";
    }

    About missing;
    bool found = true;
    EXPECT_EQ(missing.lookup(MsInfo, "PATH", "as passed", &found), "");
    EXPECT_FALSE(found);
}

TEST(About, StartSysInfoTriesBothLocationsThenGivesUp)
{
    QTemporaryDir folder;
    QFile(folder.filePath("MSINFO32.EXE")).open(QIODevice::WriteOnly);
    QTemporaryDir emptyFolder;
    const auto text = [](const QString &s) {
        return FakeRegistry::Value{Registry::TypeString, s.toLocal8Bit() + '\0'};
    };

    const struct
    {
        const char *name;
        std::optional<FakeRegistry::Value> first, second;
        bool launchFails;
        QString started; // empty: the message instead
        int lookups;
    } cases[] = {
        {"location 1, started unchanged", text("/opt/missing/tool"), std::nullopt, false,
         "/opt/missing/tool", 1},
        {"location 1 that cannot start", text("/opt/missing/tool"), std::nullopt, true, "", 1},
        {"location 2 with the tool", std::nullopt, text(folder.path()), false,
         folder.path() + "/MSINFO32.EXE", 2},
        {"location 2 without it", std::nullopt, text(emptyFolder.path()), false, "", 2},
        {"neither", std::nullopt, std::nullopt, false, "", 2},
        {"empty value at location 1", FakeRegistry::Value{Registry::TypeString, ""},
         text(folder.path()), false, "", 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        About a;
        if (c.first)
            a.registry.keys[MsInfo]["PATH"] = *c.first;
        if (c.second)
            a.registry.keys[Location]["MSINFO"] = *c.second;
        a.launcher.fails = c.launchFails;

        a.about.StartSysInfo();

        EXPECT_EQ(a.registry.requestedAccess.size(), c.lookups);
        EXPECT_EQ(a.registry.openHandles, 0);
        if (c.started.isEmpty()) {
            EXPECT_TRUE(a.launcher.started.isEmpty());
            ASSERT_EQ(a.dialogs.shown.size(), 1);
            EXPECT_EQ(a.dialogs.shown[0].text, Unavailable);
            EXPECT_EQ(a.dialogs.shown[0].caption, "Lumarin");
            EXPECT_EQ(a.dialogs.shown[0].icon, platform::Icon::None);
        } else {
            EXPECT_EQ(a.launcher.started, QStringList{c.started});
            EXPECT_TRUE(a.dialogs.shown.isEmpty());
        }
    }
}
