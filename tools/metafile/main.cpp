// SPDX-License-Identifier: GPL-2.0-or-later
// lumarin-metafile: converts one Windows metafile (WMF or EMF) to SVG.
//
// The metafile comes on standard input and the SVG goes to standard output;
// the helper opens no files and talks to no one else. The viewer runs it in
// a separate process with time and memory limits, because it parses
// untrusted input: a fault here costs one picture, not the viewer.
//
// Usage: lumarin-metafile wmf|emf
// Exit status: 0 with SVG written, 1 for a metafile that cannot be read,
// 2 for wrong usage.

#include <QByteArray>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>

#include "render/Renderer.h"

namespace {

// Metafiles larger than this are not converted.
constexpr qsizetype MaxInput = qsizetype(256) * 1024 * 1024;

bool readAll(FILE *in, QByteArray &data)
{
    char chunk[1 << 16];
    for (;;) {
        const size_t got = fread(chunk, 1, sizeof chunk, in);
        if (got == 0)
            return !ferror(in);
        if (data.size() + qsizetype(got) > MaxInput)
            return false;
        data.append(chunk, qsizetype(got));
    }
}

bool write(const QByteArray &svg)
{
    return fwrite(svg.constData(), 1, size_t(svg.size()), stdout) == size_t(svg.size()) && fflush(stdout) == 0;
}

// Qt looks for files in the runtime directory while it starts, and when
// XDG_RUNTIME_DIR is unset it makes one under the temporary directory. The
// helper writes nothing to disk: both point at a directory that exists and
// cannot be written, so the lookups find nothing and create nothing.
void keepQtOffTheDisk()
{
    if (qEnvironmentVariableIsSet("XDG_RUNTIME_DIR"))
        return;
    qputenv("XDG_RUNTIME_DIR", "/proc");
    qputenv("TMPDIR", "/proc");
}

// Qt's warnings about that directory mean nothing to the viewer.
void quiet(QtMsgType, const QMessageLogContext &, const QString &)
{
}

int convert(const char *kind, char *program)
{
    QByteArray data;
    if (!readAll(stdin, data) || data.isEmpty())
        return 1;
    const bool emf = strcmp(kind, "emf") == 0;

    // Fonts need a GUI application; no display is needed or wanted.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    keepQtOffTheDisk();
    int qtArgc = 1;
    const QtMessageHandler previous = qInstallMessageHandler(quiet);
    QGuiApplication app(qtArgc, &program);
    qInstallMessageHandler(previous);

    const QByteArray svg = metafile::renderMetafileSvg(data, emf ? metafile::Kind::Emf : metafile::Kind::Wmf);
    if (svg.isEmpty() || !write(svg))
        return 1;
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2 || (strcmp(argv[1], "wmf") != 0 && strcmp(argv[1], "emf") != 0)) {
        fputs("usage: lumarin-metafile wmf|emf < metafile > svg\n", stderr);
        return 2;
    }
    // Running out of memory, or any other failure, is an unreadable
    // metafile, not a crash.
    try {
        return convert(argv[1], argv[0]);
    } catch (...) {
        return 1;
    }
}
