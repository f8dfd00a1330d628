// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/TestWindow.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QImage>
#include <QMenuBar>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include <thread>

#include "platform/controls/Form.h"
#include "platform/controls/Label.h"

TestWindow::TestWindow(const QString &folder, const std::function<void(TestWindow &)> &prepare)
{
    if (prepare)
        prepare(*this);
    const QString previous = QDir::currentPath();
    if (!folder.isEmpty())
        QDir::setCurrent(folder);
    window = std::make_unique<frmLumarin>(platform::Services{dialogs, pictures, volumes, registry, launcher, workers, folderReaders});
    QObject::connect(window->lblProgramStatus, &platform::Label::change,
                     [this](const QString &text) { statuses.append(text); });
    window->show();
    QDir::setCurrent(previous);
    QApplication::processEvents();
}

TestWindow::~TestWindow()
{
    window.reset();
    pictures.stalls.release();
    volumes.stalls.release();
    QDeadlineTimer deadline(10000);
    while ((pictures.started != pictures.ended || volumes.inCalls > 0) && !deadline.hasExpired())
        std::this_thread::yield();
}

void TestWindow::waitForLoad()
{
    if (!QTest::qWaitFor([&] { return !window->isLoading(); }, 10000))
        ADD_FAILURE() << "the picture did not arrive in 10 s";
}

void TestWindow::show(const QString &path)
{
    window->NewPicture(path);
    waitForLoad();
}

QString TestWindow::after(void (frmLumarin::*command)())
{
    (*window.*command)();
    waitForLoad();
    return window->strPicturePath;
}

void TestWindow::resizeClient(int width, int height)
{
    window->form->resize(width, height + window->form->menuBar()->height());
    QApplication::processEvents();
}

QString writePicture(const QTemporaryDir &folder, const QString &name, int width, int height,
                     const char *format)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QPainter painter(&image);
    painter.fillRect(0, 0, width / 2, height / 2, Qt::yellow);
    painter.end();
    const QString path = folder.filePath(name);
    image.save(path, format);
    return path;
}

QString testDataPath(const QString &relative)
{
    return QStringLiteral(LUMARIN_TESTDATA_DIR "/") + relative;
}
