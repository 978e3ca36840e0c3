#include "veltro/screens/screen_picture.h"

#include "common/format.h"
#include "veltro/definitions/text_scan.h"

namespace veltro {
namespace {

constexpr int kMaxTildes = 16;
constexpr const char* kNoLineFeed =
    "Geen 'nieuwe regel' karakter aanwezig of meer dan %d karakters in deze regel.";
constexpr const char* kTooManyItems = "Meer dan %d debug items in dit debug venster bestand";
constexpr const char* kFieldTooLong = "Scherm item is langer dan %d karakters";
constexpr std::string_view kTwoDigitsExpected = "Code van twee cijfers verwacht";
constexpr const char* kTooManyTexts =
    "Meer dan %d omschrijvende teksten in dit debug venster bestand";

using scan::isDigit;

// Bytes from 0x80 on belong to texts too, so that UTF-8 words stay whole.
bool isTextCharacter(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u > 0x20 && u < 0x7F && c != '~') || u >= 0x80;
}

// A UTF-8 continuation byte shares the cell of the character it continues.
bool takesCell(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

class RowReader {
  public:
    RowReader(std::string_view line, int row, DebugScreen& screen, Messages& messages)
        : m_line(line), m_row(row), m_screen(screen), m_messages(messages) {}

    bool read() {
        while (m_pos < m_line.size()) {
            const char c = m_line[m_pos];
            if (c == '~') {
                if (!readField()) {
                    return false;
                }
            } else if (isTextCharacter(c)) {
                if (!readText()) {
                    return false;
                }
            } else {
                m_column = c == '\t' ? (m_column / 8 + 1) * 8 : m_column + 1;
                ++m_pos;
            }
        }
        return true;
    }

  private:
    bool fail(const std::string& text) {
        m_messages.message(message_kind::kError, text);
        return false;
    }

    bool readField() {
        if (static_cast<int>(m_screen.items().size()) >= DebugScreen::kItemCapacity) {
            return fail(common::format(kTooManyItems, DebugScreen::kItemCapacity));
        }
        std::size_t tildes = 0;
        while (m_pos + tildes < m_line.size() && m_line[m_pos + tildes] == '~' &&
               tildes < kMaxTildes) {
            ++tildes;
        }
        const std::size_t digits = m_pos + tildes;
        if (digits < m_line.size() && m_line[digits] == '~') {
            return fail(common::format(kFieldTooLong, kMaxTildes));
        }
        if (digits + 1 >= m_line.size() || !isDigit(m_line[digits]) ||
            !isDigit(m_line[digits + 1])) {
            return fail(std::string(kTwoDigitsExpected));
        }
        DebugItem& item = m_screen.addItem();
        item.column = m_column;
        item.row = m_row;
        item.width = static_cast<int>(tildes) + 1;
        item.itemNumber = (m_line[digits] - '0') * 10 + (m_line[digits + 1] - '0');
        m_screen.growExtent(m_column + static_cast<int>(tildes), m_row);
        m_column += static_cast<int>(tildes) + 2;
        m_pos = digits + 2;
        return true;
    }

    bool readText() {
        if (static_cast<int>(m_screen.texts().size()) >= DebugScreen::kTextCapacity) {
            return fail(common::format(kTooManyTexts, DebugScreen::kTextCapacity));
        }
        FixedText text;
        text.column = m_column;
        text.row = m_row;
        while (m_pos < m_line.size() && isTextCharacter(m_line[m_pos])) {
            if (takesCell(m_line[m_pos])) {
                ++m_column;
            }
            text.text.push_back(m_line[m_pos++]);
        }
        m_screen.addText(std::move(text));
        m_screen.growExtent(m_column, m_row);
        return true;
    }

    std::string_view m_line;
    int m_row;
    DebugScreen& m_screen;
    Messages& m_messages;
    std::size_t m_pos = 0;
    int m_column = 0;
};

}  // namespace

bool readScreenPicture(LineReader& reader, DebugScreen& screen, Messages& messages) {
    for (int row = 0; row < kScreenRows; ++row) {
        const std::optional<std::string_view> line = reader.next();
        if (!line) {
            messages.message(
                message_kind::kError,
                common::format(kNoLineFeed, static_cast<int>(LineReader::kMaxLine) + 1));
            return false;
        }
        if (!RowReader(*line, row, screen, messages).read()) {
            return false;
        }
    }
    screen.setExtent(screen.columnExtent() + kPictureMarginColumns,
                     screen.rowExtent() + kPictureMarginRows);
    return true;
}

}  // namespace veltro
