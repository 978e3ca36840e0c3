#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace pendrel {

// Field capacities of the screen records (characters, without the NUL).
inline constexpr std::size_t kMaxTitleLength = 79;
inline constexpr std::size_t kMaxMarkerLength = 14;
inline constexpr std::size_t kMaxMacroLength = 19;
inline constexpr std::size_t kMaxElement1Length = 19;
inline constexpr std::size_t kMaxElement2Length = 20;
inline constexpr std::size_t kMaxLabelLength = 79;
inline constexpr std::size_t kMaxTextLength = 79;
inline constexpr int kInitialLabelDistance = 25;

// `text` cut to at most `maximum` bytes, never inside a UTF-8 character.
// Bytes that are no UTF-8 are cut at `maximum`: stepping back over them could
// empty the field, and an empty title or text does not read back.
inline std::string fitToField(std::string text, std::size_t maximum) {
    if (text.size() <= maximum) {
        return text;
    }
    const auto continues = [&text](std::size_t at) {
        return (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80;
    };
    std::size_t end = maximum;
    // A UTF-8 character has at most three bytes after its first.
    for (int back = 0; back < 3 && end > 0 && continues(end); ++back) {
        --end;
    }
    if (continues(end)) {
        end = maximum;
    }
    text.resize(end);
    return text;
}

// One value field of a user screen; positions are 1-based character cells.
struct ItemRecord {
    int rank = 0;
    int markerColumn = 0;
    int markerRow = 0;
    int labelColumn = 0;
    int labelRow = 0;
    int labelDistance = kInitialLabelDistance;
    std::string marker;
    std::string macro;
    std::string element1;
    std::string element2;
    std::string label;

    bool operator==(const ItemRecord&) const = default;
};

// One explanatory text of a user screen.
struct TextRecord {
    std::string text;
    int column = 0;
    int row = 0;
    int width = 0;

    bool operator==(const TextRecord&) const = default;
};

// A user screen. Once it was opened in the editor, text 0 is its title as
// placed on the screen.
struct ScreenRecord {
    std::string title;
    std::vector<ItemRecord> items;
    std::vector<TextRecord> texts;

    bool operator==(const ScreenRecord&) const = default;
};

using ScreenList = std::vector<ScreenRecord>;

}  // namespace pendrel
