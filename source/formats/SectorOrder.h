// The two orders of a 140 KiB disk image: DOS order (track t, DOS sector s at (16t + s) × 256)
// and ProDOS order (block b at b × 512). Each ProDOS block is two DOS sectors of one track.
#pragma once

#include <string>
#include <string_view>

enum class SectorOrder { Dos, Prodos };

constexpr std::size_t kDiskII = 143360; // 35 tracks of 16 sectors of 256 bytes

// The DOS sector that holds half `half` (0 first, 1 second) of the block `blockInTrack` (0-7)
// of a track.
int dosSectorOfBlockHalf(int blockInTrack, int half);

// A 140 KiB image in DOS order rearranged into ProDOS block order.
std::string blocksFromDosOrder(std::string_view dosOrder);
