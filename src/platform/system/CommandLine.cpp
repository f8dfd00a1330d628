// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/system/CommandLine.h"

#include <cstring>

#include "platform/system/DisplayNames.h"
#include "platform/system/FileNames.h"
#include "platform/system/Paths.h"
#include "version.h"

namespace platform {

Arguments::Arguments(int argc, char **argv)
{
    int end = 0;
    while (end < argc && std::strcmp(argv[end], "--") != 0)
        ++end;
    qt_.assign(argv, argv + end);
    qt_.push_back(nullptr);
    qtCount_ = end;
    for (int i = end; i < argc; ++i)
        afterOptions_ << decodeFileName(argv[i]);
}

QStringList Arguments::program() const
{
    QStringList arguments;
    for (int i = 1; i < qtCount_; ++i)
        arguments << decodeFileName(qt_[std::size_t(i)]);
    return arguments + afterOptions_;
}

CommandLine parseCommandLine(const QStringList &arguments)
{
    CommandLine line;
    // "--" ends the options, for a name that starts with a dash.
    const qsizetype end = arguments.indexOf(QLatin1String("--"));
    const QStringList options = end < 0 ? arguments : arguments.mid(0, end);
    if (options.contains(QLatin1String("--help")) || options.contains(QLatin1String("-h"))) {
        line.action = CommandLine::Action::Help;
        return line;
    }
    if (options.contains(QLatin1String("--version"))) {
        line.action = CommandLine::Action::Version;
        return line;
    }
    QStringList paths = arguments;
    const bool optionsEnded = end >= 0;
    if (optionsEnded)
        paths.removeAt(end);
    if (paths.isEmpty())
        return line;
    if (paths.size() > 1) {
        line.problem = QStringLiteral("lumarin: можно открыть только один файл или папку");
        return line;
    }
    const QString &path = paths.constFirst();
    if (!optionsEnded && path.startsWith(QLatin1Char('-'))) {
        line.problem = QStringLiteral("lumarin: неизвестный ключ %1 (см. lumarin --help)")
                           .arg(displayPath(path));
        return line;
    }
    // Whether it is there is asked later, on a worker: the disk it is on may
    // not answer.
    line.path = absolutePath(path);
    return line;
}

QString helpText()
{
    return QStringLiteral(
        "Использование: lumarin [ФАЙЛ|ПАПКА]\n"
        "Просмотр рисунков BMP, DIB, ICO, CUR, WMF, EMF, JPEG и GIF по одному.\n"
        "\n"
        "  ФАЙЛ         открыть папку файла и показать его\n"
        "  ПАПКА        открыть папку, ничего не показывая\n"
        "  --help       показать эту справку и выйти\n"
        "  --version    показать версию и выйти\n");
}

QString versionText()
{
    return QStringLiteral("Lumarin %1.%2.%3\n")
        .arg(LUMARIN_VERSION_MAJOR)
        .arg(LUMARIN_VERSION_MINOR)
        .arg(LUMARIN_VERSION_PATCH);
}

} // namespace platform
