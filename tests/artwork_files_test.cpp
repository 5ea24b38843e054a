// The artwork files: formats the loader accepts, and that the generator
// makes exactly what is committed, the same on every run.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "artwork/geometry.h"
#include "tests/support/png_reader.h"

namespace bvm {
namespace {

constexpr uint8_t kTruecolour = 2;
constexpr uint8_t kTruecolourAlpha = 6;

struct TFileCase {
    std::filesystem::path Path;
    uint32_t Width;
    uint32_t Height;
    uint8_t ColourType;
};

std::vector<TFileCase> FileCases() {
    return {
        {ArtworkPath("bg.png"), kBackgroundWidth, kBackgroundHeight, kTruecolour},
        {ArtworkPath("vu.png"), uint32_t(kBarStrip.FrameWidth), uint32_t(kBarStrip.Height()), kTruecolourAlpha},
        {ArtworkPath("peak.png"), uint32_t(kPeakStrip.FrameWidth), uint32_t(kPeakStrip.Height()), kTruecolourAlpha},
        {LitPicturePath(), kBackgroundWidth, kBackgroundHeight, kTruecolour},
    };
}

TEST(ArtworkFiles, SizesFormatsAndChunks) {
    for (const TFileCase& c : FileCases()) {
        const TPng png = ReadPng(c.Path);
        SCOPED_TRACE(c.Path.filename().string());
        EXPECT_EQ(png.Width, c.Width);
        EXPECT_EQ(png.Height, c.Height);
        EXPECT_EQ(png.ColourType, c.ColourType);
        EXPECT_EQ(png.BitDepth, 8);
        EXPECT_EQ(png.Interlace, 0);
        EXPECT_EQ(png.PixelsPerUnitX, 2835u);
        EXPECT_EQ(png.PixelsPerUnitY, 2835u);
        EXPECT_EQ(png.Unit, 1);  // metres
        // IHDR, pHYs, the image data in one or more IDAT chunks, IEND.
        ASSERT_GE(png.Chunks.size(), 4u);
        EXPECT_EQ(png.Chunks[0], "IHDR");
        EXPECT_EQ(png.Chunks[1], "pHYs");
        for (std::size_t i = 2; i + 1 < png.Chunks.size(); ++i) {
            EXPECT_EQ(png.Chunks[i], "IDAT");
        }
        EXPECT_EQ(png.Chunks.back(), "IEND");
    }
}

std::filesystem::path Generate() {
    std::string folder = (std::filesystem::temp_directory_path() / "bvm-artwork-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary folder");
    }
    const std::string command = std::string("'") + BVM_ARTWORK_GENERATOR + "' '" + folder + "' '" + folder + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return folder;
}

TEST(ArtworkFiles, RegenerationGivesTheCommittedBytes) {
    const std::filesystem::path first = Generate();
    const std::filesystem::path second = Generate();
    for (const TFileCase& c : FileCases()) {
        const std::filesystem::path name = c.Path.filename();
        const std::vector<uint8_t> made = ReadBytes(first / name);
        EXPECT_TRUE(made == ReadBytes(second / name)) << name << " differs between two runs";
        EXPECT_TRUE(made == ReadBytes(c.Path)) << name << " differs from the committed file";
    }
    std::filesystem::remove_all(first);
    std::filesystem::remove_all(second);
}

}  // namespace
}  // namespace bvm
