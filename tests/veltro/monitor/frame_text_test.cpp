#include "veltro/monitor/frame_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "veltro/link/frame_encoder.h"
#include "veltro/monitor/frame_row_cache.h"
#include "veltro/monitor/frame_view.h"
#include "veltro/monitor/time_text.h"

namespace veltro::monitor {
namespace {

using Bytes = std::vector<std::uint8_t>;

FrameEntry entryOf(const Bytes& bytes, FrameDirection direction = FrameDirection::In,
                   FrameKind kind = FrameKind::Frame) {
    FrameEntry e;
    e.direction = direction;
    e.kind = kind;
    e.length = static_cast<std::uint8_t>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), e.bytes.begin());
    return e;
}

FrameEntry encoded(int code, int index, int second, int value,
                   CommandMode mode = CommandMode::Write) {
    const link::EncodedFrame f = link::encodeFrame({code, index, second, 0, value}, mode);
    return entryOf(Bytes(f.bytes().begin(), f.bytes().end()));
}

const FrameNames& sampleNames() {
    static const FrameNames names = [] {
        FrameNames n;
        auto tables = std::make_unique<ElementTables>();
        auto name = [](auto& table, int slot, const char* text, int number) {
            table[slot].name = text;
            table[slot].arrayNumber = number;
            table.count = slot + 1;
        };
        name(tables->signalGroups, 0, "fc02", 2);
        name(tables->signalGroups, 1, "fc05", 5);
        name(tables->detectors, 0, "d051", 5);
        name(tables->clocks, 0, "kl1", 1);
        name(tables->parameters, 0, "prmvag", 8);
        n.setElements(*tables);
        return n;
    }();
    return names;
}

