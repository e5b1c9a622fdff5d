// The resource search: app-bundle and side-by-side copies, the installed data directory, then the
// source tree above a build directory, so a fresh build runs without installing anything.
#include "startup/BundledResources.h"

#include "text/TextScreenFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

// The executable's directory and its eleven nearest ancestors may hold the source tree.
constexpr int kSourceTreeSearchDepth = 12;

// Where `cmake --install` puts the resources (ORVEL_DATA_DIR), seen from `<prefix>/bin`. A sound
// addition to the bundle and side-by-side candidates: an installed program finds its files
// without any setting, and it is tried only after them, so their order stays as it was.
const char* const kInstalledDataDir = "../share/orvel/";

bool isAcceptableName(const QString& name) {
    return !name.isEmpty() && !name.startsWith(u'/') && !name.contains(QStringLiteral(".."));
}

// Every look at the file system goes through here, so the observer sees each one.
class ResourceProbe {
public:
    explicit ResourceProbe(const ResourceProbeObserver& observer) : observer_(observer) {}

    bool exists(const QString& path) const {
        notify(path);
        return QFileInfo::exists(path);
    }

    bool isDirectory(const QString& path) const {
        notify(path);
        return QFileInfo(path).isDir();
    }

private:
    void notify(const QString& path) const {
        if (observer_) observer_(path);
    }

    const ResourceProbeObserver& observer_;
};

// The font and the icon lie at the top of source/resources; every other resource keeps its
// subdirectory there.
QString sourceTreeFileName(const QString& name) {
    if (name == QLatin1String("fonts/Apple_II.ttf")) return QStringLiteral("Apple_II.ttf");
    if (name == QLatin1String("icons/orvel-icon.png")) return QStringLiteral("orvel-icon.png");
    return name;
}

QString findBesideExecutable(const QDir& executableDir, const QString& name,
                             const ResourceProbe& probe) {
    const QString candidates[] = {
        QStringLiteral("../Resources/") + name,
        QStringLiteral("Resources/") + name,
        name,
        QLatin1String(kInstalledDataDir) + name,
    };
    for (const QString& relative : candidates) {
        const QString path = executableDir.filePath(relative);
        if (probe.exists(path)) return QFileInfo(path).absoluteFilePath();
    }
    return QString();
}

// Walks up from the executable's directory to a source tree's "source/resources", so a build
// directory anywhere below the checkout finds the files without installing them. A nearer
// "source/resources" without the file does not stop the walk.
QString findInSourceTree(const QString& executableDir, const QString& name,
                         const ResourceProbe& probe) {
    QDir current(QDir(executableDir).absolutePath());
    for (int pass = 0; pass < kSourceTreeSearchDepth; ++pass) {
        const QString resourcesDir = current.absoluteFilePath(QStringLiteral("source/resources"));
        if (probe.isDirectory(resourcesDir)) {
            const QString candidate = resourcesDir + u'/' + sourceTreeFileName(name);
            if (probe.exists(candidate)) return QFileInfo(candidate).absoluteFilePath();
        }
        if (current.isRoot()) return QString();
        current.setPath(QDir::cleanPath(current.absolutePath() + QStringLiteral("/..")));
    }
    return QString();
}

} // namespace

QString orvelBundledResourcePathFrom(const QString& executableDir, const QString& rawName,
                                     const ResourceProbeObserver& observer) {
    const QString name = QDir::fromNativeSeparators(rawName);
    if (!isAcceptableName(name)) return QString();

    const ResourceProbe probe(observer);
    const QString found = findBesideExecutable(QDir(executableDir), name, probe);
    if (!found.isNull()) return found;
    return findInSourceTree(executableDir, name, probe);
}

QString orvelBundledResourcePath(const QString& name) {
    return orvelBundledResourcePathFrom(QCoreApplication::applicationDirPath(), name);
}

QString loadBundledTextScreen(const char* name) {
    const QString path = orvelBundledResourcePath(QString::fromUtf8(name));
    if (path.isNull()) return QString();
    const TextScreenReadResult read = readTextScreenFile(path);
    if (!read.ok) return QString();
    // An empty shipped screen is still a screen: keep it apart from "not found".
    return read.text.isNull() ? QStringLiteral("") : read.text;
}
