#include "Viewer.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QThread>

namespace e2e {

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

Viewer::Viewer(const QString &workingFolder, const QProcessEnvironment &environment)
{
    process_.setWorkingDirectory(workingFolder);
    // The viewer's own messages go to the test log.
    process_.setProcessChannelMode(QProcess::ForwardedChannels);
    QProcessEnvironment env = environment;
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    process_.setProcessEnvironment(env);
    process_.start(QStringLiteral(LUMARIN_BINARY), {});
    process_.waitForStarted();
}

Viewer::~Viewer()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished();
    }
}

QString Viewer::waitForWindow(const QString &pattern, int timeoutMs)
{
    const QRegularExpression whole(QRegularExpression::anchoredPattern(pattern));
    const QString pid = QString::number(process_.processId());
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs && process_.state() == QProcess::Running) {
        const QString ids = run("xdotool", {"search", "--onlyvisible", "--name", "."});
        for (const QString &id : ids.split('\n', Qt::SkipEmptyParts)) {
            if (run("xdotool", {"getwindowpid", id}) == pid && whole.match(title(id)).hasMatch())
                return id;
        }
        QThread::msleep(100);
    }
    return {};
}

QString Viewer::title(const QString &window) const
{
    return run("xdotool", {"getwindowname", window});
}

QRect Viewer::geometry(const QString &window) const
{
    // "WIDTH=..", "HEIGHT=..", "X=..", "Y=.." lines
    const QString shell = run("xdotool", {"getwindowgeometry", "--shell", window});
    QRect rect;
    for (const QString &line : shell.split('\n')) {
        const QString value = line.section('=', 1);
        if (line.startsWith("X="))
            rect.moveLeft(value.toInt());
        else if (line.startsWith("Y="))
            rect.moveTop(value.toInt());
        else if (line.startsWith("WIDTH="))
            rect.setWidth(value.toInt());
        else if (line.startsWith("HEIGHT="))
            rect.setHeight(value.toInt());
    }
    return rect;
}

void Viewer::key(const QString &window, const QStringList &keys)
{
    run("xdotool", {"windowactivate", "--sync", window});
    run("xdotool", QStringList{"key", "--clearmodifiers", "--delay", "50"} + keys);
}

QImage Viewer::screenshot(const QString &window) const
{
    QProcess import;
    import.start("import", {"-window", window, "png:-"});
    import.waitForFinished(10000);
    return QImage::fromData(import.readAllStandardOutput(), "PNG");
}

bool Viewer::waitForExit(int timeoutMs)
{
    return process_.state() == QProcess::NotRunning || process_.waitForFinished(timeoutMs);
}

} // namespace e2e