TEST(FrameText, DecodesEveryFunctionGroupWithMacroAndElementNames) {
    struct Case {
        int group;
        FrameEntry entry;
        const char* function;
        const char* index;
        const char* second;
        const char* value;
    };
    const Case cases[] = {
        {0, entryOf({0xA0, 0x60, 0x40}), "0 koppelsignaal", "", "", "1"},  // value in bit 5
        {1, encoded(32, 8, -1, 1234), "32 inst_EPARM", "8 prmvag", "", "1234"},
        {2, encoded(69, 2, -1, 100), "69 DK", "2 fc02", "", "100"},
        {3, encoded(96, 5, -1, 1), "96 AFK_OP", "5 fc05", "", "1"},
        {4, encoded(128, -1, 3, 1), "128 BLOK", "", "3", "1"},
        {5, encoded(160, -1, 1, 0), "160 BO_OP", "", "1", "0"},
        {6, encoded(192, 2, 3, 1), "192 AR", "2 fc02", "3", "1"},
        {7, encoded(224, 5, 2, 1), "224 PPA_OP", "5 fc05", "2", "1"},
        {8, encoded(265, 2, -1, 1), "265 G", "2 fc02", "", "1"},
        {9, encoded(288, 5, -1, 1), "288 VG_TIJD", "5 fc05", "", "1"},
        {10, encoded(326, 2, -1, 60), "326 inst_MG_TIJD", "2 fc02", "", "60"},
        {11, encoded(352, 2, 5, 1), "352 O_TIJD", "2 fc02", "5 fc05", "1"},
        {12, encoded(386, 5, 2, 30), "386 INT", "5 fc05", "2 fc02", "30"},
        {13, encoded(426, 5, -1, 1), "426 D", "5 d051", "", "1"},
        {14, encoded(462, 5, -1, 1), "462 DVWD", "5 d051", "", "1"},  // a detector too
        {14, encoded(450, 1, -1, 730), "450 inst_1e_KL", "1 kl1", "", "730"},
        {15, encoded(481, -1, -1, 999999), "481 datum", "", "", "999999"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("group " + std::to_string(c.group));
        const FrameColumns columns = describeFrame(c.entry, sampleNames(), 0);
        EXPECT_EQ(columns.mode, "WRITE");
        EXPECT_EQ(columns.direction, "in");
        EXPECT_EQ(columns.function, c.function);
        EXPECT_EQ(columns.index, c.index);
        EXPECT_EQ(columns.secondIndex, c.second);
        EXPECT_EQ(columns.value, c.value);
    }
}

TEST(FrameText, RequestsCarryNoValueAndUnknownElementsKeepTheirNumber) {
    const FrameColumns read =
        describeFrame(encoded(69, 3, -1, 0, CommandMode::Read), sampleNames(), 0);
    EXPECT_EQ(read.mode, "READ");
    EXPECT_EQ(read.bytes, "E2 45 43");
    EXPECT_EQ(read.index, "3");  // no signal group 3 in the tables
    EXPECT_EQ(read.value, "");
    EXPECT_EQ(describeFrame(encoded(69, 3, -1, 0, CommandMode::Continuous), sampleNames(), 0).mode,
              "CONTINUOUS");
    EXPECT_EQ(describeFrame(encoded(69, 3, -1, 0, CommandMode::Stop), sampleNames(), 0).mode,
              "STOP");
    // The debugger sends group 0 with a 12-bit index and the value in the
    // index byte; it is shown as sent, not read by the controller's layout.
    FrameEntry sent = encoded(0, 5, -1, 1);
    sent.direction = FrameDirection::Out;
    const FrameColumns koppel = describeFrame(sent, sampleNames(), 0);
    EXPECT_EQ(koppel.index, "5");
    EXPECT_EQ(koppel.value, "1");
    // A function code without a macro shows its number alone.
    EXPECT_EQ(describeFrame(encoded(67, 3, -1, 1), sampleNames(), 0).function, "67");
}

TEST(FrameText, MalformedBytesAreShownAsSuchWithoutDecoding) {
    const struct {
        FrameKind kind;
        FrameDirection direction;
        const char* mode;
    } cases[] = {
        {FrameKind::Cut, FrameDirection::In, "afgebroken frame"},
        {FrameKind::Stray, FrameDirection::In, "losse bytes"},
        {FrameKind::Unframed, FrameDirection::Out, "geen frame"},
    };
    for (const auto& c : cases) {
        const FrameColumns columns =
            describeFrame(entryOf({0xA2, 0x65, 0x85}, c.direction, c.kind), sampleNames(), 0);
        EXPECT_EQ(columns.mode, c.mode);
        EXPECT_EQ(columns.bytes, "A2 65 85");
        EXPECT_EQ(columns.function, "");
        EXPECT_EQ(columns.value, "");
    }
    EXPECT_EQ(
        describeFrame(entryOf({'D'}, FrameDirection::Out, FrameKind::Unframed), sampleNames(), 0)
            .direction,
        "uit");
}

TEST(TimeText, WritesMillisecondsAndTheOffset) {
    const std::int64_t t = 1796717703123;  // 2026-12-08T08:15:03.123Z
    EXPECT_EQ(clockText(t, 0), "08:15:03.123");
    EXPECT_EQ(isoText(t, 0), "2026-12-08T08:15:03.123+00:00");
    EXPECT_EQ(isoText(t, 60), "2026-12-08T09:15:03.123+01:00");
    EXPECT_EQ(isoText(t, -570), "2026-12-07T22:45:03.123-09:30");
    EXPECT_EQ(isoText(5, 0), "1970-01-01T00:00:00.005+00:00");
}

TEST(FrameFilter, FiltersByDirectionAndByMacro) {
    const FrameNames& names = sampleNames();
    const MacroFilterResult parsed = parseMacroFilter(" VG_TIJD, 69 ", names);
    EXPECT_TRUE(parsed.unknown.empty());
    EXPECT_EQ(parsed.codes, (std::vector<std::int32_t>{288, 69}));
    EXPECT_EQ(parseMacroFilter("", names).codes, std::nullopt);
    EXPECT_EQ(parseMacroFilter(" , ", names).codes, std::nullopt);

    FrameFilter filter;
    filter.codes = parsed.codes;
    EXPECT_TRUE(filter.matches(encoded(288, 2, -1, 1)));
    EXPECT_FALSE(filter.matches(encoded(289, 2, -1, 1)));
    // Malformed bytes have no macro: only an open filter shows them.
    const FrameEntry cut = entryOf({0xA2, 0x65, 0x85}, FrameDirection::In, FrameKind::Cut);
    EXPECT_FALSE(filter.matches(cut));
    filter.codes.reset();
    EXPECT_TRUE(filter.matches(cut));
    filter.in = false;
    EXPECT_FALSE(filter.matches(cut));
    EXPECT_TRUE(filter.matches(entryOf({0xE2, 0x45, 0x43}, FrameDirection::Out)));
}

// A word typed halfway, or misspelt, names no macro: it is kept apart to be
// marked, and it matches nothing rather than letting every frame through.
TEST(FrameFilter, WordsThatNameNoMacroShowNothingAndAreNamed) {
    const FrameNames& names = sampleNames();
    struct Row {
        const char* text;
        std::vector<std::int32_t> codes;
        std::vector<std::string> unknown;
    };
    const Row table[] = {
        {"VG_TI", {}, {"VG_TI"}},      {"VG_TIJD vg_tijd", {288}, {"vg_tijd"}},  // case counts
        {"512", {}, {"512"}},           // beyond the 9-bit codes
        {"0511 511", {511}, {"0511"}},  // a number is three digits at most
        {"x, y DK", {69}, {"x", "y"}},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.text);
        const MacroFilterResult parsed = parseMacroFilter(row.text, names);
        ASSERT_TRUE(parsed.codes.has_value());
        EXPECT_EQ(parsed.unknown, row.unknown);
        EXPECT_EQ(*parsed.codes, row.codes);
    }
    FrameFilter filter;
    filter.codes = parseMacroFilter("VG_TI", names).codes;
    EXPECT_FALSE(filter.matches(encoded(288, 2, -1, 1)));
    EXPECT_FALSE(filter.matches(entryOf({0xA2, 0x65, 0x85}, FrameDirection::In, FrameKind::Cut)));
}

