#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "veltro/link/frame_decoder.h"
#include "veltro/link/frame_encoder.h"

namespace veltro::link {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Decoded {
    CommandMode mode;
    ControllerRecord record;
};

std::vector<Decoded> decodeAll(const Bytes& bytes) {
    std::vector<Decoded> out;
    FrameDecoder decoder([&out](const DecodedFrame& f) { out.push_back({f.mode, f.record}); });
    decoder.feed(bytes);
    return out;
}

Bytes encode(const ControllerRecord& r, CommandMode mode) {
    const auto f = encodeFrame(r, mode);
    return {f.bytes().begin(), f.bytes().end()};
}

ControllerRecord rec(int code, int index, int second, int value) {
    return {code, index, second, 0, value};
}

TEST(FrameDecoder, DecodesTheReceivedExamples) {
    struct Case {
        const char* name;
        Bytes bytes;
        CommandMode mode;
        ControllerRecord expected;
    };
    const Case cases[] = {
        {"short frame, value in bit 5", {0xA2, 0x65, 0x5F}, CommandMode::Write, rec(69, 31, 0, 1)},
        {"long frame, two value groups",
         {0xB2, 0x44, 0x45, 0x43, 0x41, 0x64},
         CommandMode::Write,
         rec(69, 3, 0, 100)},
        {"group 15, 24-bit value",
         {0xBF, 0x45, 0x41, 0x43, 0x74, 0x48, 0x7F},
         CommandMode::Write,
         rec(481, 0, 0, 999999)},
        {"READ carries no value",
         {0xF2, 0x44, 0x45, 0x43, 0x41, 0x64},
         CommandMode::Read,
         rec(69, 3, 0, 0)},
        {"group 4: second index only", {0xA4, 0x40, 0x47}, CommandMode::Write, rec(128, 0, 7, 0)},
        {"group 6: both indexes, value from byte 5",
         {0xB6, 0x44, 0x43, 0x42, 0x43, 0x4A},
         CommandMode::Write,
         rec(195, 2, 3, 10)},
        {"group 1: 16-bit index and value",
         {0xB1, 0x47, 0x42, 0x41, 0x42, 0x43, 0x7F, 0x7F, 0x4F},
         CommandMode::Write,
         rec(34, (1 << 10) | (2 << 4) | 3, 0, 0xFFFF)},
        {"group 13: value in the index byte",
         {0xBD, 0x43, 0x63, 0x41, 0x42},
         CommandMode::Write,
         rec(419, 66, 0, 1)},
        {"group 14: 12-bit index and value",
         {0xBE, 0x45, 0x44, 0x41, 0x40, 0x7F, 0x7F},
         CommandMode::Write,
         rec(452, 64, 0, 4095)},
        {"count 0 is taken as 1", {0xB2, 0x40, 0x65}, CommandMode::Write, rec(69, 0, 0, 1)},
    };
    for (const auto& c : cases) {
        const auto out = decodeAll(c.bytes);
        ASSERT_EQ(out.size(), 1u) << c.name;
        EXPECT_EQ(out[0].mode, c.mode) << c.name;
        EXPECT_EQ(out[0].record, c.expected) << c.name;
    }
}

TEST(FrameDecoder, DropsMalformedFramesAndResynchronises) {
    struct Case {
        const char* name;
        Bytes bytes;
        std::size_t frames;
    };
    const Case cases[] = {
        // 0x85 lacks bit 6: drops the frame and is not a header itself.
        {"bit 6 clear inside a frame", {0xA2, 0x65, 0x85, 0x5F, 0xA2, 0x65, 0x5F}, 1},
        {"count byte without bit 6", {0xB2, 0x04, 0x45, 0xA2, 0x65, 0x5F}, 1},
        {"noise before a header", {0x01, 0x3F, 0x7F, 0xA2, 0x65, 0x5F}, 1},
        // 0xC0..0xFF inside a frame are data bytes, not a new header.
        {"0xE2 inside a frame is data", {0xA2, 0x65, 0xE2, 0x45, 0x43}, 1},
        {"frame split is completed by what follows", {0xA2, 0x65}, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(decodeAll(c.bytes).size(), c.frames) << c.name;
    }
    // The last frame of the 0xE2 case: index byte 0x65, next byte 0xE2 -> index 34.
    EXPECT_EQ(decodeAll({0xA2, 0x65, 0xE2, 0x45, 0x43})[0].record, rec(69, 34, 0, 1));

    FrameDecoder decoder([](const DecodedFrame&) {});
    decoder.feed(Bytes{0xA2, 0x65, 0x85});
    EXPECT_EQ(decoder.droppedFrames(), 1u);
}

// The highest count, 63, makes the longest frame the decoder holds: 65 bytes.
// Its value is the low 32 bits of the six-bit groups from byte 4 on; a count
// of 0 is taken as 1.
TEST(FrameDecoder, TheLongestAndTheShortestCount) {
    Bytes longest = {0xB2, 0x7F, 0x45, 0x43};
    longest.resize(FrameDecoder::kMaxFrame, 0x40);
    longest.back() = 0x7F;                              // the last six bits
    longest.insert(longest.end(), {0xA2, 0x65, 0x5F});  // and the next frame is whole
    const auto out = decodeAll(longest);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].record, rec(69, 3, 0, 63));
    EXPECT_EQ(out[1].record, rec(69, 31, 0, 1));

