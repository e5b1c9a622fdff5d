// The resource search in made-up directory trees, the list of shipped screens and their loading.
// Each tree lives in a temporary directory; the search is started from a fake executable directory.
#include "startup/BundledResources.h"
#include "startup/BundledScreens.h"
#include "support/TestPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>

namespace {

// Creates the file and its parent directories, returning its path.
QString makeFile(const QString& path, const QByteArray& contents = "x") {
    EXPECT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
    return path;
}

QString makeDir(const QString& path) {
    EXPECT_TRUE(QDir().mkpath(path));
    return path;
}

bool sameFile(const QString& found, const QString& expected) {
    return !found.isNull() && QFileInfo(found).isAbsolute() &&
           QFileInfo(found).canonicalFilePath() == QFileInfo(expected).canonicalFilePath();
}

QString search(const QString& executableDir, const QString& name, QStringList* probes = nullptr) {
    return orvelBundledResourcePathFrom(executableDir, name, [probes](const QString& path) {
        if (probes) probes->append(path);
    });
}

// A directory `levels` levels below root.
QString nestedDir(const QString& root, int levels) {
    QString path = root;
    for (int level = 1; level <= levels; ++level)
        path += QStringLiteral("/d%1").arg(level);
    return makeDir(path);
}

const QString kWelcome = QStringLiteral("textscreens/Welcome.txt");

} // namespace

// Each copy is removed in turn: the next one in the search order must win.
TEST(BundledResources, CandidatesAreTriedInOrder) {
    QTemporaryDir tree;
    const QString app = tree.path() + QStringLiteral("/app");
    const QString exe = makeDir(app + QStringLiteral("/bin"));
    const QStringList copies = {
        makeFile(app + QStringLiteral("/Resources/") + kWelcome),
        makeFile(exe + QStringLiteral("/Resources/") + kWelcome),
        makeFile(exe + u'/' + kWelcome),
        makeFile(app + QStringLiteral("/share/orvel/") + kWelcome),
        makeFile(app + QStringLiteral("/source/resources/") + kWelcome),
    };
    for (const QString& expected : copies) {
        SCOPED_TRACE(expected.toStdString());
        EXPECT_TRUE(sameFile(search(exe, kWelcome), expected))
            << search(exe, kWelcome).toStdString();
        QFile::remove(expected);
    }
    EXPECT_TRUE(search(exe, kWelcome).isNull());
}

TEST(BundledResources, RefusedNamesAreNeverLookedUp) {
    QTemporaryDir tree;
    const QString exe = makeDir(tree.path() + QStringLiteral("/bin"));
    makeFile(tree.path() + QStringLiteral("/x"));
    makeFile(exe + QStringLiteral("/a..b/c"));
    const QString refused[] = {
        QStringLiteral("../x"),   QStringLiteral("/etc/passwd"),
        QStringLiteral("a..b/c"), QString(),
        QStringLiteral(""),       QDir::toNativeSeparators(QStringLiteral("../x"))};
    for (const QString& name : refused) {
        SCOPED_TRACE(name.toStdString());
        QStringList probes;
        EXPECT_TRUE(search(exe, name, &probes).isNull());
        EXPECT_TRUE(probes.isEmpty()) << probes.join(u' ').toStdString();
    }
}

TEST(BundledResources, NativeSeparatorsNameTheSameResource) {
    QTemporaryDir tree;
    const QString exe = makeDir(tree.path() + QStringLiteral("/bin"));
    const QString expected = makeFile(exe + u'/' + kWelcome);
    EXPECT_TRUE(sameFile(search(exe, QDir::toNativeSeparators(kWelcome)), expected));
}

TEST(BundledResources, FindsTheSourceTreeAboveABuildDirectory) {
    QTemporaryDir tree;
    const QString checkout = tree.path() + QStringLiteral("/checkout");
    const QString expected = makeFile(checkout + QStringLiteral("/source/resources/") + kWelcome);
    const QString build = checkout + QStringLiteral("/build");
    const QString exe = makeDir(build + QStringLiteral("/tests/startup"));
    EXPECT_TRUE(sameFile(search(exe, kWelcome), expected));

    // A nearer source/resources that lacks the file is passed by.
    makeDir(build + QStringLiteral("/source/resources/textscreens"));
    EXPECT_TRUE(sameFile(search(exe, kWelcome), expected));
}

TEST(BundledResources, FontAndIconLieAtTheTopOfTheSourceResources) {
    QTemporaryDir tree;
    const QString resources = tree.path() + QStringLiteral("/source/resources");
    const QString exe = makeDir(tree.path() + QStringLiteral("/build/bin"));
    const QString font = makeFile(resources + QStringLiteral("/Apple_II.ttf"));
    const QString icon = makeFile(resources + QStringLiteral("/orvel-icon.png"));
    makeFile(resources + QStringLiteral("/fonts/Apple_II.ttf"));
    makeFile(resources + QStringLiteral("/icons/orvel-icon.png"));

    EXPECT_TRUE(sameFile(search(exe, QStringLiteral("fonts/Apple_II.ttf")), font));
    EXPECT_TRUE(sameFile(search(exe, QStringLiteral("icons/orvel-icon.png")), icon));

    // Without the top-level copies the subdirectories are not looked at.
    QFile::remove(font);
    QFile::remove(icon);
    QStringList probes;
    EXPECT_TRUE(search(exe, QStringLiteral("fonts/Apple_II.ttf"), &probes).isNull());
    EXPECT_TRUE(search(exe, QStringLiteral("icons/orvel-icon.png"), &probes).isNull());
    EXPECT_TRUE(probes.filter(QStringLiteral("source/resources/fonts")).isEmpty());
    EXPECT_TRUE(probes.filter(QStringLiteral("source/resources/icons")).isEmpty());
}

