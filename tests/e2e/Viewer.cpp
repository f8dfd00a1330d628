// SPDX-License-Identifier: GPL-2.0-or-later
#include "Viewer.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QThread>

// The XKB header names a member "explicit", a word C++ keeps for itself.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

namespace e2e {

bool waitUntil(int timeoutMs, const std::function<bool()> &done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() >= timeoutMs)
            return false;
        QThread::msleep(50);
    }
    return true;
}

QString run(const QString &program, const QStringList &arguments, int timeoutMs)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

void lockKeyboardGroup(int group)
{
    // No command-line tool sets the group; XKB's own request does.
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    free(xcb_xkb_use_extension_reply(connection, xcb_xkb_use_extension(connection, 1, 0), nullptr));
    free(xcb_request_check(connection, xcb_xkb_latch_lock_state_checked(
                                           connection, XCB_XKB_ID_USE_CORE_KBD, 0, 0, true,
                                           xcb_xkb_group_t(group), 0, false, 0)));
    xcb_disconnect(connection);
}

Viewer::Viewer(const QString &workingFolder, const QStringList &arguments,
               QProcessEnvironment environment)
{
    process_.setWorkingDirectory(workingFolder);
    // The viewer's own messages go to the test log.
    process_.setProcessChannelMode(QProcess::ForwardedChannels);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    process_.setProcessEnvironment(environment);
    process_.start(QStringLiteral(LUMARIN_BINARY), arguments);
    process_.waitForStarted();
}

Viewer::~Viewer()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished();
    }
}

QStringList Viewer::visibleWindows(const QString &pattern) const
{
    const QRegularExpression whole(QRegularExpression::anchoredPattern(pattern));
    const QString pid = QString::number(process_.processId());
    QStringList found;
    const QString ids = run("xdotool", {"search", "--onlyvisible", "--name", "."});
    for (const QString &id : ids.split('\n', Qt::SkipEmptyParts)) {
        if (run("xdotool", {"getwindowpid", id}) == pid && whole.match(title(id)).hasMatch())
            found << id;
    }
    return found;
}

QString Viewer::waitForWindow(const QString &pattern, int timeoutMs)
{
    return waitForOtherWindow(pattern, {}, timeoutMs);
}

QString Viewer::waitForOtherWindow(const QString &pattern, const QString &other, int timeoutMs)
{
    QString found;
    waitUntil(timeoutMs, [&] {
        const QStringList windows = visibleWindows(pattern);
        found = windows.value(windows.indexOf(other) == 0 ? 1 : 0);
        return !found.isEmpty() || process_.state() != QProcess::Running;
    });
    return found;
}

QString Viewer::waitForTitle(const QString &window, const QString &expected, int timeoutMs)
{
    QString last;
    waitUntil(timeoutMs, [&] { return (last = title(window)) == expected; });
    return last;
}

bool Viewer::waitForWindowGone(const QString &window, int timeoutMs)
{
    return waitUntil(timeoutMs, [&] {
        return !run("xdotool", {"search", "--onlyvisible", "--name", "."}).split('\n').contains(window);
    });
}

QString Viewer::title(const QString &window) const
{
    return run("xdotool", {"getwindowname", window});
}

QRect Viewer::geometry(const QString &window) const
{
    // xwininfo's absolute corner is the window's own, inside any frame the
    // window manager added (xdotool's counts the title bar twice).
    const QString info = run("xwininfo", {"-id", window});
    const auto number = [&](const QString &label) {
        const QRegularExpression line(QRegularExpression::escape(label) + R"(:\s*(-?\d+))");
        return line.match(info).captured(1).toInt();
    };
    return {number("Absolute upper-left X"), number("Absolute upper-left Y"), number("Width"),
            number("Height")};
}

void Viewer::key(const QString &window, const QStringList &keys)
{
    run("xdotool", {"windowactivate", "--sync", window});
    run("xdotool", QStringList{"key", "--clearmodifiers", "--delay", "50"} + keys);
}

void Viewer::type(const QString &window, const QString &text)
{
    run("xdotool", {"windowactivate", "--sync", window});
    run("xdotool", {"type", "--delay", "20", text});
}

void Viewer::click(const QString &window, QPoint at)
{
    run("xdotool", {"windowactivate", "--sync", window});
    // Screen coordinates: --window counts from the window manager's frame.
    const QPoint screen = geometry(window).topLeft() + at;
    run("xdotool", {"mousemove", QString::number(screen.x()), QString::number(screen.y()),
                    "click", "1"});
}

QImage Viewer::screenshot(const QString &window) const
{
    QProcess import;
    import.start("import", {"-window", window, "png:-"});
    import.waitForFinished(10000);
    return QImage::fromData(import.readAllStandardOutput(), "PNG");
}

QString Viewer::openAbout(const QString &main)
{
    // Alt puts the menu bar in keyboard mode; С opens Справка, О the About
    // window.
    key(main, {"alt"});
    key(main, {"Cyrillic_es"});
    key(main, {"Cyrillic_o"});
    return waitForWindow("О программе Lumarin");
}

bool Viewer::answerDeleteQuestion(const QString &main, const QString &answer)
{
    key(main, {"Delete"});
    // The question is captioned like the main window.
    const QString question = waitForOtherWindow("Lumarin", main);
    if (question.isEmpty())
        return false;
    key(question, {answer});
    return waitForWindowGone(question);
}

bool Viewer::exitWithAltQ(const QString &main)
{
    key(main, {"alt+q"});
    return waitForExit();
}

bool Viewer::waitForExit(int timeoutMs)
{
    return process_.state() == QProcess::NotRunning || process_.waitForFinished(timeoutMs);
}

} // namespace e2e
