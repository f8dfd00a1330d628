// SPDX-License-Identifier: GPL-2.0-or-later
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

#include "about/frmAbout.h"
#include "support/FakeRegistry.h"
#include "support/QtPrinting.h"
#include "support/ScriptedDialogs.h"

using platform::Registry;
using Value = std::optional<FakeRegistry::Value>;

TEST(About, StartSysInfoReadsTheToolFromEitherKeyOrGivesUp)
{
    QTemporaryDir folder, emptyFolder;
    QFile(folder.filePath("MSINFO32.EXE")).open(QIODevice::WriteOnly);
    const auto text = [](const QString &s) { return Value{{Registry::TypeString, s.toLocal8Bit() + '\0'}}; };
    const QStringList unavailable; // no tool started: the message instead
    const struct { const char *name; Value first, second; bool launchFails; QStringList started; } cases[] = {
        {"text with its zero", text("/opt/tool"), {}, false, {"/opt/tool"}},
        {"text without a zero", {{Registry::TypeString, "/opt/tool"}}, {}, false, {"/opt/tool"}},
        {"dword, high bytes first", {{Registry::TypeDword, QByteArray("\x0a\x01\x2c\x10", 4)}}, {}, false, {"&h102C1A"}},
        {"dword ending in zero", {{Registry::TypeDword, QByteArray("\x05\x00\x00\x00", 4)}}, {}, false, {"&h005"}},
        {"other type: found, but no text", {{3, "binary"}}, {}, false, {""}},
        {"location 1 that cannot start", text("/opt/tool"), {}, true, unavailable},
        {"location 2 with the tool", {}, text(folder.path()), false, {folder.path() + "/MSINFO32.EXE"}},
        {"location 1 too large", {{Registry::TypeString, QByteArray(1025, 'x')}}, text(folder.path()), false, {folder.path() + "/MSINFO32.EXE"}},
        {"location 2 without it", {}, text(emptyFolder.path()), false, unavailable},
        {"neither", {}, {}, false, unavailable},
        {"empty value at location 1", {{Registry::TypeString, ""}}, text(folder.path()), false, unavailable},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedDialogs dialogs;
        FakeRegistry registry;
        FakeLauncher launcher;
        if (c.first)
            registry.keys["SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"]["PATH"] = *c.first;
        if (c.second)
            registry.keys["SOFTWARE\\Microsoft\\Shared Tools Location"]["MSINFO"] = *c.second;
        launcher.fails = c.launchFails;

        frmAbout(dialogs, registry, launcher).StartSysInfo();

        EXPECT_EQ(launcher.started, c.started);
        ASSERT_EQ(dialogs.shown.size(), c.started.isEmpty() ? 1 : 0);
        // Each key is opened for reading only, and closed again.
        EXPECT_EQ(registry.requestedAccess, QList<unsigned>(registry.requestedAccess.size(), Registry::KeyRead));
        EXPECT_EQ(registry.openHandles, 0);
    }
}
