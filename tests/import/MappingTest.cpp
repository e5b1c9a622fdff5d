// Mapping images onto the screen, and the colour arithmetic, against worked examples: published
// CIEDE2000 pairs, placements worked out by hand, and averages of linear light.
#include "ImportTestSupport.h"

#include "import/ScreenMapping.h"

#include <random>

TEST(Mapping, CIEDE2000MatchesPublishedPairs) {
    // From Sharma, Wu and Dalal's test data for the CIEDE2000 formula.
    const struct {
        Lab first, second;
        double difference;
    } pairs[] = {
        {{50, 2.6772f, -79.7751f}, {50, 0, -82.7485f}, 2.0425},
        {{50, -1.3802f, -84.2814f}, {50, 0, -82.7485f}, 1.0000},
        {{50, 0, 0}, {50, -1, 2}, 2.3669},
        {{50, 2.5f, 0}, {73, 25, -18}, 27.1492},
        {{50, 2.5f, 0}, {56, -27, -3}, 31.9030},
        {{60.2574f, -34.0099f, 36.2677f}, {60.4626f, -34.1751f, 39.4387f}, 1.2644},
    };
    for (const auto& pair : pairs)
        EXPECT_NEAR(DeltaE2000(pair.first, pair.second), pair.difference, 1e-4);
}

TEST(Mapping, AnImageOfTheScreensSizeMapsOnePixelToEachDot) {
    std::mt19937 rng(7);
    std::vector<std::uint8_t> rgba(4 * kMemoryDots * kLines);
    for (std::uint8_t& b : rgba)
        b = static_cast<std::uint8_t>(rng());
    const SourceImage source{rgba.data(), kMemoryDots, kLines, 4 * kMemoryDots};
    for (FitMode fit : {FitMode::Fit, FitMode::Fill, FitMode::Stretch}) {
        const ScreenImage screen = MapToScreen(source, fit, 1);
        for (std::size_t i = 0; i < rgba.size(); i += 4 * 97)
            for (int k = 0; k < 3; ++k)
                ASSERT_FLOAT_EQ(screen.rgb[3 * (i / 4) + k],
                                SrgbByteToLinear()[rgba[i + k]] * (rgba[i + 3] / 255.0f));
    }
}

TEST(Mapping, PlacementsKeepTheShownAspect) {
    const struct {
        int width, height;
        FitMode fit;
        std::uint16_t aspect;
        ScreenPlacement place;
    } cases[] = {
        {1, 1, FitMode::Fit, 0, {88, 0, 384, 192}},    // square: 384 shown units a side
        {1, 1, FitMode::Fill, 0, {0, -44, 560, 280}},  // 560 units: 280 lines, cropped
        {10000, 1, FitMode::Fit, 0, {0, 95, 560, 1}},  // one line at least
        {640, 480, FitMode::Fit, 1, {0, 1, 560, 189}}, // 504 x 378 units at aspect 0.9
        {640, 480, FitMode::Stretch, 2, {0, 0, 560, 192}},
    };
    for (const auto& c : cases) {
        const ScreenPlacement p = PlaceOnScreen(c.width, c.height, c.fit, c.aspect);
        EXPECT_EQ((std::vector<int>{p.left, p.top, p.width, p.height}),
                  (std::vector<int>{c.place.left, c.place.top, c.place.width, c.place.height}))
            << c.width << " x " << c.height;
    }
}

TEST(Mapping, ScalingAveragesLinearLightAndLeavesBarsBlack) {
    // Black and white pixels in a fine checkerboard shrink to half the light, not to the sRGB
    // middle grey; alpha is laid over black; outside the image the screen is black.
    std::vector<std::uint8_t> board(4 * 1120 * 840);
    for (int y = 0; y < 840; ++y)
        for (int x = 0; x < 1120; ++x) {
            std::uint8_t* p = &board[4 * (y * 1120 + x)];
            std::fill_n(p, 3, (x + y) % 2 ? 255 : 0);
            p[3] = x < 560 ? 255 : 127;
        }
    const ScreenImage screen =
        MapToScreen(SourceImage{board.data(), 1120, 840, 4 * 1120}, FitMode::Fit, 0);
    const ScreenPlacement p = PlaceOnScreen(1120, 840, FitMode::Fit, 0);
    EXPECT_NEAR(screen.at(p.left + p.width / 4, 96)[0], 0.5f, 0.01f);
    EXPECT_NEAR(screen.at(p.left + 3 * p.width / 4, 96)[0], 0.5f * 127 / 255, 0.01f);
    EXPECT_EQ(screen.at(p.left - 1, 96)[1], 0.0f);
    EXPECT_EQ(screen.at(p.left + p.width, 96)[2], 0.0f);
}

TEST(Mapping, ImagesOfAnySizeMapInsideTheScreensRange) {
    for (const unsigned seed : testSeeds(20250119)) {
        std::mt19937 rng(seed);
        for (int i = 0; i < 40; ++i) {
            const int width = 1 + static_cast<int>(rng() % 1200),
                      height = 1 + static_cast<int>(rng() % 400);
            std::vector<std::uint8_t> rgba(4 * static_cast<std::size_t>(width) * height);
            for (std::uint8_t& b : rgba)
                b = static_cast<std::uint8_t>(rng());
            const FitMode fit = static_cast<FitMode>(rng() % 3);
            const ScreenImage screen =
                MapToScreen(SourceImage{rgba.data(), width, height, 4 * width}, fit,
                            static_cast<std::uint16_t>(rng() % 3));
            for (const float v : screen.rgb)
                ASSERT_TRUE(v >= 0.0f && v <= 1.0f) << width << " x " << height << " seed " << seed;
        }
    }
}
