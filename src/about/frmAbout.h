// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <array>
#include <memory>
#include <optional>

#include "platform/controls/ErrorGuard.h"
#include "platform/system/Registry.h"

namespace platform {
class CommandButton;
class Form;
class Label;
class Launcher;
class Line;
class PictureBox;
} // namespace platform

// The About box: the program's title, version and texts, and a button that
// starts the system-information tool. It lives only while it is shown.
class frmAbout : public QObject, public platform::GuardedWindow<frmAbout>
{
    Q_OBJECT

    // First, so they outlive the controls.
    platform::Dialogs &dialogs_;
    platform::Registry &registry_;
    platform::Launcher &launcher_;

public:
    frmAbout(platform::Dialogs &dialogs, platform::Registry &registry, platform::Launcher &launcher);
    ~frmAbout() override;

    // Loads the window (Form_Load) and shows it modal; returns once closed.
    void showModal();

    void StartSysInfo();
    bool GetKeyValue(platform::Registry::Key &KeyRoot, QString &KeyName, QString &SubKeyRef,
                     QString &KeyVal);

    // --- Event handlers
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    // --- Controls
    std::unique_ptr<platform::Form> form;
    std::array<platform::PictureBox *, 4> picIcon{};
    platform::Label *lblTitle = nullptr;
    platform::Label *lblVersion = nullptr;
    platform::Label *lblDescription = nullptr;
    platform::Label *lblAuthor = nullptr;
    platform::Label *lblDisclaimer = nullptr;
    std::array<platform::Line *, 2> Line1{};
    platform::CommandButton *cmdOK = nullptr;
    platform::CommandButton *cmdSysInfo = nullptr;

private:
    void createControls();
    // The tool's registered path, or nothing when it is not registered.
    std::optional<QString> findSysInfo();
};
