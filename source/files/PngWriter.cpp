// Speed comes from the shape of rendered pictures: a palette of 16 colours packs two pixels a
// byte, a repeated row is filtered "Up" into zeros and not indexed again, and zlib at level 1
// with a small window codes runs and zeros without a long search.
#include "files/PngWriter.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <iterator>

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
    // A direct-mapped cache in front answers almost every pixel of a render in one compare.
    int indexOf(std::uint32_t colour) {
        const unsigned cached = colour * 2654435761u >> 26;
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
    std::uint32_t cacheColours_[64] = {};
    short cacheIndices_[64];
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

// Palette indices of the rows that are not repeats, one byte a pixel, row after row; false
// when the picture has more than 256 colours.
bool indexPixels(int width, const std::vector<const std::uint8_t*>& rows,
                 const std::vector<bool>& repeats, Palette& palette,
                 std::vector<std::uint8_t>& indices) {
    indices.clear();
    for (std::size_t y = 0; y < rows.size(); ++y) {
        if (repeats[y]) continue;
        for (int x = 0; x < width; ++x) {
            const int index = palette.indexOf(pixelAt(rows[y], x));
            if (index < 0) return false;
            indices.push_back(static_cast<std::uint8_t>(index));
        }
    }
    return true;
}

int bitDepthFor(std::size_t colours) {
    return colours <= 2 ? 1 : colours <= 4 ? 2 : colours <= 16 ? 4 : 8;
}

// Indices packed `depth` bits a pixel, leftmost pixel in the high bits, as PNG stores them.
void packRow(const std::uint8_t* indices, int width, int depth, std::uint8_t* out) {
    if (depth == 8) {
        std::memcpy(out, indices, static_cast<std::size_t>(width));
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
    const auto* typed = reinterpret_cast<const Bytef*>(out.data() + start);
    putBigEndian(out,
                 static_cast<std::uint32_t>(crc32(0, typed, static_cast<uInt>(body.size() + 4))));
}

// One stream per thread, reset for every picture: setting one up costs as much as a small picture.
// Level 1 measured fastest on renders (random double hi-res pictures: 1.3 ms, 41 KB a picture;
// the run-length strategy 1.2 ms but 59 KB; Huffman codes alone 1.7 ms and 81 KB). An 8 KiB
// window (29 rows of a render) and memory level 7 keep the stream's memory at a third of
// zlib's default: for a single picture, fresh pages cost more than the compression they buy.
class Deflater {
public:
    Deflater() {
        ready_ = deflateInit2(&stream_, 1, Z_DEFLATED, 13, 7, Z_DEFAULT_STRATEGY) == Z_OK;
    }
    ~Deflater() {
        if (ready_) deflateEnd(&stream_);
    }
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;

    bool start() {
        used_ = 0;
        return ready_ && deflateReset(&stream_) == Z_OK;
    }
    // Compresses `size` more bytes; with `last`, finishes the stream.
    bool add(const std::uint8_t* data, std::size_t size, bool last) {
        stream_.next_in = const_cast<Bytef*>(data);
        stream_.avail_in = static_cast<uInt>(size);
        for (;;) {
            if (buffer_.size() - used_ < kChunk) buffer_.resize(2 * buffer_.size() + kChunk);
            stream_.next_out = &buffer_[used_];
            stream_.avail_out = static_cast<uInt>(buffer_.size() - used_);
            const uInt room = stream_.avail_out;
            const int status = deflate(&stream_, last ? Z_FINISH : Z_NO_FLUSH);
            used_ += room - stream_.avail_out;
            if (status == Z_STREAM_END) return true;
            if (status != Z_OK && status != Z_BUF_ERROR) return false;
            if (!last && stream_.avail_in == 0 && stream_.avail_out != 0) return true;
        }
    }
    // The compressed stream, once finished.
    std::string output() const {
        return std::string(reinterpret_cast<const char*>(buffer_.data()), used_);
    }

private:
    static constexpr std::size_t kChunk = 16384;
    z_stream stream_{};
    bool ready_ = false;
    std::vector<Bytef> buffer_; // grows to the largest picture's size and stays
    std::size_t used_ = 0;
};

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

std::string encodePngRows(int width, const std::vector<const std::uint8_t*>& rows) {
    // Scratch kept per thread, so a batch touches no fresh memory after its first picture.
    thread_local std::vector<std::uint8_t> indices, line;
    thread_local Deflater deflater;
    const int height = static_cast<int>(rows.size());
    const std::vector<bool> repeats = repeatedRows(width, rows);
    Palette palette;
    const bool indexed = width > 0 && indexPixels(width, rows, repeats, palette, indices);
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
    if (!deflater.start()) return std::string();
    // Filtered scanlines: a row equal to the one above is "Up" (all zeros), any other "None".
    line.assign(rowBytes + 1, 0);
    const std::uint8_t* next = indices.data();
    for (int y = 0; y < height; ++y) {
        if (repeats[y]) {
            std::fill(line.begin(), line.end(), 0);
            line[0] = 2;
        } else if (indexed) {
            line[0] = 0;
            packRow(next, width, depth, &line[1]);
            next += width;
        } else {
            line[0] = 0;
            packDirectRow(rows[y], width, alpha, &line[1]);
        }
        if (!deflater.add(line.data(), line.size(), y + 1 == height)) return std::string();
    }
    if (height == 0 && !deflater.add(nullptr, 0, true)) return std::string();
    putChunk(out, "IDAT", deflater.output());
    putChunk(out, "IEND", std::string());
    return out;
}
