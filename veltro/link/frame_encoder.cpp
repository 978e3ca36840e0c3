#include "veltro/link/frame_encoder.h"

#include "veltro/link/frame_bits.h"

namespace veltro::link {

namespace {

std::uint8_t six(std::uint32_t v, int shift) {
    return static_cast<std::uint8_t>(kDataBit | ((v >> shift) & 0x3F));
}

void encodeGeneral(EncodedFrame& f, const ControllerRecord& r, CommandMode mode) {
    const bool hasIndex = r.index != -1;
    const bool hasSecond = (r.secondIndex & 0xFF) != 255;
    const int n = mode == CommandMode::Write ? valueGroupCount(r.value) : 0;
    const bool longFrame = n > 0 || (hasIndex && hasSecond);

    std::uint8_t indexByte = kDataBit | static_cast<std::uint8_t>(functionNumber(r.functionCode));
    if (n == 0 && r.value == 1)
        indexByte |= kValueBit;

    // A value behind an index byte without any index would leave a hole where
    // the decoder expects the index (it reads the value from byte 4); a zero
    // index fills it so that the frame is complete and decodes to the value.
    const bool filler = longFrame && n > 0 && !hasIndex && !hasSecond;
    if (longFrame) {
        f[0] |= kCountBit;
        const int count = 2 + (hasIndex && hasSecond ? 1 : 0) + n;
        f.push(static_cast<std::uint8_t>(kDataBit | count));
    }
    f.push(indexByte);
    if (hasIndex)
        f.push(six(static_cast<std::uint32_t>(r.index), 0));
    if (hasSecond)
        f.push(six(static_cast<std::uint32_t>(r.secondIndex), 0));
    if (filler)
        f.push(kDataBit);
    const auto value = static_cast<std::uint32_t>(r.value);
    for (int g = n - 1; g >= 0; --g)
        f.push(six(value, 6 * g));
}

}  // namespace

int valueGroupCount(std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    if (v <= 1)
        return 0;
    if (v <= 63)
        return 1;
    if (v <= 4095)
        return 2;
    if (v <= 262143)
        return 3;
    if (v <= 16777215)
        return 4;
    if (v <= 1073741823)
        return 5;
    return 6;
}

EncodedFrame encodeFrame(const ControllerRecord& r, CommandMode mode) {
    EncodedFrame f;
    const int group = functionGroup(r.functionCode);
    f.push(static_cast<std::uint8_t>(kHeaderBit | static_cast<std::uint8_t>(mode) | group));
    const auto index = static_cast<std::uint32_t>(r.index);
    const auto value = static_cast<std::uint32_t>(r.value);
    const auto fn = static_cast<std::uint8_t>(functionNumber(r.functionCode));
    switch (group) {
        case 15:
            f[0] |= kCountBit;
            f.push(0x45);
            f.push(kDataBit | fn);
            for (int shift : {18, 12, 6, 0})
                f.push(six(value, shift));
            break;
        case 0:
        case 13:
            f[0] |= kCountBit;
            f.push(0x43);
            f.push(static_cast<std::uint8_t>(kDataBit | (r.value != 0 ? kValueBit : 0) |
                                             (group == 13 ? fn : 0)));
            f.push(six(index, 6));
            f.push(six(index, 0));
            break;
        case 14:
            f[0] |= kCountBit;
            f.push(0x45);
            f.push(kDataBit | fn);
            f.push(six(index, 6));
            f.push(six(index, 0));
            f.push(six(value, 6));
            f.push(six(value, 0));
            break;
        case 1:
            f[0] |= kCountBit;
            f.push(0x47);
            f.push(kDataBit | fn);
            f.push(six(index, 10));
            f.push(six(index, 4));
            f.push(static_cast<std::uint8_t>(kDataBit | (index & 0x0F)));
            f.push(six(value, 10));
            f.push(six(value, 4));
            f.push(static_cast<std::uint8_t>(kDataBit | (value & 0x0F)));
            break;
        default:
            encodeGeneral(f, r, mode);
            break;
    }
    return f;
}

}  // namespace veltro::link
