// "Composite (NTSC)" against the model's own numbers: solid colours, one dot's fringe, a shift
// by one subcarrier cycle, and a direct filter-by-filter evaluation of the model on pictures.
#include "CoreTestSupport.h"

#include <gtest/gtest.h>
#include <lcms2.h>

#include <algorithm>
#include <cmath>

namespace {

const std::uint32_t kFills[6][3] = {{0x55, 0x2A, 0xE628FF}, {0x2A, 0x55, 0x19D700},
                                    {0xD5, 0xAA, 0x1990FF}, {0xAA, 0xD5, 0xE66F00},
                                    {0x7F, 0x7F, 0xFFFFFF}, {0, 0, 0}};

// Renders the record's picture with the composite engine.
Picture Composite(OwnedRec& rec, bool dhgr) {
    rec->isDHGR = dhgr, rec->quenEngine = true, rec->schemeType = kCompositeScheme;
    Picture picture;
    RenderPicture(rec.get(), picture.store());
    return picture;
}

// The double hi-res byte whose seven dots, from memory dot `first`, repeat 4-dot pattern p.
std::uint8_t PatternByte(unsigned p, int first) {
    unsigned byte = 0;
    for (int k = 0; k < 7; ++k)
        byte |= ((p >> (3 - (first + k) % 4)) & 1) << k;
    return std::uint8_t(byte);
}

// Fills line `line` with 4-dot pattern p (double hi-res) and fill f of kFills (hi-res).
void SolidLine(OwnedRec& rec, int line, unsigned p, unsigned f) {
    for (int c = 0; c < kLineBytes; ++c) {
        rec->auxMem[g_rowoffsets[line] + c] = PatternByte(p, 14 * c);
        rec->mainMem[g_rowoffsets[line] + c] = PatternByte(p, 14 * c + 7);
        if (f < 6) rec->mainMem[g_rowoffsets[line] + c] = std::uint8_t(kFills[f][c % 2]);
    }
}

void LightMemoryDot(OwnedRec& rec, int line, int d) {
    std::uint8_t* bank = (d / 7) % 2 ? rec->mainMem : rec->auxMem;
    bank[g_rowoffsets[line] + d / 14] |= std::uint8_t(1 << d % 7);
}

// The model, step by step, on the dots of one row of monoBits (offscreen dot o = memory dot
// o - 1, dark around the line): 0xRRGGBB of each offscreen dot.
std::vector<std::uint32_t> ModelRow(const std::uint8_t* row) {
    const double pi = std::acos(-1.0),
                 window[17] = {0.04844011, 0.11345199, 0.22139947, 0.36622178, 0.53585688,
                               0.70927907, 0.86029022, 0.96337812, 1,          0.96337812,
                               0.86029022, 0.70927907, 0.53585688, 0.36622178, 0.22139947,
                               0.11345199, 0.04844011}; // 50 dB, as tabulated
    auto filtered = [&](double cutoffMHz, const std::vector<double>& x) {
        double h[17], sum = 0;
        for (int k = -8; k <= 8; ++k) {
            const double a = 2 * pi * cutoffMHz * k / 14.31818;
            sum += h[k + 8] = window[k + 8] * (k ? std::sin(a) / a : 1);
        }
        std::vector<double> y(x.size());
        for (std::size_t n = 8; n + 8 < x.size(); ++n)
            for (int k = -8; k <= 8; ++k)
                y[n] += h[k + 8] / sum * x[n - k];
        return y;
    };
    const int pad = 24, size = kOffscreenDots + 2 * pad;
    std::vector<double> v(size), i(size), q(size);
    for (int o = 0; o < kOffscreenDots; ++o)
        v[pad + o] = ((row[o / 8] >> (7 - o % 8)) & 1) ? 0 : 1;
    const std::vector<double> y = filtered(2.0, v);
    for (int n = 0; n < size; ++n) {
        const double theta = (123 + 90.0 * (n - pad - 1)) * pi / 180;
        i[n] = 2 * (v[n] - y[n]) * std::cos(theta), q[n] = 2 * (v[n] - y[n]) * std::sin(theta);
    }
    i = filtered(1.3, i), q = filtered(0.6, q);
    std::vector<std::uint32_t> rgb;
    for (int n = pad; n < pad + kOffscreenDots; ++n) {
        const double I = 0.707 * i[n], Q = 0.707 * q[n],
                     c[3] = {y[n] + 0.956 * I + 0.6208 * Q, y[n] - 0.272 * I - 0.6472 * Q,
                             y[n] - 1.1067 * I + 1.7042 * Q};
        std::uint32_t packed = 0;
        for (double channel : c)
            packed = packed << 8 | std::uint32_t(std::lround(std::clamp(channel, 0.0, 1.0) * 255));
        rgb.push_back(packed);
    }
    return rgb;
}

int ChannelGap(std::uint32_t a, std::uint32_t b) {
    int gap = 0;
    for (int shift : {0, 8, 16})
        gap = std::max(gap, std::abs(int(a >> shift & 255) - int(b >> shift & 255)));
    return gap;
}

} // namespace

