// A run's flag byte, top two bits first: 00 literal bytes, 01 one byte repeated, 10 a 4-byte
// pattern repeated, 11 one byte repeated four times over; the low six bits n count n + 1.
#include "formats/PackBytes.h"

#include <algorithm>

namespace {

constexpr std::size_t kMostInRun = 64;

enum RunForm : unsigned { kLiterals = 0, kRepeatedByte = 1, kPattern = 2, kRepeatedByFour = 3 };

// How many times the byte at `at` repeats from there on.
std::size_t sameBytesFrom(std::string_view data, std::size_t at) {
    std::size_t end = at + 1;
    while (end < data.size() && data[end] == data[at])
        ++end;
    return end - at;
}

// How many times the four bytes at `at` follow each other from there on.
std::size_t patternRepeatsFrom(std::string_view data, std::size_t at) {
    if (data.size() - at < 4) return 0;
    std::size_t repeats = 1;
    while (at + 4 * (repeats + 1) <= data.size() &&
           data.compare(at + 4 * repeats, 4, data.substr(at, 4)) == 0)
        ++repeats;
    return repeats;
}

void putRun(std::string& out, RunForm form, std::size_t count, std::string_view data) {
    out.push_back(static_cast<char>(form << 6 | (count - 1)));
    out.append(data);
}

} // namespace

Unpacked unpackBytes(std::string_view packed, std::size_t limit) {
    Unpacked result;
    std::string& out = result.bytes;
    out.reserve(limit);
    std::size_t at = 0;
    while (at < packed.size()) {
        const unsigned flag = byteAt(packed, at++);
        const auto form = static_cast<RunForm>(flag >> 6);
        const std::size_t count = (flag & 0x3F) + 1;
        const std::size_t dataBytes = form == kLiterals ? count : form == kPattern ? 4 : 1;
        const std::size_t produced = form <= kRepeatedByte ? count : 4 * count;
        if (packed.size() - at < dataBytes)
            return unpackFailure("the packed data ends inside a run");
        if (limit - out.size() < produced)
            return unpackFailure("the packed data unpacks to more than " + std::to_string(limit) +
                                 " bytes");
        if (form == kLiterals) out.append(packed.substr(at, count));
        if (form == kRepeatedByte || form == kRepeatedByFour) out.append(produced, packed[at]);
        for (std::size_t i = 0; form == kPattern && i < count; ++i)
            out.append(packed.substr(at, 4));
        at += dataBytes;
    }
    result.ok = true;
    return result;
}

std::string packBytes(std::string_view data) {
    std::string out;
    std::size_t literalsFrom = 0, at = 0;
    auto putLiteralsUpTo = [&](std::size_t end) {
        while (literalsFrom < end) {
            const std::size_t count = std::min(kMostInRun, end - literalsFrom);
            putRun(out, kLiterals, count, data.substr(literalsFrom, count));
            literalsFrom += count;
        }
    };
    while (at < data.size()) {
        // A run costs two bytes (five for a pattern): worth it from three repeats on.
        const std::size_t same = sameBytesFrom(data, at);
        const std::size_t patterns = same >= 3 ? 0 : patternRepeatsFrom(data, at);
        if (same < 3 && patterns < 2) {
            ++at;
            continue;
        }
        putLiteralsUpTo(at);
        if (same >= 8) {
            const std::size_t fours = std::min(kMostInRun, same / 4);
            putRun(out, kRepeatedByFour, fours, data.substr(at, 1));
            at += 4 * fours;
        } else if (same >= 3) {
            putRun(out, kRepeatedByte, same, data.substr(at, 1));
            at += same;
        } else {
            const std::size_t count = std::min(kMostInRun, patterns);
            putRun(out, kPattern, count, data.substr(at, 4));
            at += 4 * count;
        }
        literalsFrom = at;
    }
    putLiteralsUpTo(data.size());
    return out;
}
