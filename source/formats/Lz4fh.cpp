// A token's high nibble counts literal bytes, its low nibble the match length less 4; a nibble
// of 15 adds the next byte, and for the match that byte may instead say "no match" or "end".
// Match offsets count from the start of the output, not back from its end as in LZ4.
#include "formats/Lz4fh.h"

namespace {

constexpr unsigned kMark = 0x66;
constexpr unsigned kNoMatch = 253;
constexpr unsigned kEnd = 254;
constexpr unsigned kLongestExtra = 236; // match length 4 + 15 + 236 = 255

class Lz4fhReader {
public:
    Lz4fhReader(std::string_view packed, std::size_t limit) : in_(packed), limit_(limit) {
        out_.reserve(limit);
    }

    Unpacked run() {
        if (in_.empty() || byteAt(in_, 0) != kMark)
            return unpackFailure("no LZ4FH mark ($66) at the start");
        at_ = 1;
        for (;;) {
            unsigned token = 0, extra = 0;
            if (!next(token)) return unpackFailure("the LZ4FH data ends without its end mark");
            std::size_t literals = token >> 4;
            if (literals == 15 && !addNext(literals)) return cutShort();
            if (in_.size() - at_ < literals) return cutShort();
            if (!room(literals)) return overflow();
            out_.append(in_.substr(at_, literals));
            at_ += literals;
            std::size_t length = (token & 0x0F) + 4;
            if ((token & 0x0F) == 15) {
                if (!next(extra)) return cutShort();
                if (extra == kEnd) return finished();
                if (extra == kNoMatch) continue;
                if (extra > kLongestExtra)
                    return unpackFailure("an LZ4FH match length byte of " + std::to_string(extra) +
                                         " has no meaning");
                length += extra;
            }
            if (in_.size() - at_ < 2) return cutShort();
            const std::size_t from = le16(in_, at_);
            at_ += 2;
            if (from >= out_.size())
                return unpackFailure("an LZ4FH match copies from offset " + std::to_string(from) +
                                     ", which is not decoded yet");
            if (!room(length)) return overflow();
            const std::size_t end = out_.size();
            out_.resize(end + length);
            for (std::size_t i = 0; i < length; ++i) // byte by byte: a match may overlap itself
                out_[end + i] = out_[from + i];
        }
    }

private:
    bool next(unsigned& value) {
        if (at_ >= in_.size()) return false;
        value = byteAt(in_, at_++);
        return true;
    }
    bool addNext(std::size_t& count) {
        unsigned extra = 0;
        if (!next(extra)) return false;
        count += extra;
        return true;
    }
    bool room(std::size_t count) const { return limit_ - out_.size() >= count; }

    Unpacked cutShort() const { return unpackFailure("the LZ4FH data ends inside a token"); }
    Unpacked overflow() const {
        return unpackFailure("the LZ4FH data unpacks to more than " + std::to_string(limit_) +
                             " bytes");
    }
    Unpacked finished() {
        if (at_ != in_.size())
            return unpackFailure(std::to_string(in_.size() - at_) +
                                 " bytes follow the LZ4FH end mark");
        Unpacked result;
        result.ok = true;
        result.bytes = std::move(out_);
        return result;
    }

    std::string_view in_;
    std::size_t limit_;
    std::size_t at_ = 0;
    std::string out_;
};

} // namespace

Unpacked unpackLz4fh(std::string_view packed, std::size_t limit) {
    return Lz4fhReader(packed, limit).run();
}
