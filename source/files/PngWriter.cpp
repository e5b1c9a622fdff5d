// Speed comes from the shape of rendered pictures: a palette of 16 colours packs two pixels a
// byte, a repeated row is filtered "Up" into zeros and not indexed again, and libdeflate's
// fastest level codes the whole picture in one call.
#include "files/PngWriter.h"

#include <libdeflate.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <memory>

namespace {

constexpr int kMaxPaletteColours = 256;

// Colour to palette index by open addressing; a render changes colour every few dots, so a
// lookup must cost next to nothing.
class Palette {
public:
    Palette() {
        std::fill(std::begin(indices_), std::end(indices_), -1);
        std::fill(std::begin(cacheIndices_), std::end(cacheIndices_), -1);
    }

    // The colour's index, a new one when the colour is new; -1 once 256 colours are taken.
    // A direct-mapped cache in front answers almost every pixel of a render in one compare; at
    // 1024 entries the 32 colours of a Quen render seldom share one (at 64, a random double
    // hi-res picture took half again as long to index).
    int indexOf(std::uint32_t colour) {
        const unsigned cached = colour * 2654435761u >> 22;
        if (cacheIndices_[cached] >= 0 && cacheColours_[cached] == colour)
            return cacheIndices_[cached];
        for (unsigned slot = hash(colour);; slot = (slot + 1) % kSlots) {
            if (indices_[slot] < 0) return remember(cached, colour, add(slot, colour));
            if (colours_[slot] == colour) return remember(cached, colour, indices_[slot]);
        }
    }
    const std::vector<std::uint32_t>& colours() const { return table_; }

private:
    static constexpr unsigned kSlots = 1024; // four times the palette: short probes
    static unsigned hash(std::uint32_t colour) { return (colour * 2654435761u) >> 22; }

    int remember(unsigned cached, std::uint32_t colour, int index) {
        cacheColours_[cached] = colour;
        cacheIndices_[cached] = static_cast<short>(index);
        return index;
    }

    int add(unsigned slot, std::uint32_t colour) {
        if (table_.size() == kMaxPaletteColours) return -1;
        colours_[slot] = colour;
        indices_[slot] = static_cast<short>(table_.size());
        table_.push_back(colour);
        return indices_[slot];
    }

