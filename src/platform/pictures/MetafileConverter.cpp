// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/pictures/MetafileConverter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

#include <sys/resource.h>

#include "platform/system/Error.h"

namespace platform {

namespace {

[[noreturn]] void refuse(const QString &why)
{
    raise(errc::InvalidPicture, why);
}

} // namespace

QByteArray convertMetafile(const QString &helper, const QByteArray &metafile, MetafileType type,
                           const ConverterLimits &limits)
{
    QProcess process;
    process.setProgram(helper);
    process.setArguments({type == MetafileType::Emf ? QStringLiteral("emf") : QStringLiteral("wmf")});
    process.setStandardErrorFile(QProcess::nullDevice());
    const qint64 memory = limits.memoryBytes;
    const rlim_t seconds = rlim_t(limits.timeoutMs / 1000 + 1);
    process.setChildProcessModifier([memory, seconds] {
        // In the child, before the helper starts: it may not take more
        // memory or processor time than this, nor write a core file.
        const rlimit address{rlim_t(memory), rlim_t(memory)};
        setrlimit(RLIMIT_AS, &address);
        const rlimit cpu{seconds, seconds};
        setrlimit(RLIMIT_CPU, &cpu);
        const rlimit noCore{0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
    });

    process.start();
    if (!process.waitForStarted(limits.timeoutMs))
        refuse(QStringLiteral("программа преобразования метафайлов не запускается"));

    // Queue the metafile; it is written while the SVG is read, so neither
    // side waits on a full pipe.
    process.write(metafile);
    process.closeWriteChannel();

    QByteArray svg;
    QElapsedTimer clock;
    clock.start();
    while (process.state() != QProcess::NotRunning) {
        const qint64 left = limits.timeoutMs - clock.elapsed();
        if (left <= 0) {
            process.kill();
            process.waitForFinished();
            refuse(QStringLiteral("преобразование метафайла не закончилось вовремя"));
        }
        process.waitForReadyRead(int(std::min<qint64>(left, 100)));
        svg += process.readAllStandardOutput();
        if (svg.size() > limits.maxOutputBytes) {
            process.kill();
            process.waitForFinished();
            refuse(QStringLiteral("метафайл слишком сложен"));
        }
    }
    svg += process.readAllStandardOutput();

    if (process.exitStatus() != QProcess::NormalExit)
        refuse(QStringLiteral("метафайл повреждён (сбой при преобразовании)"));
    if (process.exitCode() != 0 || svg.isEmpty())
        refuse(QStringLiteral("метафайл повреждён или не поддерживается"));
    return svg;
}

QString defaultMetafileHelper()
{
    const QString here = QCoreApplication::applicationDirPath();
    const QString beside = here + QStringLiteral("/lumarin-metafile");
    if (QFileInfo(beside).isExecutable())
        return beside;
    // Installed: where the install rules put it, relative to the viewer.
    return QDir::cleanPath(here + QStringLiteral("/" LUMARIN_HELPER_FROM_BINDIR));
}

} // namespace platform