// The executable's directory and its eleven nearest ancestors are searched, no further.
TEST(BundledResources, SourceTreeSearchGoesElevenLevelsUp) {
    QTemporaryDir tree;
    const QString expected =
        makeFile(tree.path() + QStringLiteral("/source/resources/") + kWelcome);
    EXPECT_TRUE(sameFile(search(nestedDir(tree.path(), 11), kWelcome), expected));
    EXPECT_TRUE(search(nestedDir(tree.path(), 12), kWelcome).isNull());
}

TEST(BundledResources, FindsAnInstalledCopy) {
    QTemporaryDir tree;
    const QString prefix = tree.path() + QStringLiteral("/prefix");
    const QString exe = makeDir(prefix + QStringLiteral("/bin"));
    for (const QString& name :
         {QStringLiteral("fonts/Apple_II.ttf"), QStringLiteral("icons/orvel-icon.png"), kWelcome,
          QStringLiteral("sounds/beep.wav")}) {
        SCOPED_TRACE(name.toStdString());
        const QString expected = makeFile(prefix + QStringLiteral("/share/orvel/") + name);
        EXPECT_TRUE(sameFile(search(exe, name), expected));
    }
}

TEST(BundledScreens, ListsTheShippedScreensInMenuOrder) {
    const std::pair<const char*, const char*> expected[] = {
        {"Apple //c", "textscreens/Apple_IIc.txt"},
        {"ProDOS", "textscreens/ProDOS.txt"},
        {"Welcome", "textscreens/Welcome.txt"},
        {"Text Screen Info", "textscreens/Text_Screen_Info.txt"},
        {"Sample Text Screen", "textscreens/Sample_Text_Screen.txt"},
    };
    const std::vector<ScreenEntry>& screens = GetBundledScreens();
    ASSERT_EQ(screens.size(), std::size(expected));
    for (size_t i = 0; i < screens.size(); ++i) {
        EXPECT_STREQ(screens[i].title, expected[i].first);
        EXPECT_STREQ(screens[i].path, expected[i].second);
    }
    EXPECT_EQ(&GetBundledScreens(), &screens);
}

TEST(BundledScreens, LoadingTellsMissingFromEmpty) {
    EXPECT_TRUE(loadBundledTextScreen(nullptr).isNull());
    EXPECT_TRUE(loadBundledTextScreen("textscreens/No_Such_Screen.txt").isNull());
    EXPECT_TRUE(loadBundledTextScreen("../textscreens/Welcome.txt").isNull());

    // Files beside the test executable are found by the real search.
    QTemporaryDir beside(QCoreApplication::applicationDirPath() +
                         QStringLiteral("/screens-XXXXXX"));
    ASSERT_TRUE(beside.isValid());
    const QByteArray folder = QDir(beside.path()).dirName().toUtf8();
    makeFile(beside.filePath(QStringLiteral("empty.txt")), QByteArray());
    makeFile(beside.filePath(QStringLiteral("bom.txt")), QByteArray("\xEF\xBB\xBF"));
    makeFile(beside.filePath(QStringLiteral("screen.txt")), QByteArray("80\r\nHI\x80"));

    for (const char* file : {"/empty.txt", "/bom.txt"}) {
        const QString text = loadBundledTextScreen((folder + file).constData());
        EXPECT_FALSE(text.isNull()) << file;
        EXPECT_TRUE(text.isEmpty()) << file;
    }
    EXPECT_EQ(loadBundledTextScreen((folder + "/screen.txt").constData()),
              QStringLiteral("80\nHI") + QChar(0x00C4));
}

// The screens made for the program must load from a build inside the checkout, as rows of a screen.
TEST(BundledScreens, ShippedScreensLoad) {
    const QString checkout = QFileInfo(orvelSourcePath(QString())).canonicalFilePath();
    if (!QFileInfo(QCoreApplication::applicationDirPath())
             .canonicalFilePath()
             .startsWith(checkout)) {
        GTEST_SKIP() << "this build directory lies outside the source tree";
    }
    int present = 0;
    for (const ScreenEntry& entry : GetBundledScreens()) {
        const QString path = QString::fromUtf8(entry.path);
        if (!QFileInfo::exists(orvelSourcePath(QStringLiteral("source/resources/") + path)))
            continue;
        ++present;
        SCOPED_TRACE(entry.path);
        const QString text = loadBundledTextScreen(entry.path);
        ASSERT_FALSE(text.isEmpty());
        EXPECT_LE(text.count(u'\n') + 1, 24);
    }
    if (present == 0) {
        GTEST_SKIP() << "no text screens in source/resources yet";
    }
}
