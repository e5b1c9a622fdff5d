// Seeds of the random tests: each test's own fixed seed, then ORVEL_TEST_SEED when it is set.
// Tests name the seed in every failure; ORVEL_TEST_SEED set to it repeats the run.
#pragma once

#include <QString>

#include <vector>

inline std::vector<quint32> testSeeds(quint32 fixed) {
    bool ok = false;
    const quint32 extra = qEnvironmentVariable("ORVEL_TEST_SEED").toUInt(&ok);
    return ok && extra != fixed ? std::vector<quint32>{fixed, extra} : std::vector<quint32>{fixed};
}