// The model's solid colours: double hi-res 4-dot patterns (pattern p on line p, and alone as the
// swatches show them) and hi-res fills (even byte, odd byte) on lines 16..21; black and white
// are exact, without colour.
TEST(Composite, SolidPatternsAndHiresFillsGiveTheModelsColours) {
    const std::uint32_t solid[16] = {0x000000, 0xA60C40, 0x406300, 0xE66F00, 0x007440, 0x807F80,
                                     0x19D700, 0xBFE308, 0x401CF7, 0xE628FF, 0x80807F, 0xFF8BBF,
                                     0x1990FF, 0xBF9CFF, 0x59F3BF, 0xFFFFFF};
    OwnedRec rec;
    for (int line = 0; line < 22; ++line)
        SolidLine(rec, line, line % 16, line < 16 ? 6 : line - 16);
    const Picture dhgr = Composite(rec, true), hgr = Composite(rec, false);
    for (unsigned p = 0; p < 16; ++p) { // the swatches' colours under the engine
        const std::uint32_t rgba = CompositeSolidRGBA(p);
        EXPECT_LE(ChannelGap((rgba & 255) << 16 | (rgba & 0xFF00) | (rgba >> 16 & 255), solid[p]),
                  1);
    }
    for (int line = 0; line < 22; ++line)
        for (int x = 40; x < 520; ++x) {
            const std::uint32_t want = line < 16 ? solid[line] : kFills[line - 16][2];
            const std::uint32_t got = (line < 16 ? dhgr : hgr).at(x, line);
            EXPECT_LE(ChannelGap(got, want), want % 0xFFFFFF ? 1 : 0) << line << " dot " << x;
        }
}

// One lit memory dot colours the dots from 9 before it to 8 after it, as the model evaluated
// on its own gives them (their weights reach 16 dots, but fade below a step by then); a picture
// moved by four dots (one subcarrier cycle) renders moved by four dots, exactly.
TEST(Composite, OneDotsFringeAndAShiftByFourDots) {
    OwnedRec rec, moved;
    LightMemoryDot(rec, 0, 280);
    const Picture dot = Composite(rec, true);
    for (int x = 0; x < kOffscreenDots; ++x)
        EXPECT_EQ(dot.at(x, 0) != 0, x >= 281 - 9 && x <= 281 + 8) << x;
    std::mt19937 rng(77);
    for (int line = 1; line < kLines; ++line)
        for (int d = 0; d + 4 < kMemoryDots; ++d)
            if (rng() % 3 == 0) LightMemoryDot(rec, line, d), LightMemoryDot(moved, line, d + 4);
    const Picture a = Composite(rec, true), b = Composite(moved, true);
    for (int line = 1; line < kLines; ++line)
        for (int x = 24; x < 530; ++x)
            ASSERT_EQ(a.at(x, line), b.at(x + 4, line)) << line << " dot " << x;
}

// Random, sparse and solid-colour pictures of both kinds against the model evaluated filter by
// filter: every channel within one step, and per picture a mean CIEDE2000 of 0.5 or less and a
// 99th percentile of 2 or less (sRGB to Lab and the difference by Little CMS).
TEST(Composite, MatchesTheModelEvaluatedFilterByFilter) {
    cmsHPROFILE srgb = cmsCreate_sRGBProfile(), lab = cmsCreateLab4Profile(nullptr);
    cmsHTRANSFORM toLab = cmsCreateTransform(srgb, TYPE_RGB_8, lab, TYPE_Lab_DBL,
                                             INTENT_RELATIVE_COLORIMETRIC, cmsFLAGS_NOCACHE);
    for (unsigned seed : TestSeeds(1953))
        for (int picture = 0; picture < 6; ++picture) {
            std::mt19937 rng(seed + picture);
            OwnedRec rec;
            const unsigned kind = picture / 2; // random, sparse, one solid colour a line
            for (int i = 0; i < kBankSize; ++i) {
                rec->auxMem[i] = std::uint8_t(rng() % (kind ? 24 : 1) ? 0 : rng());
                rec->mainMem[i] = std::uint8_t(rng() % (kind ? 24 : 1) ? 0 : rng());
            }
            for (int line = 0; kind == 2 && line < kLines; ++line)
                SolidLine(rec, line, rng() % 16, picture % 2 ? 6 : rng() % 6);
            const Picture fast = Composite(rec, picture % 2);
            std::vector<double> gaps;
            for (int line = 0; line < kLines; ++line) {
                // The dots the engine was fed: the dot walk's picture, left in monoBits.
                const std::vector<std::uint32_t> model =
                    ModelRow(rec->monoBits + line * kMonoRowBytes);
                for (int x = 0; x < kOffscreenDots; ++x) {
                    const std::uint32_t both[2] = {fast.at(x, line), model[x]};
                    ASSERT_LE(ChannelGap(both[0], both[1]), 1)
                        << "seed " << seed << " line " << line;
                    std::uint8_t bytes[6];
                    for (int k = 0; k < 6; ++k)
                        bytes[k] = std::uint8_t(both[k / 3] >> (16 - 8 * (k % 3)));
                    cmsCIELab labs[2];
                    cmsDoTransform(toLab, bytes, labs, 2);
                    gaps.push_back(cmsCIE2000DeltaE(&labs[0], &labs[1], 1, 1, 1));
                }
            }
            std::sort(gaps.begin(), gaps.end());
            double mean = 0;
            for (double gap : gaps)
                mean += gap / double(gaps.size());
            EXPECT_TRUE(mean <= 0.5 && gaps[gaps.size() * 99 / 100] <= 2.0)
                << "seed " << seed << " picture " << picture << " mean " << mean;
        }
    cmsDeleteTransform(toLab), cmsCloseProfile(srgb), cmsCloseProfile(lab);
}
