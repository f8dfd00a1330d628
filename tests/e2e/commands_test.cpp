// SPDX-License-Identifier: GPL-2.0-or-later
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

#include <unistd.h>

#include "Viewer.h"
#include "support/QtPrinting.h"

using e2e::Viewer;

namespace {

// Physical keys, as keycodes: under a Russian layout `xdotool key n` would
// not press the N key.
const QString KeyN = QStringLiteral("57");
const QString KeyP = QStringLiteral("33");

QByteArray contents(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// Saves a 40 × 30 picture of one colour, in the format its name says (in
// place, when one is there: same name, same size), and returns its bytes.
QByteArray saveFilled(const QString &path, Qt::GlobalColor colour)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(colour);
    image.save(path);
    return contents(path);
}

// The colour in the middle of a window.
QRgb middle(const Viewer &viewer, const QString &window)
{
    const QImage shot = viewer.screenshot(window);
    return shot.pixel(shot.width() / 2, shot.height() / 2);
}

// Three pictures, red, green and blue in the order the picker lists them:
// from the first, N and P lead to different ones, so a title tells which
// way the viewer stepped.
struct Folder
{
    Folder()
    {
        for (const auto &[name, colour] : {std::pair{"1.bmp", Qt::red},
                                           std::pair{"2.bmp", Qt::green},
                                           std::pair{"4.jpg", Qt::blue}})
            saveFilled(path(name), colour);
    }
    QString path(const QString &name) const { return dir.filePath(name); }
    QString title(const QString &name) const { return "Lumarin - " + path(name); }

    QTemporaryDir dir;
};

// Sets the X server's keyboard layouts (setxkbmap's arguments) with one
// group active, and puts the US layout back after.
struct KeyboardLayout
{
    KeyboardLayout(const QStringList &arguments, int group)
    {
        e2e::run("setxkbmap", arguments);
        e2e::lockKeyboardGroup(group);
    }
    ~KeyboardLayout() { e2e::run("setxkbmap", {"us"}); }
};

void exitWithAltQ(Viewer &viewer, const QString &main)
{
    ASSERT_TRUE(viewer.exitWithAltQ(main));
    EXPECT_EQ(viewer.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(viewer.exitCode(), 0);
}

// The viewer started in the folder above, its main window and picker shown;
// every scenario ends with Alt+Q.
class Commands : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(main.isEmpty());
        ASSERT_FALSE(picker.isEmpty());
    }
    void TearDown() override
    {
        if (!HasFatalFailure())
            exitWithAltQ(viewer, main);
    }

    Folder folder;
    Viewer viewer{folder.dir.path()};
    const QString main = viewer.waitForWindow("Lumarin");
    const QString picker = viewer.waitForWindow("Выберите папку/файл");
};

} // namespace

TEST_F(Commands, KeysFollowTheKeyboardLayout)
{
    // Keycodes of the keys labelled N and P, and of one that is not N
    // though it is at the US N's place.
    const struct
    {
        QStringList layout;
        int group;
        QString n, p, notN;
    } cases[] = {
        {{"ru"}, 0, KeyN, KeyP, {}},              // no Latin group: US places
        {{"us,ru"}, 1, KeyN, KeyP, {}},           // Russian active: the US group's
        {{"fr"}, 0, KeyN, KeyP, {}},
        {{"de"}, 0, KeyN, KeyP, {}},
        {{"us", "-variant", "dvorak"}, 0, "46", "27", KeyN},
        // Russian active over Dvorak: a keymap the program must fetch anew.
        {{"ru,us", "-variant", ",dvorak"}, 0, "46", "27", KeyN},
    };
    for (const auto &c : cases) {
        KeyboardLayout layout(c.layout, c.group);
        const std::string name = c.layout.join(QLatin1Char(' ')).toStdString();
        viewer.key(main, {c.n});
        EXPECT_EQ(viewer.waitForTitle(main, folder.title("1.bmp")), folder.title("1.bmp")) << name;
        // P comes back round to 4.jpg only from 1.bmp; had the other key
        // stepped, it would go from 2.bmp back to 1.bmp.
        if (!c.notN.isEmpty())
            viewer.key(main, {c.notN});
        viewer.key(main, {c.p});
        EXPECT_EQ(viewer.waitForTitle(main, folder.title("4.jpg")), folder.title("4.jpg")) << name;
    }
}

