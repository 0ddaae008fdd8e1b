// Every content the two data files can hold, tried at start-up, at the end of
// an hour, at exit and in the settings window: the program never stops over
// one, reading never changes a file, a write replaces bytes 0 and 1 only, and
// each content gives the values the program's rules give it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench.h"
#include "dialogs/frm_hour.h"
#include "dialogs/frm_setting.h"
#include "platform/text.h"

namespace vz::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage = "ZURivIdid.tim";
constexpr const char* kSettings = "SettingT.tim";
constexpr std::int64_t kHourMs = 3'600'000;
constexpr int kContents = 65536;  // every two-byte content
constexpr int kParts = 4;         // the sweep of each file runs as this many tests
constexpr int kLargestCount = 32767;
constexpr int kRestItems = 5;
constexpr int kPreparatoryItems = 6;
constexpr int kShownFindings = 8;
// Every content is tried at start-up and at the end of an hour, or in the
// settings window with Cancel and OK; one in this many, and the counts near
// the limit, also at exit, or with the window closing itself and a second start.
constexpr int kCloseEvery = 7;

// Every content by default; VEREZERUD_SWEEP_STRIDE=N tries every N-th only.
int Stride() {
    const char* text = std::getenv("VEREZERUD_SWEEP_STRIDE");
    const int stride = text ? std::atoi(text) : 1;
    return stride > 0 ? stride : 1;
}

// Collects mismatches over a whole sweep and reports the first few, so a
// broken rule shows as a handful of contents rather than thousands of lines.
class Findings {
public:
    template <class Describe>
    void Check(bool ok, Describe describe) {
        if (ok) return;
        if (++count_ <= kShownFindings) shown_ += "  " + describe() + "\n";
    }
    ~Findings() {
        if (count_ > 0)
            ADD_FAILURE() << count_ << " contents handled wrongly; the first ones:\n" << shown_;
    }

private:
    int count_ = 0;
    std::string shown_;
};

std::string Hex(const std::optional<Bytes>& bytes) {
    if (!bytes) return "missing";
    return bytes->empty() ? "(empty)" : HexBytes(*bytes);
}

Bytes TwoBytes(int value) {
    const auto u = static_cast<std::uint16_t>(value);
    return {std::uint8_t(u & 0xFF), std::uint8_t(u >> 8)};
}

// Bytes 0 and 1 as the program reads them: zero where the file is shorter.
std::uint8_t ByteAt(const Bytes& file, std::size_t i) { return i < file.size() ? file[i] : 0; }

int CountIn(const Bytes& usage) {
    return static_cast<std::int16_t>(ByteAt(usage, 0) | ByteAt(usage, 1) << 8);
}

// The file after a write of record 1: bytes 0 and 1 replaced, the rest kept.
Bytes Rewritten(Bytes file, std::uint8_t b0, std::uint8_t b1) {
    if (file.size() < 2) file.resize(2);
    file[0] = b0;
    file[1] = b1;
    return file;
}

Bytes Rewritten(const Bytes& file, int count) {
    const Bytes record = TwoBytes(count);
    return Rewritten(file, record[0], record[1]);
}

// What the usage-hours window says for a count: half of it plus one.
std::string HoursText(int count) {
    const int halves = count + 2;
    if (halves % 2 == 0) return std::to_string(halves / 2);
    return std::string(halves < 0 ? "-" : "") + std::to_string(std::abs(halves) / 2) + ".5";
}

// Filler for long files, the same on every run.
Bytes Tail(std::size_t length, std::uint32_t seed) {
    Bytes tail(length);
    for (auto& b : tail) {
        seed = seed * 1664525u + 1013904223u;
        b = std::uint8_t(seed >> 24);
    }
    return tail;
}