// The table asks for each cell of a row in turn: the frame is decoded once.
TEST(FrameRowCache, DescribesAFrameOncePerRowAndForgetsOnClear) {
    FrameRowCache cache;
    const FrameEntry vg = encoded(288, 2, -1, 37);
    const FrameEntry dk = encoded(69, 5, -1, 1);
    for (int column = 0; column < 8; ++column) {
        EXPECT_EQ(cache.columns(7, vg, sampleNames()).function, "288 VG_TIJD");
        EXPECT_EQ(cache.columns(8, dk, sampleNames()).index, "5 fc05");
    }
    EXPECT_EQ(cache.described(), 2u);
    // Rows a screen apart share no slot; rows as far apart as the slots do.
    EXPECT_EQ(cache.columns(7 + FrameRowCache::kSlots, dk, sampleNames()).function, "69 DK");
    EXPECT_EQ(cache.columns(7, vg, sampleNames()).function, "288 VG_TIJD");
    EXPECT_EQ(cache.described(), 4u);
    cache.clear();
    cache.columns(8, dk, sampleNames());
    EXPECT_EQ(cache.described(), 5u);
    // The columns' widths stand beside their titles.
    EXPECT_EQ(frameColumns().front().title, "Tijd");
    EXPECT_EQ(frameColumns().back().widthDigits, 0);  // the value takes the rest
    EXPECT_EQ(frameLine(cache.columns(7, vg, sampleNames())).substr(13),
              "in\tB9 43 40 42 65\tWRITE\t288 VG_TIJD\t2 fc02\t\t37");
}

}  // namespace
}  // namespace veltro::monitor
