// Seeds of the random tests: each test's own fixed seed, then ORVEL_TEST_SEED when it is set.
// Tests name the seed in every failure; ORVEL_TEST_SEED set to it repeats the run.
#pragma once

#include <cstdlib>
#include <vector>

inline std::vector<unsigned> testSeeds(unsigned fixed) {
    const char* extra = std::getenv("ORVEL_TEST_SEED");
    return extra ? std::vector<unsigned>{fixed, unsigned(std::strtoul(extra, nullptr, 0))}
                 : std::vector<unsigned>{fixed};
}
