#include "veltro/monitor/frame_text.h"

#include "veltro/link/frame_decoder.h"
#include "veltro/link/function_code.h"
#include "veltro/monitor/time_text.h"

namespace veltro::monitor {
namespace {

// Texts of the monitor window.
constexpr const char* kIn = "in";
constexpr const char* kOut = "uit";
constexpr const char* kCut = "afgebroken frame";
constexpr const char* kStray = "losse bytes";
constexpr const char* kUnframed = "geen frame";

const char* modeText(CommandMode mode) {
    switch (mode) {
        case CommandMode::Stop:
            return "STOP";
        case CommandMode::Write:
            return "WRITE";
        case CommandMode::Continuous:
            return "CONTINUOUS";
        case CommandMode::Read:
            return "READ";
    }
    return "";
}

// Which indexes a function group's frames carry.
bool carriesIndex(int group) {
    return group != 0 && group != 4 && group != 5 && group != 15;
}
bool carriesSecondIndex(int group) {
    return group == 4 || group == 5 || group == 6 || group == 7 || group == 11 || group == 12;
}

const char* kindText(FrameKind kind) {
    switch (kind) {
        case FrameKind::Cut:
            return kCut;
        case FrameKind::Stray:
            return kStray;
        case FrameKind::Unframed:
            return kUnframed;
        case FrameKind::Frame:
            break;
    }
    return "";
}

}  // namespace

const std::array<FrameColumn, kFrameColumnCount>& frameColumns() {
    static constexpr std::array<FrameColumn, kFrameColumnCount> kColumns{{
        {"Tijd", 12},     // 08:15:03.123
        {"Richting", 5},  // in, uit
        {"Bytes", 21},    // a frame of seven bytes
        {"Modus", 11},    // CONTINUOUS, losse bytes
        {"Functie", 18},  // 331 inst_MG_TIJD1
        {"Index", 10},
        {"Tweede index", 10},
        {"Waarde", 0},
    }};
    return kColumns;
}

std::array<const std::string*, kFrameColumnCount> columnFields(const FrameColumns& c) {
    return {&c.time,     &c.direction, &c.bytes,       &c.mode,
            &c.function, &c.index,     &c.secondIndex, &c.value};
}

std::string hexText(std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 3);
    for (std::uint8_t b : bytes) {
        if (!text.empty())
            text += ' ';
        text += kDigits[b >> 4];
        text += kDigits[b & 0x0F];
    }
    return text;
}

FrameColumns describeFrame(const FrameEntry& entry, const FrameNames& names, int offsetMinutes) {
    FrameColumns c;
    c.time = clockText(entry.timeMs, offsetMinutes);
    c.direction = entry.direction == FrameDirection::In ? kIn : kOut;
    c.bytes = hexText(entry.data());
    if (entry.kind != FrameKind::Frame) {
        c.mode = kindText(entry.kind);
        return c;
    }
    link::DecodedFrame frame = link::extractFrame(entry.data());
    ControllerRecord& r = frame.record;
    const int group = link::functionGroup(r.functionCode);
    // The debugger sends group 0 as group 13 is sent (a 12-bit index, the
    // value in the index byte), unlike the controller's group 0 frames.
    const bool sentGroup0 = group == 0 && entry.direction == FrameDirection::Out;
    if (sentGroup0) {
        FrameEntry asSent = entry;
        asSent.bytes[0] = static_cast<std::uint8_t>((asSent.bytes[0] & 0xF0) | 13);
        const link::DecodedFrame asGroup13 = link::extractFrame(asSent.data());
        r.index = asGroup13.record.index;
        r.value = frame.mode == CommandMode::Write ? asGroup13.record.value : 0;
    }
    c.mode = modeText(frame.mode);
    c.function = std::to_string(r.functionCode);
    if (const std::string& macro = names.macroName(r.functionCode); !macro.empty())
        c.function += " " + macro;
    if (carriesIndex(group) || sentGroup0)
        c.index = names.indexText(r.functionCode, false, r.index);
    if (carriesSecondIndex(group))
        c.secondIndex = names.indexText(r.functionCode, true, r.secondIndex);
    if (frame.mode == CommandMode::Write)
        c.value = std::to_string(r.value);
    return c;
}

std::string frameLine(const FrameColumns& c) {
    std::string line;
    for (const std::string* field : columnFields(c)) {
        if (!line.empty())
            line += '\t';
        line += *field;
    }
    return line;
}

}  // namespace veltro::monitor
