// Seeds of the random tests: each test's own fixed seed, then ORVEL_TEST_SEED when it is set.
// A failure names its seed, so setting ORVEL_TEST_SEED to it repeats the run.
#pragma once

#include <QString>

#include <string>
#include <vector>

inline std::vector<quint32> testSeeds(quint32 fixed) {
    bool ok = false;
    const quint32 extra = qEnvironmentVariable("ORVEL_TEST_SEED").toUInt(&ok);
    return ok && extra != fixed ? std::vector<quint32>{fixed, extra} : std::vector<quint32>{fixed};
}

inline std::string seedNote(quint32 seed) {
    return "seed " + std::to_string(seed) +
           " (repeat with ORVEL_TEST_SEED=" + std::to_string(seed) + ")";
}