TEST_F(Commands, SaveWritesACopyAsksBeforeReplacingAndCancelWritesNothing)
{
    QTemporaryDir target;
    const QByteArray other = contents(folder.path("4.jpg"));
    viewer.key(main, {KeyN});
    ASSERT_EQ(viewer.waitForTitle(main, folder.title("1.bmp")), folder.title("1.bmp"));
    const auto openDialog = [&] {
        viewer.key(main, {"ctrl+s"});
        return viewer.waitForOtherWindow("(?!Lumarin$|Выберите папку/файл$).+", main);
    };

    QString dialog = openDialog();
    ASSERT_FALSE(dialog.isEmpty());
    viewer.key(dialog, {"ctrl+a"});
    viewer.type(dialog, target.filePath("copy"));
    viewer.key(dialog, {"Return"});
    EXPECT_TRUE(viewer.waitForWindowGone(dialog));
    const auto copied = [&](const QString &path) {
        e2e::waitUntil(10000, [&] { return contents(path) == contents(folder.path("1.bmp")); });
        return contents(path);
    };
    EXPECT_EQ(copied(target.filePath("copy.bmp")), contents(folder.path("1.bmp")));

    // Another picture's file: the dialog's own question, Enter for No. Once
    // the dialog asks again, it has done all it was going to do with the No.
    dialog = openDialog();
    viewer.key(dialog, {"ctrl+a"});
    viewer.type(dialog, folder.path("4.jpg"));
    const auto ask = [&] {
        viewer.key(dialog, {"Return"});
        return viewer.waitForOtherWindow(viewer.title(dialog), dialog);
    };
    QString question = ask();
    ASSERT_FALSE(question.isEmpty());
    viewer.key(question, {"Return"});
    ASSERT_TRUE(viewer.waitForWindowGone(question));
    question = ask();
    ASSERT_FALSE(question.isEmpty());
    EXPECT_EQ(contents(folder.path("4.jpg")), other) << "No keeps the file";
    viewer.key(question, {"Tab", "space"}); // Yes
    EXPECT_TRUE(viewer.waitForWindowGone(dialog));
    EXPECT_EQ(copied(folder.path("4.jpg")), contents(folder.path("1.bmp")));

    dialog = openDialog();
    viewer.key(dialog, {"Escape"});
    EXPECT_TRUE(viewer.waitForWindowGone(dialog));
    EXPECT_EQ(QDir(target.path()).entryList(QDir::Files), QStringList{"copy.bmp"});
    EXPECT_EQ(viewer.title(main), folder.title("1.bmp"));
}

TEST_F(Commands, AfterAltTheKeysBelongToTheMenu)
{
    viewer.key(main, {KeyN});
    ASSERT_EQ(viewer.waitForTitle(main, folder.title("1.bmp")), folder.title("1.bmp"));
    // The second Alt gives the keys back. P then leads from 1.bmp to 4.jpg;
    // had N stepped, it leads back to 1.bmp, and a question Del had asked
    // would still be open (neither Alt nor P answers it), holding P back.
    viewer.key(main, {"alt", KeyN, "Delete", "alt", KeyP});
    ASSERT_EQ(viewer.waitForTitle(main, folder.title("4.jpg")), folder.title("4.jpg"))
        << "N stepped or Del asked in menu mode";
    viewer.key(main, {KeyN});
    ASSERT_EQ(viewer.waitForTitle(main, folder.title("1.bmp")), folder.title("1.bmp"));

    // The red 40 × 30 picture covers the middle of the area only once it
    // is stretched to fit; Ctrl+Del takes it out of the window.
    const auto middleIsRed = [&] {
        const QRgb pixel = middle(viewer, main);
        return qRed(pixel) > 200 && qGreen(pixel) < 60 && qBlue(pixel) < 60;
    };
    EXPECT_FALSE(middleIsRed());
    viewer.key(main, {"ctrl+w"});
    EXPECT_TRUE(e2e::waitUntil(10000, middleIsRed));
    viewer.key(main, {"ctrl+Delete"});
    EXPECT_EQ(viewer.waitForTitle(main, "Lumarin"), "Lumarin");
    EXPECT_TRUE(QFile::exists(folder.path("1.bmp")));
}

