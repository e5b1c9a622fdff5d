// "Composite (NTSC)" against the model: its listed solid colours, a lone dot's fringe, a shift by
// a subcarrier cycle, and the model evaluated filter by filter on pictures of both kinds.
#include "CoreTestSupport.h"

#include <gtest/gtest.h>
#include <lcms2.h>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// Lights memory dot d of double hi-res line `line` where lit(d), then lays hi-res fill f (even
// byte, odd byte: violet, green, blue, orange, white) on it when f is 0..4.
template <class Lit>
void Draw(OwnedRec& rec, int line, Lit lit, int f = -1) {
    const std::uint8_t fills[5][2] = {
        {0x55, 0x2A}, {0x2A, 0x55}, {0xD5, 0xAA}, {0xAA, 0xD5}, {0x7F, 0x7F}};
    for (int d = 0; d < kMemoryDots; ++d) {
        std::uint8_t* bank = d / 7 % 2 ? rec->mainMem : rec->auxMem;
        if (lit(d)) bank[g_rowoffsets[line] + d / 14] |= 1 << d % 7;
        if (f >= 0 && f < 5) rec->mainMem[g_rowoffsets[line] + d / 14] = fills[f][d / 14 % 2];
    }
}

Picture Render(OwnedRec& rec, bool dhgr) {
    rec->isDHGR = dhgr, rec->quenEngine = true, rec->schemeType = kCompositeScheme;
    Picture picture;
    RenderPicture(rec.get(), picture.store());
    return picture;
}

// The model's steps on the dots the engine was fed (monoBits: offscreen dot o is memory dot
// o - 1, clear bit = lit; dark around each line), as RGBA like the engine's store.
std::vector<std::uint8_t> Model(const ORVEL_GlobalsRec* rec) {
    const double pi = std::acos(-1.0),
                 w[9] = {0.04844011, 0.11345199, 0.22139947, 0.36622178, 0.53585688,
                         0.70927907, 0.86029022, 0.96337812, 1};
    // w: the tabulated 17-point Dolph-Chebyshev window of 50 dB, edge to centre.
    auto filtered = [&](double megahertz, const std::vector<double>& x) {
        double h[17], a = 2 * pi * megahertz / 14.31818, sum = 0;
        std::vector<double> y(x.size());
        for (int k = -8; k <= 8; ++k)
            sum += h[k + 8] = w[8 - std::abs(k)] * (k ? std::sin(k * a) / (k * a) : 1);
        for (std::size_t n = 8; n + 8 < x.size(); ++n)
            for (int k = -8; k <= 8; ++k)
                y[n] += h[k + 8] / sum * x[n - k];
        return y;
    };
    std::vector<std::uint8_t> rgba;
    for (int line = 0; line < kLines; ++line) {
        std::vector<double> v(kOffscreenDots + 48), i(v.size()), q(v.size()); // memory dot n - 25
        for (int o = 0; o < kOffscreenDots; ++o)
            v[24 + o] = (~rec->monoBits[line * kMonoRowBytes + o / 8] >> (7 - o % 8)) & 1;
        const std::vector<double> y = filtered(2.0, v);
        for (std::size_t n = 0; n < v.size(); ++n) {
            i[n] = 2 * (v[n] - y[n]) * std::cos((123 + 90.0 * (int(n) - 25)) * pi / 180);
            q[n] = 2 * (v[n] - y[n]) * std::sin((123 + 90.0 * (int(n) - 25)) * pi / 180);
        }
        i = filtered(1.3, i), q = filtered(0.6, q);
        for (std::size_t n = 24; n < 24 + kOffscreenDots; ++n) {
            const double I = 0.707 * i[n], Q = 0.707 * q[n];
            for (double c : {y[n] + 0.956 * I + 0.6208 * Q, y[n] - 0.272 * I - 0.6472 * Q,
                             y[n] - 1.1067 * I + 1.7042 * Q, 1.0})
                rgba.push_back(std::uint8_t(std::lround(std::clamp(c, 0.0, 1.0) * 255)));
        }
    }
    return rgba;
}

} // namespace