    std::uint32_t colours_[kSlots] = {};
    short indices_[kSlots];
    std::uint32_t cacheColours_[1024] = {};
    short cacheIndices_[1024];
    std::vector<std::uint32_t> table_;
};

std::uint32_t pixelAt(const std::uint8_t* row, int x) {
    std::uint32_t pixel;
    std::memcpy(&pixel, row + 4 * x, 4);
    return pixel;
}

// Bytes in memory order R, G, B, A of a pixel read as one number.
std::uint8_t channel(std::uint32_t pixel, int index) {
    std::uint8_t bytes[4];
    std::memcpy(bytes, &pixel, 4);
    return bytes[index];
}

bool sameRow(const std::uint8_t* a, const std::uint8_t* b, int width) {
    return a == b || std::memcmp(a, b, 4 * static_cast<std::size_t>(width)) == 0;
}

// The rows that differ from the row above: only those are indexed and compressed.
std::vector<bool> repeatedRows(int width, const std::vector<const std::uint8_t*>& rows) {
    std::vector<bool> repeats(rows.size(), false);
    for (std::size_t y = 1; y < rows.size(); ++y)
        repeats[y] = sameRow(rows[y], rows[y - 1], width);
    return repeats;
}

// Palette indices of the rows that are not repeats, one byte a pixel, each row at `y` times
// `width` + 1 in `lines` (behind room for its filter byte); false when the picture has more
// than 256 colours. `plain` says whether a third of the dots or more have the colour of the dot
// four to their left: a colour cell or two hi-res dots further, so noise in either kind does not.
bool indexPixels(int width, const std::vector<const std::uint8_t*>& rows,
                 const std::vector<bool>& repeats, Palette& palette,
                 std::vector<std::uint8_t>& lines, bool& plain) {
    const std::size_t stride = static_cast<std::size_t>(width) + 1;
    lines.resize(stride * rows.size());
    std::size_t dots = 0, sameFourLeft = 0;
    for (std::size_t y = 0; y < rows.size(); ++y) {
        if (repeats[y]) continue;
        std::uint8_t* out = &lines[y * stride + 1];
        for (int x = 0; x < width; ++x) {
            const std::uint32_t pixel = pixelAt(rows[y], x);
            const int index = palette.indexOf(pixel);
            if (index < 0) return false;
            sameFourLeft += x >= 4 && pixel == pixelAt(rows[y], x - 4);
            *out++ = static_cast<std::uint8_t>(index);
        }
        dots += static_cast<std::size_t>(width);
    }
    plain = 3 * sameFourLeft >= dots;
    return true;
}

int bitDepthFor(std::size_t colours) {
    return colours <= 2 ? 1 : colours <= 4 ? 2 : colours <= 16 ? 4 : 8;
}

// Indices packed `depth` bits a pixel, leftmost pixel in the high bits, as PNG stores them.
// `out` may lie on `indices` or before them: each byte is written after the indices it packs
// were read.
void packRow(const std::uint8_t* indices, int width, int depth, std::uint8_t* out) {
    if (depth == 8) {
        std::memmove(out, indices, static_cast<std::size_t>(width));
        return;
    }
    const int perByte = 8 / depth;
    for (int x = 0; x < width; x += perByte) {
        unsigned byte = 0;
        for (int k = 0; k < perByte; ++k)
            byte = (byte << depth) | (x + k < width ? indices[x + k] : 0u);
        *out++ = static_cast<std::uint8_t>(byte);
    }
}

void putBigEndian(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void putChunk(std::string& out, const char* type, const std::string& body) {
    putBigEndian(out, static_cast<std::uint32_t>(body.size()));
    const std::size_t start = out.size();
    out.append(type, 4);
    out += body;
    putBigEndian(out, libdeflate_crc32(0, out.data() + start, body.size() + 4));
}

// The filtered scanlines of a whole picture, compressed in one call. One compressor per thread
// and level, kept for the next picture. Measured on renders, against zlib's level 1 with a small
// window (which this writer used before): for a busy picture (random hi-res or double hi-res)
// libdeflate's level 1 is fastest, 0.8 ms against zlib's 1.5 ms; for a plain one (the samples,
// where a third of the dots or more repeat the dot four to their left; random pictures have a
// tenth to a fifth) level 2 is, 0.3-0.4 ms against 0.35-0.45 ms, where level 1 takes 0.4-0.55
// ms. Files are smaller with both.
class Deflater {
public:
    explicit Deflater(int level) : compressor_(libdeflate_alloc_compressor(level)) {}
    ~Deflater() {
        if (compressor_ != nullptr) libdeflate_free_compressor(compressor_);
    }
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;

    // The zlib stream of `size` bytes at `data`; empty only when compression fails.
    std::string compress(const std::uint8_t* data, std::size_t size) {
        if (compressor_ == nullptr) return std::string();
        // Not zero-filled: the bound is twice the usual output, and every page costs a fault.
        const std::size_t bound = libdeflate_zlib_compress_bound(compressor_, size);
        const std::unique_ptr<char[]> out(new char[bound]);
        const std::size_t written =
            libdeflate_zlib_compress(compressor_, data, size, out.get(), bound);
        return std::string(out.get(), written);
    }

private:
    libdeflate_compressor* compressor_;
};

// Each compressor is made on a thread's first picture that needs it.
Deflater& deflaterFor(PngPacking packing, bool plain) {
    if (packing == PngPacking::Stored) {
        thread_local Deflater stored(0);
        return stored;
    }
    if (plain) {
        thread_local Deflater forPlain(2);
        return forPlain;
    }
    thread_local Deflater forBusy(1);
    return forBusy;
}

std::string header(int width, int height, int depth, int colourType) {
    std::string body;
    putBigEndian(body, static_cast<std::uint32_t>(width));
    putBigEndian(body, static_cast<std::uint32_t>(height));
    body += {static_cast<char>(depth), static_cast<char>(colourType), 0, 0, 0};
    return body;
}

// The palette chunks: PLTE always, tRNS only when a colour is not opaque.
void putPalette(std::string& out, const std::vector<std::uint32_t>& colours) {
    std::string rgb, alpha;
    for (const std::uint32_t colour : colours) {
        for (int c = 0; c < 3; ++c)
            rgb.push_back(static_cast<char>(channel(colour, c)));
        alpha.push_back(static_cast<char>(channel(colour, 3)));
    }
    putChunk(out, "PLTE", rgb);
    if (alpha.find_first_not_of('\xFF') != std::string::npos) putChunk(out, "tRNS", alpha);
}

// More than 256 colours: a row as RGB, or RGBA when any pixel is not opaque.
void packDirectRow(const std::uint8_t* row, int width, bool alpha, std::uint8_t* out) {
    const int channels = alpha ? 4 : 3;
    for (int x = 0; x < width; ++x)
        for (int c = 0; c < channels; ++c)
            *out++ = row[4 * x + c];
}

bool anyTranslucent(int width, const std::vector<const std::uint8_t*>& rows) {
    for (const std::uint8_t* row : rows)
        for (int x = 0; x < width; ++x)
            if (row[4 * x + 3] != 0xFF) return true;
    return false;
}

} // namespace

std::string encodePngRows(int width, const std::vector<const std::uint8_t*>& rows,
                          PngPacking packing) {
    // Scratch kept per thread, so a batch touches no fresh memory after its first picture. The
    // indices are packed where they lie, so a picture is held once more, not twice.
    thread_local std::vector<std::uint8_t> lines;
    const int height = static_cast<int>(rows.size());
    const std::vector<bool> repeats = repeatedRows(width, rows);
    Palette palette;
    bool plain = false;
    const bool indexed = width > 0 && indexPixels(width, rows, repeats, palette, lines, plain);
    const int depth = indexed ? bitDepthFor(palette.colours().size()) : 8;
    const bool alpha = !indexed && anyTranslucent(width, rows);
    const int colourType = indexed ? 3 : alpha ? 6 : 2;
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * (indexed ? depth
                                                                     : alpha ? 32
                                                                             : 24) +
                                  7) /
                                 8;

    std::string out("\x89PNG\r\n\x1a\n", 8);
    putChunk(out, "IHDR", header(width, height, depth, colourType));
    if (indexed) putPalette(out, palette.colours());
    // Filtered scanlines: a row equal to the one above is "Up" (all zeros), any other "None".
    if (!indexed) lines.resize((rowBytes + 1) * static_cast<std::size_t>(height));
    for (std::size_t y = 0; y < rows.size(); ++y) {
        std::uint8_t* line = &lines[(rowBytes + 1) * y];
        line[0] = repeats[y] ? 2 : 0;
        if (repeats[y])
            std::memset(line + 1, 0, rowBytes);
        else if (indexed)
            packRow(&lines[(static_cast<std::size_t>(width) + 1) * y + 1], width, depth, line + 1);
        else
            packDirectRow(rows[y], width, alpha, line + 1);
    }
    Deflater& deflater = deflaterFor(packing, plain);
    const std::string compressed =
        deflater.compress(lines.data(), (rowBytes + 1) * static_cast<std::size_t>(height));
    if (compressed.empty()) return std::string();
    putChunk(out, "IDAT", compressed);
    putChunk(out, "IEND", std::string());
    return out;
}
