// The capture file's lines, its writer (opened late, flushed each second,
// bounded) and its reader (damage found and placed, jumps back and forth).
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "veltro/capture/capture_format.h"
#include "veltro/capture/capture_reader.h"
#include "veltro/capture/capture_writer.h"
#include "veltro/capture/frame_save.h"

namespace {

using namespace veltro::capture;
using test_support::TempDir;
using veltro::monitor::FrameDirection;
using veltro::monitor::FrameEntry;
using veltro::monitor::FrameKind;

FrameEntry entry(std::int64_t timeMs, FrameDirection direction, FrameKind kind,
                 std::vector<std::uint8_t> bytes) {
    FrameEntry e;
    e.timeMs = timeMs;
    e.direction = direction;
    e.kind = kind;
    e.length = static_cast<std::uint8_t>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), e.bytes.begin());
    return e;
}

const CaptureHeader kHeader{"kruispunt", "2026-12-08 07:15:03", 0};

// A writer on a string stream that counts how often it was opened.
struct Written {
    std::ostringstream out;
    int opens = 0;
    CaptureWriter::Opener opener() {
        return [this] {
            ++opens;
            return CaptureWriter::Opened{&out, {}};
        };
    }
};

TEST(CaptureLines, EveryKindOfLineReadsBackAndMalformedOnesAreRefused) {
    std::string text;
    appendFrameLine(text, 12, entry(0, FrameDirection::In, FrameKind::Frame, {0xB2, 0x44, 0x64}));
    appendFrameLine(text, 13, entry(0, FrameDirection::Out, FrameKind::Unframed, {0x44}));
    appendFrameLine(text, 14, entry(0, FrameDirection::In, FrameKind::Cut, {0x80, 0x12}));
    EXPECT_EQ(text, "12 < B2 44 64\n13 >? 44\n14 <? 80 12\n");

    const auto in = parseLine("12 < B2 44 64");
    ASSERT_TRUE(in);
    EXPECT_EQ(in->offsetMs, 12);
    EXPECT_EQ(in->entry.direction, FrameDirection::In);
    EXPECT_EQ(std::vector<std::uint8_t>(in->entry.data().begin(), in->entry.data().end()),
              (std::vector<std::uint8_t>{0xB2, 0x44, 0x64}));
    const auto out = parseLine("7 > e2 45 43");  // lower case, as a hand-mended file may have
    ASSERT_TRUE(out);
    EXPECT_EQ(out->entry.direction, FrameDirection::Out);
    EXPECT_EQ(out->entry.bytes[0], 0xE2);
    const auto gap = parseLine("20 gat 17");
    ASSERT_TRUE(gap);
    EXPECT_EQ(gap->kind, LineKind::Gap);
    EXPECT_EQ(gap->lost, 17u);
    EXPECT_EQ(parseLine("einde")->kind, LineKind::End);
    EXPECT_EQ(parseLine("einde limiet")->kind, LineKind::EndAtLimit);

    std::string longest = "1 <";
    for (int i = 0; i < 65; ++i)
        longest += " 40";
    EXPECT_TRUE(parseLine(longest));
    for (const std::string& bad : std::vector<std::string>{
             "", "12", "12 <", "-1 < 80", "12 < 8", "12 < 800", "12 < 80  40", "12 < GG",
             "12 < 80 ", "12 = 80", "x < 80", "12 gat 0", "12 gat", "12 gat -3", "einde nu",
             longest + " 40", "99999999999999999999 < 80"}) {
        EXPECT_FALSE(parseLine(bad)) << bad;
    }
}

