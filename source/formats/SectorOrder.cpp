// Both operating systems number sectors logically over the same physical sectors of a track,
// with different skews: DOS logical sector d sits at physical 0, 13, 11, 9, 7, 5, 3, 1, 14, 12,
// 10, 8, 6, 4, 2, 15 and ProDOS sector p at physical 2p mod 15 (15 stays 15). Composing them,
// ProDOS sector p is the DOS sector in this table; block k of a track is ProDOS sectors 2k, 2k+1.
#include "formats/SectorOrder.h"

namespace {

constexpr int kDosSectorOfProdosSector[16] = {0, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 15};
constexpr std::size_t kSector = 256;

} // namespace

int dosSectorOfBlockHalf(int blockInTrack, int half) {
    return kDosSectorOfProdosSector[(2 * blockInTrack + half) & 15];
}

std::string blocksFromDosOrder(std::string_view dosOrder) {
    std::string blocks(dosOrder.size(), '\0');
    for (std::size_t block = 0; block < dosOrder.size() / (2 * kSector); ++block)
        for (int half = 0; half < 2; ++half) {
            const std::size_t track = block / 8;
            const std::size_t sector =
                static_cast<std::size_t>(dosSectorOfBlockHalf(static_cast<int>(block % 8), half));
            blocks.replace((2 * block + half) * kSector, kSector,
                           dosOrder.substr((16 * track + sector) * kSector, kSector));
        }
    return blocks;
}
