// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/files/Volumes.h"

#include <QDir>

namespace platform {

QString driveText(const Volume &volume)
{
    return volume.mountPath + QStringLiteral(" [") + volume.label + QLatin1Char(']');
}

QString leadingPath(const QString &text)
{
    const qsizetype bracket = text.lastIndexOf(QStringLiteral(" ["));
    if (bracket > 0 && text.endsWith(QLatin1Char(']')))
        return text.left(bracket);
    return text;
}

std::optional<Volume> volumeHolding(const QList<Volume> &volumes, const QString &path)
{
    const QString clean = QDir::cleanPath(leadingPath(path));
    std::optional<Volume> best;
    for (const Volume &volume : volumes) {
        const QString mount = QDir::cleanPath(volume.mountPath);
        const bool holds = clean == mount
            || clean.startsWith(mount.endsWith(QLatin1Char('/')) ? mount : mount + QLatin1Char('/'));
        if (holds && (!best || mount.size() > QDir::cleanPath(best->mountPath).size()))
            best = volume;
    }
    return best;
}

} // namespace platform