TEST(CaptureWriter, OpensWithTheFirstFrameWritesEachSecondAndEndsTheFile) {
    Written file;
    CaptureWriter writer(kHeader, file.opener());
    writer.tick(5000);
    EXPECT_EQ(file.opens, 0);  // nothing to write: no file

    writer.take(entry(10'000, FrameDirection::Out, FrameKind::Frame, {0xE2, 0x45, 0x43}));
    writer.take(entry(10'020, FrameDirection::In, FrameKind::Frame, {0xA2, 0x65, 0x5F}));
    EXPECT_EQ(file.opens, 1);
    writer.tick(10'999);
    EXPECT_EQ(file.out.str(), "");  // within the second: still buffered
    writer.tick(11'000);
    const std::string header =
        "VELTRO-OPNAME 1\nproject kruispunt\nzxapdef 2026-12-08 07:15:03\nbegin 10000\n";
    EXPECT_EQ(file.out.str(), header + "0 > E2 45 43\n20 < A2 65 5F\n");

    // A clock that steps back does not make the file's time go back; a gap
    // is written where it was noticed.
    writer.take(entry(9'000, FrameDirection::In, FrameKind::Stray, {0x12}));
    EXPECT_EQ(writer.lastTimeMs(), 10'020);
    writer.lost(17, 10'050);
    EXPECT_FALSE(writer.close());
    EXPECT_EQ(file.out.str(),
              header + "0 > E2 45 43\n20 < A2 65 5F\n20 <? 12\n50 gat 17\neinde\n");
    EXPECT_EQ(writer.frames(), 3u);
    EXPECT_EQ(writer.lostFrames(), 17u);
    writer.take(entry(10'060, FrameDirection::In, FrameKind::Frame, {0xA2, 0x65, 0x5F}));
    EXPECT_EQ(writer.frames(), 3u);  // closed: taken no more
}

TEST(CaptureWriter, StopsAtItsSizeLimitAndSaysWhyWhenTheFileFails) {
    Written file;
    const std::size_t header = headerText({"kruispunt", "2026-12-08 07:15:03", 1000}).size();
    // Room for the header, two lines of 13 bytes and the end line.
    CaptureWriter writer(kHeader, file.opener(), header + 2 * 13 + 13);
    for (int i = 0; i < 5; ++i)
        writer.take(entry(1000 + i, FrameDirection::In, FrameKind::Frame, {0xA2, 0x65, 0x5F}));
    EXPECT_TRUE(writer.atLimit());
    EXPECT_EQ(writer.frames(), 2u);
    EXPECT_FALSE(writer.close());
    const std::string text = file.out.str();
    EXPECT_EQ(text.size(), header + 2 * 13 + 13);
    EXPECT_TRUE(text.ends_with("1 < A2 65 5F\neinde limiet\n")) << text;

    CaptureWriter unopened(kHeader, [] { return CaptureWriter::Opened{nullptr, "geen plaats"}; });
    unopened.take(entry(1, FrameDirection::In, FrameKind::Frame, {0xA2, 0x65, 0x5F}));
    EXPECT_EQ(unopened.close(), "geen plaats");

    std::ostringstream broken;
    broken.setstate(std::ios::badbit);
    CaptureWriter failing(kHeader, [&] { return CaptureWriter::Opened{&broken, {}}; });
    failing.take(entry(1, FrameDirection::In, FrameKind::Frame, {0xA2, 0x65, 0x5F}));
    EXPECT_TRUE(failing.close().has_value());  // never a silent loss
}

std::string capture(const std::string& lines) {
    return "VELTRO-OPNAME 1\nproject kruispunt\nzxapdef -\nbegin 5000\n" + lines;
}

struct ReadOut {
    std::vector<std::int64_t> offsets;
    CaptureReader::Status last = CaptureReader::Status::Line;
    std::string error;
};

ReadOut readAll(const std::string& text) {
    std::istringstream in(text);
    CaptureReader reader(in);
    ReadOut out;
    if (!reader.readHeader()) {
        out.last = CaptureReader::Status::Damaged;
        out.error = reader.error();
        return out;
    }
    CaptureLine line;
    while ((out.last = reader.next(line)) == CaptureReader::Status::Line)
        out.offsets.push_back(line.offsetMs);
    out.error = reader.error();
    return out;
}

TEST(CaptureReader, ReadsUpToTheDamageAndNamesItsLine) {
    using S = CaptureReader::Status;
    struct Case {
        std::string text;
        std::vector<std::int64_t> offsets;
        S last;
        std::string error;
    } cases[] = {
        {capture("0 < A2 65 5F\r\n3 gat 2\neinde\n"), {0, 3}, S::End, ""},
        {capture("0 < A2 65 5F\n3 < A2 65 5F\n"),
         {0, 3},
         S::Damaged,
         "na regel 6 houdt de opname op zonder 'einde' (afgebroken)"},
        {capture("0 < A2 65 5F\n3 < A2 6"), {0}, S::Damaged, "regel 6: onleesbaar"},
        {capture("0 < A2 65 5F\n\x01\x02zz\n4 < A2 65 5F\neinde\n"),
         {0},
         S::Damaged,
         "regel 6: onleesbaar"},
        {capture("8 < A2 65 5F\n3 < A2 65 5F\neinde\n"),
         {8},
         S::Damaged,
         "regel 6: de tijd loopt terug"},
        {capture(std::string(300, '1') + " < 80\n"), {}, S::Damaged, "regel 5: onleesbaar"},
        {"", {}, S::Damaged, "regel 0: het bestand is leeg"},
        {"VELTRO-OPNAME 2\n",
         {},
         S::Damaged,
         "regel 1: versie 2 van het formaat wordt niet gelezen (wel versie 1)"},
        {"tijd,venster\n",
         {},
         S::Damaged,
         "regel 1: geen opname van veltro (de eerste regel moet met VELTRO-OPNAME beginnen)"},
        {"VELTRO-OPNAME 1\nproject x\n",
         {},
         S::Damaged,
         "regel 2: het bestand houdt op in de kop"},
        {"VELTRO-OPNAME 1\nproject x\nzxapdef -\nbegin gisteren\n",
         {},
         S::Damaged,
         "regel 4: 'begin' noemt geen tijd"},
        {"VELTRO-OPNAME 1\nproject x\nzxapdef -\nbegin -767690403000\n",
         {},
         S::Damaged,
         "regel 4: 'begin' noemt geen tijd"},
    };
    for (const Case& c : cases) {
        const ReadOut out = readAll(c.text);
        EXPECT_EQ(out.offsets, c.offsets) << c.text;
        EXPECT_EQ(out.last, c.last) << c.text;
        EXPECT_EQ(out.error, c.error) << c.text;
    }
}

TEST(CaptureReader, JumpsBackAndForthToTheFirstLineAtOrAfterATime) {
    std::string lines;
    for (int t = 0; t <= 5000; t += 250)
        lines += std::to_string(t) + " < A2 65 5F\n";
    std::istringstream in(capture(lines + "einde\n"));
    CaptureReader reader(in);
    ASSERT_TRUE(reader.readHeader());
    CaptureLine line;
    auto nextOffset = [&] {
        return reader.next(line) == CaptureReader::Status::Line ? line.offsetMs : -1;
    };
    EXPECT_EQ(nextOffset(), 0);
    ASSERT_TRUE(reader.seek(3100));  // forward, past what was read
    EXPECT_EQ(nextOffset(), 3250);
    EXPECT_EQ(reader.lineNumber(), 18u);
    ASSERT_TRUE(reader.seek(1000));  // back, from a remembered place
    EXPECT_EQ(nextOffset(), 1000);
    EXPECT_EQ(reader.lineNumber(), 9u);
    ASSERT_TRUE(reader.seek(0));  // back to the very first line
    EXPECT_EQ(nextOffset(), 0);
    while (nextOffset() >= 0) {
    }
    ASSERT_TRUE(reader.seek(4900));  // back from the end
    EXPECT_EQ(nextOffset(), 5000);
    EXPECT_EQ(nextOffset(), -1);
    EXPECT_TRUE(reader.seek(99'000));  // beyond the end: at the end
    EXPECT_EQ(nextOffset(), -1);
    EXPECT_EQ(reader.error(), "");
}

}  // namespace

namespace {

TEST(FrameMonitorSave, TheShownRowsBecomeACaptureThatReadsBack) {
    veltro::monitor::FrameHistory history;
    history.push(entry(2000, FrameDirection::Out, FrameKind::Frame, {0xE2, 0x45, 0x43}));
    history.push(entry(2010, FrameDirection::In, FrameKind::Frame, {0xA2, 0x65, 0x5F}));
    history.push(entry(2030, FrameDirection::In, FrameKind::Cut, {0xB2, 0x80}));
    veltro::monitor::FrameView view;
    veltro::monitor::FrameFilter onlyIn;
    onlyIn.out = false;
    view.setFilter(onlyIn, history);
    TempDir dir;
    const auto path = (dir.path() / "frames.txt").string();
    ASSERT_FALSE(saveFramesAsCapture(path, view, history, kHeader));
    EXPECT_EQ(test_support::readFile(path),
              "VELTRO-OPNAME 1\nproject kruispunt\nzxapdef 2026-12-08 07:15:03\nbegin 2010\n"
              "0 < A2 65 5F\n20 <? B2 80\neinde\n");
    EXPECT_EQ(readAll(test_support::readFile(path)).last, CaptureReader::Status::End);

    const auto missing = (dir.path() / "nergens" / "frames.txt").string();
    const auto error = saveFramesAsCapture(missing, view, history, kHeader);
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->starts_with("Kan " + missing + " niet schrijven: ")) << *error;
}

}  // namespace