    // Count 0: one data byte, the frame is 4 bytes long at least.
    const auto zero = decodeAll({0xB2, 0x40, 0x65, 0xA2, 0x65, 0x5F});
    ASSERT_EQ(zero.size(), 2u);
    EXPECT_EQ(zero[0].record, rec(69, 0, 0, 1));
}

TEST(FrameDecoder, FixedGroupsOfAShortFrameReadMissingBytesAsZero) {
    // A group 15 short frame: bytes 3 to 6 were never received, and bytes of an
    // earlier, longer frame must not show through.
    const auto out = decodeAll({0xBF, 0x45, 0x41, 0x7F, 0x7F, 0x7F, 0x7F, 0xAF, 0x41, 0x41});
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[1].record, rec(481, 0, 0, 0));
}

TEST(FrameEncoder, BuildsTheDocumentedFrames) {
    struct Case {
        const char* name;
        ControllerRecord record;
        CommandMode mode;
        Bytes expected;
    };
    const Case cases[] = {
        {"READ, short", rec(69, 3, -1, 0), CommandMode::Read, {0xE2, 0x45, 0x43}},
        {"WRITE 100, long count 4",
         rec(69, 3, -1, 100),
         CommandMode::Write,
         {0xB2, 0x44, 0x45, 0x43, 0x41, 0x64}},
        {"WRITE 1 with both indexes",
         rec(6 * 32 + 9, 2, 3, 1),
         CommandMode::Write,
         {0xB6, 0x43, 0x69, 0x42, 0x43}},
        {"WRITE 999999 to code 481",
         rec(481, -1, -1, 999999),
         CommandMode::Write,
         {0xBF, 0x45, 0x41, 0x43, 0x74, 0x48, 0x7F}},
        {"group 0 has no function number",
         rec(0, 70, -1, 1),
         CommandMode::Write,
         {0xB0, 0x43, 0x60, 0x41, 0x46}},
        {"STOP keeps the value out", rec(69, 3, -1, 100), CommandMode::Stop, {0x82, 0x45, 0x43}},
        {"no index at all: two bytes", rec(69, -1, -1, 0), CommandMode::Continuous, {0xC2, 0x45}},
        // Without indexes a zero index fills the byte where the decoder expects it.
        {"value without indexes",
         rec(69, -1, -1, 5),
         CommandMode::Write,
         {0xB2, 0x43, 0x45, 0x40, 0x45}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(encode(c.record, c.mode), c.expected) << c.name;
}

TEST(FrameCodec, WriteRoundTripGivesBackWhatWasSent) {
    // Per group, records as the group carries them (absent fields as the
    // decoder reports them: 0).
    const ControllerRecord records[] = {
        rec(34, 65535, 0, 65535),   rec(34, 1000, 0, 0),     rec(69, 3, 0, 100),
        rec(69, 63, 0, 1),          rec(69, 0, 0, 0),        rec(100, 7, 0, 262143),
        rec(130, 0, 5, 16777215),   rec(195, 2, 3, 1),       rec(195, 63, 63, 1073741823),
        rec(233, 1, 2, 1073741824), rec(300, 10, 0, -1),     rec(330, 12, 0, -123456),
        rec(419, 4095, 0, 1),       rec(452, 4095, 0, 4095), rec(481, 0, 0, 16777215),
        rec(69, 0, 0, 5),
    };
    for (const auto& r : records) {
        ControllerRecord sent = r;
        const int group = r.functionCode >> 5;
        if (group == 4 || group == 5)
            sent.index = -1;
        if (group >= 2 && group <= 12 && group != 6 && group != 7 && group != 11 && group != 12 &&
            group != 4 && group != 5)
            sent.secondIndex = -1;
        const auto out = decodeAll(encode(sent, CommandMode::Write));
        ASSERT_EQ(out.size(), 1u) << r.functionCode;
        EXPECT_EQ(out[0].mode, CommandMode::Write);
        EXPECT_EQ(out[0].record, r) << "code " << r.functionCode << " value " << r.value;
    }
}

TEST(FrameEncoder, ValueGroupBoundaries) {
    const std::pair<std::int32_t, int> cases[] = {
        {0, 0},        {1, 0},          {2, 1},          {63, 1},     {64, 2},
        {4095, 2},     {4096, 3},       {262143, 3},     {262144, 4}, {16777215, 4},
        {16777216, 5}, {1073741823, 5}, {1073741824, 6}, {-1, 6},
    };
    for (auto [value, groups] : cases)
        EXPECT_EQ(valueGroupCount(value), groups) << value;
}

}  // namespace
}  // namespace veltro::link
