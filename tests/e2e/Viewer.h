// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>

namespace e2e {

// Asks `done` every 50 ms until it says yes or the time is up; returns its
// last answer.
bool waitUntil(int timeoutMs, const std::function<bool()> &done);

// Runs a command to completion and returns its standard output, trimmed.
QString run(const QString &program, const QStringList &arguments, int timeoutMs = 10000);

// Makes keyboard group `group` (0 for the first layout) the active one, as
// the user's layout switch would.
void lockKeyboardGroup(int group);

// The real viewer binary, started in a folder of the test's choosing in the
// X server of DISPLAY, and looked at and driven from outside.
class Viewer
{
public:
    explicit Viewer(const QString &workingFolder, const QStringList &arguments = {},
                    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment());
    ~Viewer();

    // Waits for a visible window whose whole title matches `pattern` (a
    // regular expression) and returns its id, or an empty string.
    QString waitForWindow(const QString &pattern, int timeoutMs = 15000);
    // Like waitForWindow, for a window other than `other` (a message box
    // captioned like the main window).
    QString waitForOtherWindow(const QString &pattern, const QString &other,
                               int timeoutMs = 15000);
    // Waits until the window's title is `expected`; returns the last title.
    QString waitForTitle(const QString &window, const QString &expected, int timeoutMs = 10000);
    // Waits until the window is gone (closed or hidden).
    bool waitForWindowGone(const QString &window, int timeoutMs = 10000);
    QString title(const QString &window) const;
    QRect geometry(const QString &window) const;

    // Presses keys (xdotool names or keycodes) with that window focused.
    void key(const QString &window, const QStringList &keys);
    // Types text into the focused control of the window.
    void type(const QString &window, const QString &text);
    // Clicks at a point of the window (in its own coordinates).
    void click(const QString &window, QPoint at);
    QImage screenshot(const QString &window) const;

    // The user's ways through the program, shared by the scenarios:
    // Alt, С, О from the main window; returns the About window's id.
    QString openAbout(const QString &main);
    // Del, then `answer` ("Return" for Yes, "Escape" for No) in the
    // question; true once the question has come and gone.
    bool answerDeleteQuestion(const QString &main, const QString &answer);
    // Alt+Q; true once the process has ended.
    bool exitWithAltQ(const QString &main);

    bool waitForExit(int timeoutMs = 10000);
    int exitCode() const { return process_.exitCode(); }
    QProcess::ExitStatus exitStatus() const { return process_.exitStatus(); }

private:
    QStringList visibleWindows(const QString &pattern) const;

    QProcess process_;
};

} // namespace e2e
