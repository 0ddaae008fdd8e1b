// The desktop side of the chime without a working sound server: the resources
// compiled into the program, the WAVE layout the player reads, and a player
// that never keeps its caller waiting when there is no server to hear it.

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "chime/module1.h"
#include "chime/wave_image.h"
#include "os/chime_player.h"
#include "os/pulse_library.h"
#include "qt/qt_resources.h"
#include "qt_wait.h"

namespace {

using vz::Bytes;

Bytes Chime() {
    std::ifstream in(VZ_CHIME_WAV, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A minimal WAVE image: header chunks given by the test, then `data`.
Bytes Wave(const std::vector<std::pair<std::string, Bytes>>& chunks) {
    Bytes b{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    for (const auto& [id, body] : chunks) {
        b.insert(b.end(), id.begin(), id.end());
        const auto n = std::uint32_t(body.size());
        for (int i = 0; i < 4; ++i) b.push_back(std::uint8_t(n >> (8 * i)));
        b.insert(b.end(), body.begin(), body.end());
        if (n & 1) b.push_back(0);
    }
    return b;
}
const Bytes kFormat8Mono{1, 0, 1, 0, 0x11, 0x2B, 0, 0, 0x11, 0x2B, 0, 0, 1, 0, 8, 0};

// --- The resources compiled into the program --------------------------------

TEST(QtResources, FindTheChimeAsCustom101ByteForByteAndNothingForAnotherIdentifierOrType) {
    const vz::QtResources resources;
    EXPECT_EQ(resources.Find(vz::kChimeType, vz::kChimeId), Chime());
    EXPECT_EQ(vz::LoadResData(resources, 101, "CUSTOM"), Chime());
    EXPECT_FALSE(resources.Find("CUSTOM", 102).has_value());
    EXPECT_FALSE(resources.Find("WAVE", 101).has_value());
    EXPECT_ANY_THROW(vz::LoadResData(resources, 102, "CUSTOM"));  // the runtime's error
}

TEST(QtResources, CarryTheIconAtEverySizeAndTheRestPicture) {
    for (int side : {16, 32, 48, 64, 128, 256}) {
        const QImage icon(QStringLiteral(":/icons/verezerud-%1.png").arg(side));
        EXPECT_EQ(icon.size(), QSize(side, side)) << side;
    }
    EXPECT_TRUE(QFile::exists(QStringLiteral(":/icons/verezerud.ico")));
    const QImage rest(QStringLiteral(":/pictures/rest.png"));
    EXPECT_EQ(rest.size(), QSize(120, 60));
    EXPECT_FALSE(rest.hasAlphaChannel());
}

// --- The WAVE layout ----------------------------------------------------------

TEST(WaveImage, ReadsTheChimeAs8BitMonoAt11025HzWithItsSamplesAfterTheFactChunk) {
    const auto wave = vz::ParseWaveImage(Chime());
    ASSERT_TRUE(wave.has_value());
    EXPECT_EQ(wave->encoding, vz::WaveImage::Encoding::Pcm);
    EXPECT_EQ(wave->channels, 1);
    EXPECT_EQ(wave->sample_rate, 11025);
    EXPECT_EQ(wave->bits_per_sample, 8);
    EXPECT_EQ(wave->data_offset, 56u);
    EXPECT_EQ(wave->data_size, 11024u);
    EXPECT_EQ(wave->DurationMs(), 1000);  // 11024 / 11025 s, rounded up
}

TEST(WaveImage, SkipsOddSizedChunksByTheirPadByteAndClipsADataChunkThatClaimsTooMuch) {
    Bytes image = Wave({{"fmt ", kFormat8Mono}, {"LIST", Bytes(3, 'x')}, {"data", Bytes(10, 128)}});
    image[52] = 200;  // the data chunk's size now reads 200
    const auto wave = vz::ParseWaveImage(image);
    ASSERT_TRUE(wave.has_value());
    EXPECT_EQ(wave->data_offset, 12u + 24u + 12u + 8u);
    EXPECT_EQ(wave->data_size, 10u);
}

TEST(WaveImage, RejectsImagesItCannotPlay) {
    EXPECT_FALSE(vz::ParseWaveImage(Bytes{}).has_value());
    EXPECT_FALSE(vz::ParseWaveImage(Bytes(100, 0)).has_value());
    EXPECT_FALSE(vz::ParseWaveImage(Wave({{"data", Bytes(10, 128)}})).has_value());  // no format
    EXPECT_FALSE(vz::ParseWaveImage(Wave({{"fmt ", Bytes(8, 0)}, {"data", Bytes(4, 0)}})).has_value());
    Bytes adpcm = kFormat8Mono;
    adpcm[0] = 2;
    EXPECT_FALSE(vz::ParseWaveImage(Wave({{"fmt ", adpcm}, {"data", Bytes(4, 0)}})).has_value());
    EXPECT_FALSE(vz::ParseWaveImage(Wave({{"fmt ", kFormat8Mono}})).has_value());  // no data
}

TEST(WaveImage, EndsTheChimeWithAFadeFromItsRestingLevelToSilenceThenSilence) {
    const Bytes chime = Chime();
    const auto wave = vz::ParseWaveImage(chime);
    ASSERT_TRUE(wave.has_value());
    const Bytes ending = vz::QuietEnding(*wave, chime, 20, 100);
    ASSERT_EQ(ending.size(), 220u + 1102u);  // 20 ms and 100 ms at 11025 Hz
    EXPECT_NEAR(ending.front(), chime.back(), 1);
    for (std::size_t i = 1; i < 220; ++i) EXPECT_GE(ending[i], ending[i - 1]) << i;  // rising to 128
    for (std::size_t i = 219; i < ending.size(); ++i) ASSERT_EQ(ending[i], 128) << i;
}

TEST(WaveImage, FadesEachChannelOfSixteenBitSoundToZero) {
    const Bytes stereo16{1, 0, 2, 0, 0x44, 0xAC, 0, 0, 0x10, 0xB1, 2, 0, 4, 0, 16, 0};  // 44100 Hz
    // One frame: left 1000, right -1000.
    const Bytes image = Wave({{"fmt ", stereo16}, {"data", Bytes{0xE8, 0x03, 0x18, 0xFC}}});
    const auto wave = vz::ParseWaveImage(image);
    ASSERT_TRUE(wave.has_value());
    const Bytes ending = vz::QuietEnding(*wave, image, 10, 10);
    ASSERT_EQ(ending.size(), (441u + 441u) * 4u);
    auto sample = [&](std::size_t frame, int channel) {
        return std::int16_t(ending[frame * 4 + std::size_t(channel) * 2] |
                            ending[frame * 4 + std::size_t(channel) * 2 + 1] << 8);
    };
    EXPECT_EQ(sample(0, 0), 998);
    EXPECT_EQ(sample(0, 1), -998);
    EXPECT_EQ(sample(220, 0), -sample(220, 1));
    EXPECT_EQ(sample(440, 0), 0);
    EXPECT_EQ(sample(881, 1), 0);
}

// --- Playing with no sound server, or one that never answers -------------------
// These tests run with PULSE_SERVER naming a socket that does not exist.

// A sound server's socket whose connections the system completes but nobody
// ever answers.
class SilentServer {
public:
    SilentServer() : path_(QDir::temp().filePath(QStringLiteral("vz-silent-%1").arg(getpid()))) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", qPrintable(path_));
        ::unlink(address.sun_path);
        fd_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(fd_, 8) != 0)
            ADD_FAILURE() << "cannot listen on " << path_.toStdString();
    }
    // Closing it makes the waiting connections fail, so their workers end.
    ~SilentServer() {
        ::close(fd_);
        ::unlink(qPrintable(path_));
    }
    std::string Name() const { return "unix:" + path_.toStdString(); }

private:
    QString path_;
    int fd_ = -1;
};

TEST(ChimePlayer, WithoutAServerReturnsAtOnceAndSaysSoOnce) {
    testing::internal::CaptureStderr();
    {
        vz::ChimePlayer player;
        for (int i = 0; i < 2; ++i) {
            QElapsedTimer clock;
            clock.start();
            player.PlayMemory(std::make_shared<const Bytes>(Chime()));
            EXPECT_LT(clock.elapsed(), 50) << "call " << i;
            EXPECT_TRUE(vz::test::RunEventsUntil([&] { return !player.Playing(); }, 5000));
        }
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("no sound server"), std::string::npos) << said;
    EXPECT_EQ(said.find("no sound server"), said.rfind("no sound server")) << said;
}

TEST(ChimePlayer, ASilentServerHoldsUpNeitherTheCallsNorTheProgramsEnd) {
    SilentServer server;
    QElapsedTimer clock;
    {
        vz::ChimePlayer player(server.Name());
        for (int i = 0; i < 2; ++i) {
            clock.start();
            player.PlayMemory(std::make_shared<const Bytes>(Chime()));
            EXPECT_LT(clock.elapsed(), 50) << "call " << i;
            vz::test::RunEventsFor(100);  // the worker is connecting by now
            EXPECT_TRUE(player.Playing());
        }
        clock.start();
    }
    EXPECT_LT(clock.elapsed(), 50) << "the player's end waited for the server";
}

// The files a Debian package installs, one a line.
std::string PackageFiles(const char* package) {
    std::string out;
    if (FILE* list = ::popen((std::string("dpkg -L ") + package + " 2>/dev/null").c_str(), "r")) {
        char buffer[4096];
        while (std::size_t n = std::fread(buffer, 1, sizeof buffer, list)) out.append(buffer, n);
        ::pclose(list);
    }
    return out;
}

TEST(PulseLibrary, LoadsEveryFunctionOrSaysWhyNot) {
    // A user's machine has the runtime package only, not the development one:
    // the name opened must be one of its files.
    const std::string runtime = PackageFiles("libpulse0");
    ASSERT_FALSE(runtime.empty()) << "libpulse0 is not installed";
    EXPECT_NE(runtime.find(std::string("/") + vz::kPulseSimpleLibrary + "\n"), std::string::npos)
        << vz::kPulseSimpleLibrary << " is not among libpulse0's files";
    std::string error;
    const vz::PulseSimple* pulse = vz::LoadPulseSimple(error);
    ASSERT_NE(pulse, nullptr) << error;
    EXPECT_TRUE(pulse->new_stream && pulse->write && pulse->drain && pulse->flush &&
                pulse->free_stream && pulse->strerror);
    EXPECT_STRNE(pulse->strerror(PA_ERR_CONNECTIONREFUSED), "");
    EXPECT_EQ(vz::LoadPulseSimple(error, "libvz-absent.so.0"), nullptr);
    EXPECT_NE(error.find("libvz-absent.so.0"), std::string::npos) << error;
}

TEST(ChimePlayer, IgnoresImagesItCannotPlay) {
    vz::ChimePlayer player;
    player.PlayMemory(nullptr);
    player.PlayMemory(std::make_shared<const Bytes>());
    player.PlayMemory(std::make_shared<const Bytes>(Bytes(11080, 0)));
    EXPECT_FALSE(player.Playing());
}

}  // namespace
