// Helpers of the formats tests: bytes written as numbers, seeded pictures with a black part
// (so ProDOS files have sparse blocks), and the seeds every random test runs with.
#pragma once

#include <cstdlib>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

inline std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (const int v : values)
        bytes.push_back(static_cast<char>(v));
    return bytes;
}

// `size` seeded random bytes whose last quarter is black.
inline std::string PictureBytes(unsigned seed, std::size_t size) {
    std::mt19937 rng(seed);
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size * 3 / 4; ++i)
        bytes[i] = static_cast<char>(rng());
    return bytes;
}

// The test's own seed, then ORVEL_TEST_SEED when set.
inline std::vector<unsigned> Seeds(unsigned fixed) {
    const char* extra = std::getenv("ORVEL_TEST_SEED");
    std::vector<unsigned> seeds = {fixed};
    if (extra != nullptr && std::strtoul(extra, nullptr, 10) != fixed)
        seeds.push_back(static_cast<unsigned>(std::strtoul(extra, nullptr, 10)));
    return seeds;
}
