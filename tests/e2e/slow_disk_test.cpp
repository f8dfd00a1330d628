// SPDX-License-Identifier: GPL-2.0-or-later
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "Viewer.h"
#include "support/QtPrinting.h"

#ifdef LUMARIN_SLOWFS

namespace {

// A folder of a.bmp, b.bmp and c.bmp mounted through the slow file system:
// every read of the one slow name waits that many seconds ("." for the
// folder's own listing).
class SlowFolder
{
public:
    SlowFolder(const char *slowName, const char *seconds)
    {
        for (const char *name : {"a.bmp", "b.bmp", "c.bmp"})
            QFile::copy(QStringLiteral(LUMARIN_TESTDATA_DIR "/bmpsuite/g/rgb24.bmp"), source_.filePath(name));
        fs_.setProcessChannelMode(QProcess::MergedChannels);
        fs_.start(QStringLiteral(LUMARIN_SLOWFS), {source_.path(), slowName, seconds, mount_.path(), "-f"});
        mounted_ = fs_.waitForStarted() && e2e::waitUntil(5000, [&] {
            return QFile::exists(path("c.bmp")) || fs_.waitForFinished(0);
        }) && fs_.state() == QProcess::Running;
    }
    ~SlowFolder()
    {
        e2e::run("fusermount3", {"-u", "-z", mount_.path()});
        fs_.kill();
        fs_.waitForFinished();
    }
    bool mounted() const { return mounted_; }
    QString why()
    {
        fs_.waitForFinished(1000);
        return QString::fromLocal8Bit(fs_.readAll());
    }
    QString path(const QString &name) const { return mount_.filePath(name); }
    QString folder() const { return mount_.path(); }

private:
    QTemporaryDir source_, mount_;
    QProcess fs_;
    bool mounted_ = false;
};

} // namespace

TEST(SlowDisk, NextGoesPastAFileWhoseReadsWaitAndAltQEndsTheProgramMeanwhile)
{
    SlowFolder slow("b.bmp", "30");
    if (!slow.mounted())
        GTEST_SKIP() << "a FUSE file system cannot be mounted here: " << slow.why().toStdString();
    e2e::Viewer viewer(slow.folder());
    const QString main = viewer.waitForWindow("Lumarin");
    ASSERT_FALSE(main.isEmpty());
    const QString a = "Lumarin - " + slow.path("a.bmp"), c = "Lumarin - " + slow.path("c.bmp");
    viewer.key(main, {"57"});
    ASSERT_EQ(viewer.waitForTitle(main, a), a); // b.bmp is now read ahead, and waits

    // N onto b.bmp, whose read waits, and on to c.bmp: shown long before
    // b.bmp's read could end.
    viewer.key(main, {"57"});
    viewer.key(main, {"57"});
    EXPECT_EQ(viewer.waitForTitle(main, c, 10000), c);
    // Onto b.bmp again, and out while its reads still wait.
    viewer.key(main, {"33"}); // P
    EXPECT_TRUE(viewer.exitWithAltQ(main));
    EXPECT_EQ(viewer.exitCode(), 0);
}

TEST(SlowDisk, StartedInAFolderThatTakesEightSecondsToListTheWindowShowsAtOnceAndNWaitsForTheList)
{
    SlowFolder slow(".", "8");
    if (!slow.mounted())
        GTEST_SKIP() << "a FUSE file system cannot be mounted here: " << slow.why().toStdString();
    e2e::Viewer viewer(slow.folder());
    const QString main = viewer.waitForWindow("Lumarin", 3000);
    ASSERT_FALSE(main.isEmpty()) << "no window within 3 s";
    viewer.key(main, {"57"}); // N, long before the list comes
    const QString a = "Lumarin - " + slow.path("a.bmp");
    EXPECT_EQ(viewer.waitForTitle(main, a, 20000), a);
    EXPECT_TRUE(viewer.exitWithAltQ(main));
}

#else

TEST(SlowDisk, NextGoesPastAFileWhoseReadsWaitAndAltQEndsTheProgramMeanwhile)
{
    GTEST_SKIP() << "built without libfuse3: no slow file system to mount";
}

TEST(SlowDisk, StartedInAFolderThatTakesEightSecondsToListTheWindowShowsAtOnceAndNWaitsForTheList)
{
    GTEST_SKIP() << "built without libfuse3: no slow file system to mount";
}

#endif