TEST_F(Commands, BrowseBringsBackAMinimisedPicker)
{
    e2e::run("xdotool", {"windowminimize", "--sync", picker});
    ASSERT_TRUE(viewer.waitForWindowGone(picker));
    viewer.key(main, {"ctrl+o"});
    EXPECT_EQ(viewer.waitForWindow("Выберите папку/файл"), picker);
}

TEST(Names, ACp1251NamedFileIsReachedByNAndDeletedExactly)
{
    // "Привет.bmp" as an old Windows archive names it, and the UTF-8 name
    // Qt's lossy decoding makes of it: a program that lost the bytes would
    // show, load or delete that one.
    QTemporaryDir dir;
    const QByteArray cp1251 = "\xCF\xF0\xE8\xE2\xE5\xF2.bmp";
    const QByteArray picture = saveFilled(dir.filePath("1.bmp"), Qt::green);
    const QByteArray named = QFile::encodeName(dir.path()) + '/' + cp1251;
    ASSERT_TRUE(std::ofstream(named.constData(), std::ios::binary).write(picture.constData(), picture.size()));
    const QString lossy = dir.filePath(QFile::decodeName(cp1251));
    QFile::copy(dir.filePath("1.bmp"), lossy);

    Viewer viewer(dir.path());
    const QString main = viewer.waitForWindow("Lumarin");
    ASSERT_FALSE(main.isEmpty());
    viewer.key(main, {KeyN});
    ASSERT_EQ(viewer.waitForTitle(main, "Lumarin - " + dir.filePath("1.bmp")), "Lumarin - " + dir.filePath("1.bmp"));
    viewer.key(main, {KeyN});
    const QString title = "Lumarin - " + dir.filePath("Привет.bmp");
    // A failed load would have emptied the title: this one says it loaded.
    EXPECT_EQ(viewer.waitForTitle(main, title), title);
    ASSERT_TRUE(viewer.answerDeleteQuestion(main, "Return"));
    EXPECT_TRUE(e2e::waitUntil(5000, [&] {
        return ::access(named.constData(), F_OK) != 0;
    }));
    EXPECT_EQ(contents(lossy), picture);
    exitWithAltQ(viewer, main);
}

