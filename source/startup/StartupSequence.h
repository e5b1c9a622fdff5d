// The start-up sequence: an Apple II booting in the picture view, text screens with a beep and
// drive sounds, until a key or a click. Its own object, so the view only shows what it is handed.
#pragma once

#include "core/GlobalsRec.h"
#include "startup/BundledResources.h"

#include <QObject>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>

class OrvelWidget;
class QSoundEffect;
class QTimer;

// Turns a resource name such as "sounds/beep.wav" into a file path, or a null string when the
// file is missing.
using ResourcePathResolver = std::function<QString(const QString& name)>;

// The first start-up screen: 24 lines of 40 random characters, each from U+0020 to U+00FF.
QString randomStartupScreenText();

class StartupSequence : public QObject {
    Q_OBJECT

public:
    // The sounds are looked up at once through `resolveResource`; a sound without a file is
    // passed over when its turn comes.
    explicit StartupSequence(OrvelWidget* pictureView, QObject* parent = nullptr,
                             ResourcePathResolver resolveResource = orvelBundledResourcePath);

    // Saves the view's picture and settings, then shows the first screen. Does nothing while
    // the sequence is already running, so the saved picture is never a start-up screen.
    void start();
    // The user's way out, at any step; the same as finish().
    void skip();
    // Stops every timer and sound, puts the saved picture and settings back and emits
    // finished(). Does nothing when the sequence is not running.
    void finish();

signals:
    void finished();

private slots:
    // Performs the step `step` names; see the table in the source file.
    void advanceStep();
    // A sound that stopped playing lets the sequence go on.
    void onSoundFinished();

private:
    void showScreen(int index);
    // Starts sound `index`, waits for it to load, or goes on at once when it cannot be heard.
    void playSound(int index);

    OrvelWidget* pictureView;
    // Both single-shot, and named "stepTimer" and "retryTimer": tests find them by name and run
    // the sequence by firing them, without waiting for real time.
    QTimer* stepTimer;
    QTimer* retryTimer;
    std::int32_t step = 0;
    int retrySound = 0; // the sound retryTimer tries again

public:
    // True from start() until finish(): the main window then lets a key or a click only skip.
    bool runningB = false;

private:
    unsigned char savedSettings[kSettingsBlockSize] = {};
    unsigned char savedScreen[kScreenStateSize] = {};
    std::array<QSoundEffect*, 4> sounds = {};
};
