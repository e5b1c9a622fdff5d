// The start-up sequence as a small state machine: one single-shot timer for the pauses, the end
// of each sound for the rest, and a second one for 50 ms retries while a sound is still loading.
#include "startup/StartupSequence.h"

#include "startup/BundledScreens.h"
#include "view/OrvelWidget.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QRandomGenerator>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

#include <cstring>

namespace {

constexpr int kScreenRows = 24;
constexpr int kScreenColumns = 40;
constexpr int kRetryMs = 50;

// In the order the sequence plays them.
constexpr const char* kSoundNames[] = {
    "sounds/beep.wav",
    "sounds/drive_startup_a.wav",
    "sounds/pbbbt.wav",
    "sounds/drive_startup_b.wav",
};

enum class SoundReadiness { Playable, Loading, Unusable };

// A sound that has loaded but has no audio output to play on would report "playing" for ever
// and hold the sequence on its screen, so it counts as unusable, like a missing file.
SoundReadiness readinessOf(const QSoundEffect* sound) {
    switch (sound->status()) {
    case QSoundEffect::Ready:
        return QMediaDevices::defaultAudioOutput().isNull() ? SoundReadiness::Unusable
                                                            : SoundReadiness::Playable;
    case QSoundEffect::Loading:
        return SoundReadiness::Loading;
    default: // no file (Null) or one that could not be decoded (Error)
        return SoundReadiness::Unusable;
    }
}

unsigned char* settingsBlockOf(ORVEL_GlobalsRec* rec) {
    return reinterpret_cast<unsigned char*>(rec); // bmFinalDepth is the record's first field
}

unsigned char* screenStateOf(ORVEL_GlobalsRec* rec) {
    return reinterpret_cast<unsigned char*>(rec) + kScreenStateOffset;
}

// The screen text of shipped screen `position`, or an empty text when it is missing.
QString bundledScreenText(int position) {
    const std::vector<ScreenEntry>& screens = GetBundledScreens();
    if (position < 0 || static_cast<std::size_t>(position) >= screens.size()) return QString();
    return loadBundledTextScreen(screens[static_cast<std::size_t>(position)].path);
}

} // namespace

QString randomStartupScreenText() {
    QString text;
    text.reserve(kScreenRows * (kScreenColumns + 1) - 1);
    QRandomGenerator* random = QRandomGenerator::global();
    for (int row = 0; row < kScreenRows; ++row) {
        if (row > 0) text += QLatin1Char('\n');
        for (int column = 0; column < kScreenColumns; ++column)
            text += QChar(static_cast<char16_t>(0x20 + random->bounded(224)));
    }
    return text;
}

StartupSequence::StartupSequence(OrvelWidget* pictureView, QObject* parent,
                                 ResourcePathResolver resolveResource)
    : QObject(parent), pictureView(pictureView), stepTimer(new QTimer(this)),
      retryTimer(new QTimer(this)) {
    stepTimer->setObjectName(QStringLiteral("stepTimer"));
    stepTimer->setSingleShot(true);
    connect(stepTimer, &QTimer::timeout, this, &StartupSequence::advanceStep);
    retryTimer->setObjectName(QStringLiteral("retryTimer"));
    retryTimer->setSingleShot(true);
    retryTimer->setInterval(kRetryMs);
    connect(retryTimer, &QTimer::timeout, this, [this] {
        if (runningB) playSound(retrySound);
    });
    for (std::size_t i = 0; i < sounds.size(); ++i) {
        sounds[i] = new QSoundEffect(this);
        const QString path = resolveResource(QString::fromUtf8(kSoundNames[i]));
        if (!path.isEmpty()) sounds[i]->setSource(QUrl::fromLocalFile(path));
        connect(sounds[i], &QSoundEffect::playingChanged, this, &StartupSequence::onSoundFinished);
    }
}

void StartupSequence::start() {
    if (runningB) return;
    ORVEL_GlobalsRec* rec = pictureView->globalsRec;
    std::memcpy(savedSettings, settingsBlockOf(rec), kSettingsBlockSize);
    std::memcpy(savedScreen, screenStateOf(rec), kScreenStateSize);
    step = 0;
    runningB = true;
    advanceStep();
}

void StartupSequence::skip() {
    finish();
}

void StartupSequence::finish() {
    if (!runningB) return;
    // Cleared before the sounds are stopped: stopping one reports it at once, and that report
    // must not perform another step.
    runningB = false;
    stepTimer->stop();
    retryTimer->stop();
    for (QSoundEffect* sound : sounds)
        sound->stop();
    ORVEL_GlobalsRec* rec = pictureView->globalsRec;
    std::memcpy(settingsBlockOf(rec), savedSettings, kSettingsBlockSize);
    std::memcpy(screenStateOf(rec), savedScreen, kScreenStateSize);
    pictureView->dismissOverlay();
    pictureView->renderImage();
    emit finished();
}

// step | screen shown first  | step becomes | then
//   0  | random characters  |      1       | sound 0 (beep)
//   1  |                    |      2       | 500 ms pause
//   2  | "Apple //c"        |      3       | 250 ms pause
//   3  |                    |      4       | sound 1 (drive start)
//   4  | "ProDOS"           |      5       | sound 2 (drive noise)
//   5  |                    |      6       | sound 3 (drive start again)
//   6  | "Welcome"          |      6       | nothing: it stays until skipped
// A sound that cannot be played performs the next step at once, within the same call.
void StartupSequence::advanceStep() {
    switch (step) {
    case 0:
        showScreen(0);
        step = 1;
        playSound(0);
        break;
    case 1:
        step = 2;
        stepTimer->start(500);
        break;
    case 2:
        showScreen(1);
        step = 3;
        stepTimer->start(250);
        break;
    case 3:
        step = 4;
        playSound(1);
        break;
    case 4:
        showScreen(2);
        step = 5;
        playSound(2);
        break;
    case 5:
        step = 6;
        playSound(3);
        break;
    case 6:
        showScreen(3);
        break;
    default:
        break;
    }
}

void StartupSequence::playSound(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= sounds.size()) {
        advanceStep();
        return;
    }
    QSoundEffect* sound = sounds[static_cast<std::size_t>(index)];
    switch (readinessOf(sound)) {
    case SoundReadiness::Playable:
        sound->play(); // the sequence goes on in onSoundFinished()
        break;
    case SoundReadiness::Loading:
        retrySound = index;
        retryTimer->start();
        break;
    case SoundReadiness::Unusable:
        advanceStep();
        break;
    }
}

void StartupSequence::onSoundFinished() {
    // The report that comes with the start of playback is passed over: only a stop counts.
    const auto* sound = qobject_cast<const QSoundEffect*>(sender());
    if (sound == nullptr || sound->isPlaying() || !runningB) return;
    advanceStep();
}

void StartupSequence::showScreen(int index) {
    QString text;
    if (index == 0)
        text = randomStartupScreenText();
    else if (index >= 1 && index <= 3)
        text = bundledScreenText(index - 1);
    // Drawing the text replaces the record's picture; start() saved it and finish() restores it.
    pictureView->loadTextScreen(text);
    pictureView->showOverlayImage(pictureView->offscreenImage);
}