TEST(HeldKey, StepsWhileHeldAndStopsAtRelease)
{
    // Pictures slow enough that auto-repeats come faster than steps.
    QTemporaryDir dir;
    QImage(QStringLiteral(LUMARIN_TESTDATA_DIR "/pillow/xmp_test.jpg"))
        .scaled(4000, 3000)
        .save(dir.filePath("00.jpg"), "JPEG", 95);
    for (int i = 1; i < 20; ++i)
        QFile::copy(dir.filePath("00.jpg"), dir.filePath(QString::asprintf("%02d.jpg", i)));

    Viewer viewer(dir.path());
    const QString main = viewer.waitForWindow("Lumarin");
    ASSERT_FALSE(main.isEmpty());
    viewer.key(main, {KeyN});
    ASSERT_NE(viewer.waitForTitle(main, "Lumarin - " + dir.filePath("00.jpg")), "Lumarin");

    QSet<QString> whileHeld;
    e2e::run("xdotool", {"keydown", KeyN});
    QElapsedTimer held;
    held.start();
    while (held.elapsed() < 2500)
        whileHeld.insert(viewer.title(main));
    e2e::run("xdotool", {"keyup", KeyN});
    EXPECT_GE(whileHeld.size(), 3) << "holding the key steps";

    // After the release at most the step under way ends. Ctrl+Del, handled
    // after every repeat that came before it, empties the window but leaves
    // the picker where the steps stopped: the titles seen until then, and
    // the one N gives after, tell how far it went.
    QStringList after{viewer.title(main)};
    viewer.key(main, {"ctrl+Delete"});
    ASSERT_TRUE(e2e::waitUntil(10000, [&] {
        if (const QString title = viewer.title(main); title != after.last())
            after << title;
        return after.last() == "Lumarin";
    })) << after.join(", ").toStdString();
    viewer.key(main, {KeyN});
    QString next;
    ASSERT_TRUE(e2e::waitUntil(10000, [&] { return (next = viewer.title(main)) != "Lumarin"; }));
    const auto number = [](const QString &title) { return title.right(6).left(2).toInt(); };
    const int steps = (number(next) - 1 - number(after.first()) + 40) % 20;
    EXPECT_TRUE(after.size() <= 3 && steps <= 1)
        << after.join(", ").toStdString() << ", then " << next.toStdString();

    ASSERT_TRUE(viewer.exitWithAltQ(main));
}

TEST_F(Commands, TheFileActedOnIsTheFileShown)
{
    // Typing into the folder field leaves its text (Del there is still
    // Delete: the question comes, Escape answers No).
    const QRect field(0, 26, 265, 20);
    viewer.click(main, field.center());
    viewer.key(main, {"ctrl+a"});
    QImage before;
    const auto fieldShows = [&] { return viewer.screenshot(main).copy(field); };
    ASSERT_TRUE(e2e::waitUntil(5000, [&] { return (before = fieldShows()) == fieldShows(); }));
    viewer.key(main, {"x", "y", "BackSpace"});
    ASSERT_TRUE(viewer.answerDeleteQuestion(main, "Escape")) << "Del in the field reaches the window";
    EXPECT_TRUE(e2e::waitUntil(5000, [&] { return fieldShows() == before; })) << "the field's text is as it was";

    viewer.key(main, {KeyN});
    ASSERT_EQ(viewer.waitForTitle(main, folder.title("1.bmp")), folder.title("1.bmp"));

    // Another program saves over the shown picture; a hurried Del, Enter,
    // Enter is told so, sees the new picture and deletes nothing.
    const QByteArray green = saveFilled(folder.path("1.bmp"), Qt::green);
    ASSERT_TRUE(viewer.answerDeleteQuestion(main, "Return")); // OK to being told
    viewer.key(main, {"Return", "ctrl+w"});
    EXPECT_TRUE(e2e::waitUntil(10000, [&] { return qGreen(middle(viewer, main)) > 200 && qRed(middle(viewer, main)) < 60; }))
        << "the picture now on disk is shown";
    EXPECT_EQ(contents(folder.path("1.bmp")), green);

    // Saved over again, then Save onto the shown name: asked, and Enter
    // (No) keeps the newer file.
    const QByteArray yellow = saveFilled(folder.path("1.bmp"), Qt::yellow);
    viewer.key(main, {"ctrl+s"});
    const QString dialog = viewer.waitForOtherWindow("(?!Lumarin$|Выберите папку/файл$).+", main);
    ASSERT_FALSE(dialog.isEmpty());
    viewer.key(dialog, {"ctrl+a"});
    viewer.type(dialog, folder.path("1.bmp"));
    viewer.key(dialog, {"Return"});
    const QString question = viewer.waitForOtherWindow(viewer.title(dialog), dialog);
    ASSERT_FALSE(question.isEmpty()) << "the changed shown file is asked about";
    viewer.key(question, {"Return"});
    ASSERT_TRUE(viewer.waitForWindowGone(question));
    viewer.key(dialog, {"Escape"});
    ASSERT_TRUE(viewer.waitForWindowGone(dialog));
    EXPECT_EQ(contents(folder.path("1.bmp")), yellow);
}
