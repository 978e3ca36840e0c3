#include "veltro/session/message_log.h"

#include <limits>

#include "common/format.h"

namespace veltro {
namespace {

constexpr std::string_view kRefusedText =
    "De laatste mededeling kon niet worden toegevoegd aan het mededelingen venster";
constexpr std::string_view kRefusedCaption = "DEBUG MESSAGE";
constexpr std::string_view kUnknownKindLine = "SYSTEM: Unknow message type";

// Prefix of each listed kind; nothing for an unlisted one.
const char* kindPrefix(int kind) {
    switch (kind) {
        case message_kind::kInformation:
            return "";
        case message_kind::kWarning:
            return "waarschuwing : ";
        case message_kind::kError:
            return "fout : ";
        case message_kind::kSystem:
            return "systeem melding : ";
        case message_kind::kDebug:
            return "DEBUG MELDING : ";
        default:
            return nullptr;
    }
}

void appendBelow(std::string& line, std::string_view text, std::size_t limit) {
    if (!text.empty() && line.size() + text.size() < limit) {
        line.append(text);
    }
}

}  // namespace

std::string MessageLog::compose(int kind, std::string_view a, std::string_view b,
                                std::string_view c) const {
    std::string line;
    appendBelow(line, m_context, kPrefixLimit);
    appendBelow(line, m_linePrefix, kPrefixLimit);
    const char* prefix = kindPrefix(kind);
    if (prefix == nullptr) {
        line = kUnknownKindLine;
    } else {
        line.append(prefix);
    }
    appendBelow(line, a, kLineLimit);
    appendBelow(line, b, kLineLimit);
    appendBelow(line, c, kLineLimit);
    return line;
}

void MessageLog::message(int kind, std::string_view a, std::string_view b, std::string_view c) {
    if (!m_lines.addLine(compose(kind, a, b, c))) {
        m_prompts.messageBox(kRefusedCaption, kRefusedText, PromptIcon::None);
    }
}

void MessageLog::setContextPrefix(std::string_view name) {
    if (name.empty()) {
        m_context.clear();
        return;
    }
    m_context.assign(name.substr(0, kContextNameLimit));
    m_context.append(" : ");
}

void MessageLog::setLinePrefix(int number) {
    long long n = number;
    if (n < 0) {
        n = static_cast<long long>(m_lineNumber) - n;
    }
    if (n > 0 && n <= std::numeric_limits<int>::max()) {
        m_lineNumber = static_cast<int>(n);
        m_linePrefix = common::format("(%d) : ", m_lineNumber);
    } else {
        m_lineNumber = 0;
        m_linePrefix.clear();
    }
}

}  // namespace veltro