// 4-dot patterns over double hi-res (lines 0..15) and hi-res fills (16..20) show the colours
// listed with the model (black and white exactly), as do the swatches; a lone dot lights the
// dots from 9 before it to 8 after it, as the model gives; a shift by four dots (a subcarrier
// cycle) shifts the render exactly.
TEST(Composite, ListedColoursALoneDotsFringeAndAShiftByFourDots) {
    const std::uint32_t listed[21] = {0x000000, 0xA60C40, 0x406300, 0xE66F00, 0x007440, 0x807F80,
                                      0x19D700, 0xBFE308, 0x401CF7, 0xE628FF, 0x80807F, 0xFF8BBF,
                                      0x1990FF, 0xBF9CFF, 0x59F3BF, 0xFFFFFF, 0xE628FF, 0x19D700,
                                      0x1990FF, 0xE66F00, 0xFFFFFF};
    auto near = [](std::uint32_t a, std::uint32_t b, int gap) { // every channel within `gap`
        for (int shift : {0, 8, 16})
            if (std::abs(int(a >> shift & 255) - int(b >> shift & 255)) > gap) return false;
        return true;
    };
    OwnedRec rec, moved;
    for (int line = 0; line < 21; ++line)
        Draw(
            rec, line, [line](int d) { return (line >> (3 - d % 4)) & 1; }, line - 16);
    Draw(rec, 30, [](int d) { return d == 280; });
    std::mt19937 rng(4);
    for (int line = 40; line < kLines; ++line) { // the same dots, 4 dots further in the copy
        const std::uint64_t bits = std::uint64_t(rng()) << 32 | rng();
        Draw(rec, line, [&](int d) { return (bits >> d % 64) & 1; });
        Draw(moved, line, [&](int d) { return d >= 4 && (bits >> (d - 4) % 64) & 1; });
    }
    const Picture dhgr = Render(rec, true), hgr = Render(rec, false), shifted = Render(moved, true);
    for (int x = 0; x < kOffscreenDots; ++x) {
        for (int line = 0; line < 21 && x >= 40 && x < 520; ++line)
            EXPECT_TRUE(near((line < 16 ? dhgr : hgr).at(x, line), listed[line],
                             listed[line] % 0xFFFFFF ? 1 : 0))
                << line;
        EXPECT_TRUE(x < 40 || x >= 520 || near(dhgr.at(x, 5), dhgr.at(x, 10), 1)) << "greys " << x;
        EXPECT_EQ(dhgr.at(x, 30) != 0, x >= 281 - 9 && x <= 281 + 8) << x;
        for (int line = 40; x >= 24 && x < 530 && line < kLines; ++line)
            ASSERT_EQ(dhgr.at(x, line), shifted.at(x + 4, line)) << line << " dot " << x;
    }
    for (unsigned p = 0; p < 16; ++p)
        EXPECT_TRUE(near(__builtin_bswap32(CompositeSolidRGBA(p)) >> 8, listed[p], 1)) << p;
}

// Random, sparse and solid-colour pictures of both kinds against the model evaluated filter by
// filter: every channel within one step, and a mean CIEDE2000 within 0.5 and a 99th percentile
// within 2 (sRGB to Lab and the difference by Little CMS).
TEST(Composite, MatchesTheModelEvaluatedFilterByFilter) {
    cmsHPROFILE srgb = cmsCreate_sRGBProfile(), lab = cmsCreateLab4Profile(nullptr);
    cmsHTRANSFORM toLab =
        cmsCreateTransform(srgb, TYPE_RGBA_8, lab, TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC, 0);
    for (unsigned seed : testSeeds(1953))
        for (int picture = 0; picture < 6; ++picture) { // random, sparse, solid; hi-res, double
            std::mt19937 rng(seed + picture);
            OwnedRec rec;
            for (int i = 0; picture < 4 && i < 2 * kBankSize; i += 2)
                for (std::uint8_t* bank : {rec->auxMem, rec->mainMem})
                    bank[i / 2] = std::uint8_t(rng() % (picture < 2 ? 1 : 24) ? 0 : rng());
            for (int line = 0, p = rng() % 16; picture >= 4 && line < kLines;
                 ++line, p = rng() % 16)
                Draw(
                    rec, line, [p](int d) { return (p >> (3 - d % 4)) & 1; },
                    picture % 2 ? -1 : p % 5);
            const Picture fast = Render(rec, picture % 2);
            const std::vector<std::uint8_t> model = Model(rec.get());
            for (std::size_t k = 0; k < model.size(); ++k)
                ASSERT_LE(std::abs(fast.bytes[k] - model[k]), 1)
                    << "seed " << seed << " picture " << picture << " dot " << k / 4;
            std::vector<cmsCIELab> a(model.size() / 4), b(a.size());
            std::vector<double> gaps(a.size());
            cmsDoTransform(toLab, fast.bytes.data(), a.data(), cmsUInt32Number(a.size()));
            cmsDoTransform(toLab, model.data(), b.data(), cmsUInt32Number(b.size()));
            for (std::size_t k = 0; k < a.size(); ++k)
                gaps[k] = cmsCIE2000DeltaE(&a[k], &b[k], 1, 1, 1);
            std::sort(gaps.begin(), gaps.end());
            EXPECT_LE(std::accumulate(gaps.begin(), gaps.end(), 0.0) / double(gaps.size()), 0.5)
                << seed;
            EXPECT_LE(gaps[gaps.size() * 99 / 100], 2.0)
                << "seed " << seed << " picture " << picture;
        }
    cmsDeleteTransform(toLab), cmsCloseProfile(srgb), cmsCloseProfile(lab);
}