Bytes Join(Bytes head, const Bytes& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

// ---- The usage file ----------------------------------------------------------

// A stored rest of 60 minutes: hours end and credit as always, but with no
// reminder and no rest screen to tick through, which keeps the sweep quick.
const Bytes kNoReminder = {0x00, 0x1D};

// With kNoReminder in the settings file, starts on `before`, opens the
// usage-hours window and ends the hour: a credit of two, refused where it
// would pass the limit. `closely` adds an exit at minute 0 of the next hour,
// a credit of one.
void TryUsageContent(const fs::path& folder, const Bytes& before, bool closely,
                     Findings& findings) {
    const fs::path file = folder / kUsage;
    WriteBytes(file, before);
    Bench bench(folder);
    Runtime& rt = bench.runtime();
    const std::string name = "usage file " + Hex(before) + ": ";
    auto on_disk = [&] { return ReadBytes(file); };

    bench.program().Start();
    if (!rt.Running()) return findings.Check(false, [&] { return name + "start-up ended it"; });
    int count = CountIn(before);
    findings.Check(bench.splash().HalfHour == count, [&] {
        return name + "HalfHour " + std::to_string(bench.splash().HalfHour) + ", not " +
               std::to_string(count);
    });
    findings.Check(on_disk() == before && bench.tally.writes == 0,
                   [&] { return name + "start-up changed it to " + Hex(on_disk()); });

    bench.Choose("Hour");
    const auto* hours = static_cast<FrmHour*>(rt.Find(FrmHour::kName));
    findings.Check(hours && hours->Label2.Caption() == HoursText(count), [&] {
        return name + "the usage-hours window says " +
               (hours ? hours->Label2.Caption() : "nothing") + ", not " + HoursText(count);
    });
    bench.clock().Advance(FrmHour::kCloseAfterMs);

    // The end of the hour credits two half-hours unless that passes the limit.
    bench.clock().Advance(kHourMs - FrmHour::kCloseAfterMs);
    Bytes expected = before;
    std::size_t errors = 0;
    if (count + 2 <= kLargestCount) {
        count += 2;
        expected = Rewritten(before, count);
    } else {
        ++errors;
    }
    findings.Check(rt.Running() && on_disk() == expected && bench.splash().HalfHour == count &&
                       bench.tally.errors.size() == errors,
                   [&] {
                       return name + "after an hour the file holds " + Hex(on_disk()) + ", not " +
                              Hex(expected) + ", with " +
                              std::to_string(bench.tally.errors.size()) + " error lines";
                   });

    if (!closely) return;
    // An exit at minute 0 credits one half-hour.
    bench.program().Stop();
    if (count + 1 <= kLargestCount) {
        count += 1;
        expected = Rewritten(before, count);
    } else {
        ++errors;
    }
    findings.Check(on_disk() == expected && bench.tally.errors.size() == errors, [&] {
        return name + "after the exit the file holds " + Hex(on_disk()) + ", not " + Hex(expected) +
               ", with " + std::to_string(bench.tally.errors.size()) + " error lines";
    });
}

bool NearTheLimit(int content) {
    const int count = static_cast<std::int16_t>(content);
    return count > kLargestCount - 8;
}

class EveryUsageContent : public testing::TestWithParam<int> {};

TEST_P(EveryUsageContent, ReadsCreditsAndKeepsTheCountWithinItsLimit) {
    ScratchFolder folder;
    WriteBytes(folder / kSettings, kNoReminder);
    Findings findings;
    const int part = GetParam();
    for (int v = part * kContents / kParts; v < (part + 1) * kContents / kParts; v += Stride())
        TryUsageContent(folder.path(), TwoBytes(v), v % kCloseEvery == 0 || NearTheLimit(v),
                        findings);
    EXPECT_EQ(ReadBytes(folder / kSettings), kNoReminder) << "the settings file is never written";
}

INSTANTIATE_TEST_SUITE_P(Quarter, EveryUsageContent, testing::Range(0, kParts));

// Two-byte counts worth trying inside longer files: the limits and a spread.
std::vector<int> SampleCounts(int spread) {
    std::vector<int> counts = {0,      1,      2,      0x7FFC, 0x7FFD, 0x7FFE,
                               0x7FFF, 0x8000, 0x8001, 0xFFFE, 0xFFFF};
    for (int i = 0; i < spread; ++i) counts.push_back(int((i * 40503L) % kContents));
    return counts;
}

TEST(UsageFileLength, EmptyOneByteThreeBytesAndFourKilobytes) {
    ScratchFolder folder;
    WriteBytes(folder / kSettings, kNoReminder);
    Findings findings;
    TryUsageContent(folder.path(), {}, true, findings);
    for (int b = 0; b < 256; ++b) TryUsageContent(folder.path(), {std::uint8_t(b)}, true, findings);
    for (int v : SampleCounts(4096 / Stride()))
        TryUsageContent(folder.path(), Join(TwoBytes(v), {std::uint8_t(v * 7)}), true, findings);
    for (int v : SampleCounts(256 / Stride()))
        TryUsageContent(folder.path(), Join(TwoBytes(v), Tail(4094, std::uint32_t(v))), true,
                        findings);
}

// The file is the record and the count in memory only its mirror: an hour's
// credit goes to what the file holds at the end of the hour, even when
// something else wrote it meanwhile, and is refused where that would pass the
// limit, leaving both counts as they were.
TEST(UsageFileWrittenMeanwhile, TheEndOfTheHourAddsToWhatTheFileHoldsThen) {
    ScratchFolder folder;
    WriteBytes(folder / kSettings, kNoReminder);
    Findings findings;
    for (int v : SampleCounts(4096 / Stride())) {
        const Bytes written = TwoBytes(v);
        WriteBytes(folder / kUsage, {});
        Bench bench(folder.path());
        bench.program().Start();
        bench.clock().Advance(kHourMs / 2);
        WriteBytes(folder / kUsage, written);
        bench.clock().Advance(kHourMs / 2);
        const int count = CountIn(written);
        const bool fits = count + 2 <= kLargestCount;
        const Bytes expected = fits ? Rewritten(written, count + 2) : written;
        const auto now = ReadBytes(folder / kUsage);
        findings.Check(now == expected && bench.splash().HalfHour == (fits ? 2 : 0) &&
                           bench.tally.errors.size() == (fits ? 0u : 1u),
                       [&] {
                           return "usage file " + Hex(written) + " written during the hour: " +
                                  Hex(now) + " and HalfHour " +
                                  std::to_string(bench.splash().HalfHour) + " after it, not " +
                                  Hex(expected) + " and " + std::to_string(fits ? 2 : 0);
                       });
    }
}

// ---- The settings file -------------------------------------------------------

int RestMinutes(int position) { return 2 * (position + 1); }
int PreparatorySeconds(int position) { return 10 * (position + 1); }

// Starts on `before`, opens the settings window, picks other items and
// cancels, then opens it again and confirms what it shows. `closely` adds a
// third opening left to close by itself, and a second start on what OK stored.
void TrySettingsContent(const fs::path& folder, const Bytes& before, bool closely,
                        Findings& findings) {
    const fs::path file = folder / kSettings;
    WriteBytes(file, before);
    const std::string name = "settings file " + Hex(before) + ": ";
    const int b0 = ByteAt(before, 0), b1 = ByteAt(before, 1);

    Bench bench(folder);
    Runtime& rt = bench.runtime();
    bench.program().Start();
    if (!rt.Running()) return findings.Check(false, [&] { return name + "start-up ended it"; });
    FrmSplash& splash = bench.splash();
    // A value too large for a Byte takes the default, with one error line each.
    const int rest = b1 <= 126 ? RestMinutes(b1) : 2;
    const int preparatory = b0 <= 24 ? PreparatorySeconds(b0) : 10;
    const std::size_t errors = (b1 > 126) + (b0 > 24);
    findings.Check(splash.RestTim == rest && splash.Preparat == preparatory &&
                       bench.tally.errors.size() == errors,
                   [&] {
                       return name + "rest " + std::to_string(splash.RestTim) + " and " +
                              std::to_string(splash.Preparat) + " s with " +
                              std::to_string(bench.tally.errors.size()) + " error lines, not " +
                              std::to_string(rest) + " and " + std::to_string(preparatory) +
                              " s with " + std::to_string(errors);
                   });

    // The window selects the stored positions; one beyond a list, its last item.
    const int shown1 = std::min(b1, kRestItems - 1);
    const int shown2 = std::min(b0, kPreparatoryItems - 1);
    auto open = [&](const char* when) {
        bench.Choose("Setting");
        auto* window = static_cast<FrmSetting*>(rt.Find(FrmSetting::kName));
        findings.Check(window && window->Visible() && window->Combo1.ListIndex() == shown1 &&
                           window->Combo2.ListIndex() == shown2,
                       [&] {
                           return name + "the window " + when + " shows positions " +
                                  (window ? std::to_string(window->Combo1.ListIndex()) + " and " +
                                                std::to_string(window->Combo2.ListIndex())
                                          : std::string("nothing")) +
                                  ", not " + std::to_string(shown1) + " and " +
                                  std::to_string(shown2);
                       });
        rt.Select("frmSetting.Combo1", (shown1 + 1 + b0) % kRestItems);
        rt.Select("frmSetting.Combo2", (shown2 + 1 + b1) % kPreparatoryItems);
    };
    auto unchanged = [&](const char* after) {
        const auto now = ReadBytes(file);
        findings.Check(!rt.Find(FrmSetting::kName) && now == before && bench.tally.writes == 0 &&
                           splash.RestTim == rest && splash.Preparat == preparatory &&
                           !splash.GaiBian && bench.tally.errors.size() == errors,
                       [&] {
                           return name + after + " left the file " + Hex(now) + ", rest " +
                                  std::to_string(splash.RestTim) + ", " +
                                  std::to_string(splash.Preparat) + " s, " +
                                  std::to_string(bench.tally.errors.size()) + " error lines";
                       });
    };

    open("at its first opening");
    rt.Click("frmSetting.Command2");
    unchanged("Cancel");

    if (closely) {
        open("after Cancel");
        bench.clock().Advance(FrmSetting::kCloseAfterMs);
        unchanged("closing by itself");
    }

    // OK stores the positions it shows, keeps the rest of the file, and puts
    // the values of the items into effect.
    open("at its last opening");
    rt.Select("frmSetting.Combo1", shown1);
    rt.Select("frmSetting.Combo2", shown2);
    rt.Click("frmSetting.Command1");
    const Bytes stored = Rewritten(before, std::uint8_t(shown2), std::uint8_t(shown1));
    const auto now = ReadBytes(file);
    findings.Check(!rt.Find(FrmSetting::kName) && now == stored && bench.tally.writes == 1 &&
                       splash.RestTim == RestMinutes(shown1) &&
                       splash.Preparat == PreparatorySeconds(shown2) && splash.GaiBian &&
                       bench.tally.errors.size() == errors,
                   [&] {
                       return name + "OK left the file " + Hex(now) + ", not " + Hex(stored) +
                              "; rest " + std::to_string(splash.RestTim) + ", " +
                              std::to_string(splash.Preparat) + " s";
                   });
    if (!closely) return;

    // The next start reads back what OK stored.
    Bench again(folder);
    again.program().Start();
    findings.Check(again.runtime().Running() && again.splash().RestTim == RestMinutes(shown1) &&
                       again.splash().Preparat == PreparatorySeconds(shown2) &&
                       again.tally.errors.empty() && ReadBytes(file) == stored,
                   [&] { return name + "the next start did not read back what OK stored"; });
}

class EverySettingsContent : public testing::TestWithParam<int> {};

TEST_P(EverySettingsContent, StartsWithTheStoredOrDefaultValuesAndTheWindowShowsThem) {
    ScratchFolder folder;
    Findings findings;
    const int part = GetParam();
    for (int v = part * kContents / kParts; v < (part + 1) * kContents / kParts; v += Stride())
        TrySettingsContent(folder.path(), TwoBytes(v), v % kCloseEvery == 0, findings);
    EXPECT_EQ(ReadBytes(folder / kUsage), Bytes{}) << "no credit is made without an hour or exit";
}

INSTANTIATE_TEST_SUITE_P(Quarter, EverySettingsContent, testing::Range(0, kParts));

// Pairs of bytes worth trying inside longer files: each side of every limit.
std::vector<int> SamplePositions(int spread) {
    std::vector<int> contents;
    for (int b0 : {0, 5, 6, 24, 25, 255})
        for (int b1 : {0, 4, 5, 126, 127, 255}) contents.push_back(b0 | b1 << 8);
    for (int i = 0; i < spread; ++i) contents.push_back(int((i * 40503L) % kContents));
    return contents;
}

TEST(SettingsFileLength, EmptyOneByteThreeBytesAndFourKilobytes) {
    ScratchFolder folder;
    Findings findings;
    TrySettingsContent(folder.path(), {}, true, findings);
    for (int b = 0; b < 256; ++b)
        TrySettingsContent(folder.path(), {std::uint8_t(b)}, true, findings);
    for (int v : SamplePositions(4096 / Stride()))
        TrySettingsContent(folder.path(), Join(TwoBytes(v), {std::uint8_t(v * 7)}), true, findings);
    for (int v : SamplePositions(256 / Stride()))
        TrySettingsContent(folder.path(), Join(TwoBytes(v), Tail(4094, std::uint32_t(v))), true,
                           findings);
}

}  // namespace
}  // namespace vz::test
