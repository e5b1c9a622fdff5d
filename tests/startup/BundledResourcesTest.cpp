// The resource search in made-up directory trees, the list of shipped screens and their loading.
// Each tree lives in a temporary directory; the search starts from a fake executable directory.
#include "startup/BundledResources.h"
#include "startup/BundledScreens.h"
#include "support/TestFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString makeFile(const QString& path, const QByteArray& contents = "x") {
    EXPECT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()) && WriteFile(path, contents));
    return path;
}

QString makeDir(const QString& path) {
    EXPECT_TRUE(QDir().mkpath(path));
    return path;
}

// The canonical path found, so a test can compare it with the copy it expects.
std::string search(const QString& exe, const QString& name, QStringList* probes = nullptr) {
    const QString found = orvelBundledResourcePathFrom(exe, name, [probes](const QString& path) {
        if (probes) probes->append(path);
    });
    EXPECT_TRUE(found.isNull() || QFileInfo(found).isAbsolute());
    return found.isNull() ? "(none)" : QFileInfo(found).canonicalFilePath().toStdString();
}

std::string canonical(const QString& path) {
    return QFileInfo(path).canonicalFilePath().toStdString();
}

const QString kWelcome = QStringLiteral("textscreens/Welcome.txt");

} // namespace

// Each copy is removed in turn: the next one in the search order must win. The installed layout
// (<exe>/../share/orvel) comes before the source tree, whose nearer source/resources without
// the file is passed by, and which keeps the font and the icon at its top.
TEST(BundledResources, CandidatesAreTriedInOrder) {
    QTemporaryDir tree;
    const QString app = tree.path() + QStringLiteral("/app");
    const QString exe = makeDir(app + QStringLiteral("/bin"));
    makeDir(exe + QStringLiteral("/source/resources/textscreens"));
    for (const QString& name :
         {kWelcome, QStringLiteral("fonts/Apple_II.ttf"), QStringLiteral("icons/orvel-icon.png")}) {
        SCOPED_TRACE(name.toStdString());
        const QString top = QFileInfo(name).fileName();
        const QString copies[] = {
            makeFile(app + QStringLiteral("/Resources/") + name),
            makeFile(exe + QStringLiteral("/Resources/") + name),
            makeFile(exe + u'/' + name),
            makeFile(app + QStringLiteral("/share/orvel/") + name),
            makeFile(app + QStringLiteral("/source/resources/") + (name == kWelcome ? name : top)),
        };
        makeFile(app + QStringLiteral("/source/resources/") + name); // not looked at for the font
        for (const QString& expected : copies) {
            EXPECT_EQ(search(exe, name), canonical(expected));
            QFile::remove(expected);
        }
        EXPECT_EQ(search(exe, name), "(none)");
    }
}

TEST(BundledResources, SourceTreeSearchGoesElevenLevelsUpAndRefusedNamesAreNeverLookedUp) {
    QTemporaryDir tree;
    const QString expected =
        makeFile(tree.path() + QStringLiteral("/source/resources/") + kWelcome);
    QString exe = tree.path();
    for (int level = 1; level <= 12; ++level)
        makeDir(exe += QStringLiteral("/d%1").arg(level));
    EXPECT_EQ(search(QFileInfo(exe).path(), kWelcome), canonical(expected));
    EXPECT_EQ(search(exe, kWelcome), "(none)");

    makeFile(tree.path() + QStringLiteral("/x"));
    makeFile(exe + QStringLiteral("/a..b/c"));
    for (const QString& name : {QStringLiteral("../x"), QStringLiteral("/etc/passwd"),
                                QStringLiteral("a..b/c"), QString(), QStringLiteral("")}) {
        QStringList probes;
        EXPECT_EQ(search(exe, name, &probes), "(none)") << name.toStdString();
        EXPECT_TRUE(probes.isEmpty()) << probes.join(u' ').toStdString();
    }
}

// Every shipped screen and resource is found beside this build's executables, as the program
// finds them; each title opens the file named after it ("//c" spelt "IIc"), of at most 24 rows.
TEST(BundledScreens, EveryShippedScreenAndResourceIsFound) {
    for (const ScreenEntry& screen : GetBundledScreens()) {
        const QString named = QFileInfo(screen.path).completeBaseName().replace(u'_', u' ');
        EXPECT_EQ(QString(named).replace("IIc", "//c"), screen.title);
        const QString text = loadBundledTextScreen(screen.path);
        EXPECT_FALSE(text.isEmpty()) << screen.path;
        EXPECT_LE(text.count(u'\n') + 1, 24) << screen.path;
    }
    for (const char* name :
         {"fonts/Apple_II.ttf", "icons/orvel-icon.png", "sounds/beep.wav",
          "sounds/drive_startup_a.wav", "sounds/pbbbt.wav", "sounds/drive_startup_b.wav"})
        EXPECT_TRUE(QFileInfo(orvelBundledResourcePath(name)).isFile()) << name;
}

TEST(BundledScreens, LoadingTellsMissingFromEmpty) {
    EXPECT_TRUE(loadBundledTextScreen(nullptr).isNull());
    EXPECT_TRUE(loadBundledTextScreen("textscreens/No_Such_Screen.txt").isNull());
    EXPECT_TRUE(loadBundledTextScreen("../textscreens/Welcome.txt").isNull());
    QTemporaryDir beside(QCoreApplication::applicationDirPath() +
                         QStringLiteral("/screens-XXXXXX"));
    ASSERT_TRUE(beside.isValid());
    const QByteArray folder = QDir(beside.path()).dirName().toUtf8();
    const std::pair<const char*, QByteArray> files[] = {
        {"/empty.txt", ""}, {"/bom.txt", "\xEF\xBB\xBF"}, {"/screen.txt", "80\r\nHI\x80"}};
    for (const auto& [file, bytes] : files)
        makeFile(beside.path() + file, bytes);
    for (const char* file : {"/empty.txt", "/bom.txt"}) {
        const QString text = loadBundledTextScreen((folder + file).constData());
        EXPECT_TRUE(!text.isNull() && text.isEmpty()) << file;
    }
    EXPECT_EQ(loadBundledTextScreen((folder + "/screen.txt").constData()),
              QStringLiteral("80\nHI") + QChar(0x00C4));
}
