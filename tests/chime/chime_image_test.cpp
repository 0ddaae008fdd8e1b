// The chime as the program carries it: the WAVE image's header, field by
// field, the character of its sound, and that the generator still makes
// exactly the committed bytes.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <numeric>
#include <string>

#include "app/embedded_resources.h"
#include "audio_analysis.h"
#include "chime/module1.h"

namespace {

using vz::Bytes;

constexpr std::size_t kImageSize = 11080;
constexpr std::size_t kSamplesAt = 56;
constexpr std::size_t kSampleCount = 11024;
constexpr int kRate = 11025;

Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Id(const Bytes& b, std::size_t at) { return std::string(b.begin() + long(at), b.begin() + long(at) + 4); }
std::uint32_t U32(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}
std::uint16_t U16(const Bytes& b, std::size_t at) { return std::uint16_t(b[at] | b[at + 1] << 8); }

class ChimeImage : public ::testing::Test {
protected:
    Bytes image = ReadFile(VZ_CHIME_WAV);
    vz::test::Signal Sound() const {
        return vz::test::FromUnsigned8(image.data() + kSamplesAt, kSampleCount, kRate);
    }
    // The samples between two times, in seconds.
    std::vector<int> Between(double from, double to) const {
        return std::vector<int>(image.begin() + long(kSamplesAt + std::size_t(from * kRate)),
                                image.begin() + long(kSamplesAt + std::min<std::size_t>(std::size_t(to * kRate), kSampleCount)));
    }
    double Loudness(double from, double to) const {
        const auto s = Between(from, to);
        const double mean = std::accumulate(s.begin(), s.end(), 0.0) / double(s.size());
        double power = 0;
        for (int v : s) power += (v - mean) * (v - mean);
        return std::sqrt(power / double(s.size()));
    }
};

TEST_F(ChimeImage, HeaderMatchesTheResourceTableFieldByField) {
    ASSERT_EQ(image.size(), kImageSize);
    EXPECT_EQ(Id(image, 0), "RIFF");
    EXPECT_EQ(U32(image, 4), 11072u);
    EXPECT_EQ(Id(image, 8), "WAVE");
    EXPECT_EQ(Id(image, 12), "fmt ");
    EXPECT_EQ(U32(image, 16), 16u);
    EXPECT_EQ(U16(image, 20), 1u);  // PCM
    EXPECT_EQ(U16(image, 22), 1u);  // mono
    EXPECT_EQ(U32(image, 24), 11025u);
    EXPECT_EQ(U32(image, 28), 11025u);
    EXPECT_EQ(U16(image, 32), 1u);
    EXPECT_EQ(U16(image, 34), 8u);
    EXPECT_EQ(Id(image, 36), "fact");
    EXPECT_EQ(U32(image, 40), 4u);
    EXPECT_EQ(U32(image, 44), 11024u);
    EXPECT_EQ(Id(image, 48), "data");
    EXPECT_EQ(U32(image, 52), 11024u);
}

TEST_F(ChimeImage, EndsWithTheLastSampleWithNoPadOrFurtherChunk) {
    EXPECT_EQ(kSamplesAt + U32(image, 52), image.size());
    EXPECT_EQ(U32(image, 4) + 8, image.size());
}

TEST_F(ChimeImage, IsLoudestInTheFirstThirdOfASecondThenSofterThenNearlySilent) {
    const double early = Loudness(0.0, 0.3);
    const double middle = Loudness(0.35, 0.7);
    const double tail = Loudness(0.82, 1.0);
    EXPECT_GT(early, 20.0);
    EXPECT_GT(early, 1.5 * middle);
    EXPECT_GT(middle, 5.0);
    EXPECT_LT(tail, 1.0);
}

TEST_F(ChimeImage, DiesAwayByPointEightSecondsIntoValuesNear123) {
    const auto bursts = vz::test::Bursts(Sound());
    ASSERT_EQ(bursts.size(), 1u);
    EXPECT_LT(bursts[0].start_s, 0.02);
    EXPECT_NEAR(bursts[0].length_s, 0.78, 0.05);
    for (int v : Between(0.8, 1.0)) {
        EXPECT_GE(v, 121);
        EXPECT_LE(v, 125);
    }
    const auto tail = Between(0.8, 1.0);
    EXPECT_NEAR(std::accumulate(tail.begin(), tail.end(), 0.0) / double(tail.size()), 123.0, 0.3);
}

TEST_F(ChimeImage, RingsWithPartialsNear13And16And34And42Kilohertz) {
    const auto sound = Sound();
    const auto peaks = vz::test::StrongestPeaks(sound, 0, std::size_t(0.3 * kRate), 4);
    ASSERT_EQ(peaks.size(), 4u);
    const double expected[] = {1300, 1600, 3400, 4200};
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(peaks[std::size_t(i)], expected[i], 30) << "partial " << i;
}

TEST_F(ChimeImage, GeneratorReproducesTheCommittedBytesExactly) {
    const std::string out = ::testing::TempDir() + "/regenerated_chime.wav";
    std::remove(out.c_str());
    const std::string command = std::string("\"") + VZ_GEN_CHIME + "\" \"" + out + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const Bytes regenerated = ReadFile(out);
    EXPECT_EQ(regenerated.size(), image.size());
    EXPECT_TRUE(regenerated == image) << "resources/chime.wav differs from what tools/gen_chime makes";
}

TEST_F(ChimeImage, IsEmbeddedInTheCoreAsCustom101Unchanged) {
    const vz::EmbeddedResources embedded;
    const auto found = embedded.Find(vz::kChimeType, vz::kChimeId);
    ASSERT_TRUE(found.has_value());
    EXPECT_TRUE(*found == image);
    EXPECT_FALSE(embedded.Find(vz::kChimeType, 102).has_value());
}

}  // namespace
