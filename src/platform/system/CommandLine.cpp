// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/system/CommandLine.h"

#include <QDir>
#include <QFileInfo>

#include "version.h"

namespace platform {

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
        line.problem = QStringLiteral("lumarin: неизвестный ключ %1 (см. lumarin --help)").arg(path);
        return line;
    }
    const QFileInfo info(path);
    if (!info.exists()) {
        line.problem = QStringLiteral("lumarin: нет такого файла или папки: %1").arg(path);
        return line;
    }
    line.path = QDir::cleanPath(info.absoluteFilePath());
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
