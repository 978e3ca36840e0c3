#include "pendrel/generator/file_naming.h"

#include <cctype>

#include "common/format.h"
#include "common/ignore_case.h"

namespace pendrel {
namespace {

constexpr std::size_t kMaxNameLength = 80;

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// "_NNN." at `pos` of `name`.
bool hasNumberPart(std::string_view name, std::size_t pos) {
    return name.size() > pos + 4 && name[pos] == '_' && isDigit(name[pos + 1]) &&
           isDigit(name[pos + 2]) && isDigit(name[pos + 3]) && name[pos + 4] == '.';
}

}  // namespace

std::string firstFileName(NamingScheme scheme, int startNumber, std::string_view extension,
                          std::string_view name) {
    std::string out;
    switch (scheme) {
        case NamingScheme::Plo:
            out = common::format("debug_%3.3d.plo", startNumber);
            break;
        case NamingScheme::Extension:
            out = common::format("debug_%3.3d.%s", startNumber, std::string(extension).c_str());
            break;
        case NamingScheme::Name:
            out = common::format("%s_%3.3d.dbg", std::string(name).c_str(), startNumber);
            break;
    }
    if (out.size() > kMaxNameLength) {
        out.resize(kMaxNameLength);
    }
    return out;
}

std::optional<std::string> advanceFileName(std::string_view name) {
    std::string next(name);
    std::size_t end = next.find('.');
    if (end == std::string::npos) {
        end = next.size();
    }
    if (end <= 3 || !isDigit(next[end - 1])) {
        return std::nullopt;
    }
    for (std::size_t i = end; i > end - 3; --i) {
        char& c = next[i - 1];
        if (!isDigit(c)) {
            return std::nullopt;
        }
        if (c != '9') {
            ++c;
            return next;
        }
        c = '0';
    }
    return std::nullopt;  // 999 cannot be advanced
}

bool isValidDebugFileName(std::string_view name) {
    if (name.find_first_of("/\\") != std::string_view::npos ||
        name.find('\0') != std::string_view::npos) {
        return false;
    }
    if (name.size() >= 10 && name.size() <= 13 &&
        common::equalsIgnoreCase(name.substr(0, 5), "debug") && hasNumberPart(name, 5)) {
        return true;
    }
    return name.size() == 13 && hasNumberPart(name, 5) &&
           common::equalsIgnoreCase(name.substr(10), "dbg");
}

FileNameChooser::FileNameChooser(std::string firstName, Prompts& prompts, Exists exists)
    : m_name(std::move(firstName)), m_prompts(prompts), m_exists(std::move(exists)) {}

bool FileNameChooser::settleFormat() {
    while (!isValidDebugFileName(m_name)) {
        std::optional<std::string> typed = m_prompts.askText(
            "Verkeerde filenaam",
            "Opgegeven naam voldoet niet aan het formaat  DEBUG_???.*   of   ?????_???.DBG",
            "Geef de juiste naam:");
        if (!typed) {
            return false;
        }
        m_name = typed->substr(0, kMaxNameLength);
    }
    return true;
}

FileNameChooser::Outcome FileNameChooser::next() {
    if (!m_first) {
        std::optional<std::string> advanced = advanceFileName(m_name);
        if (!advanced) {
            return Outcome::NoFreeName;
        }
        m_name = *advanced;
    }
    m_first = false;
    for (;;) {
        if (!settleFormat()) {
            return Outcome::Cancelled;
        }
        if (!m_exists(m_name) || m_overwriteAll) {
            return Outcome::Chosen;
        }
        std::string question = common::format(
            "%s bestaat al. Overschrijven/Volgend nummer/Nieuwe naam?", m_name.c_str());
        switch (m_prompts.askExistingFile(question)) {
            case Prompts::ExistingFile::Overwrite:
                return Outcome::Chosen;
            case Prompts::ExistingFile::OverwriteAll:
                m_overwriteAll = true;
                return Outcome::Chosen;
            case Prompts::ExistingFile::NextNumber: {
                std::optional<std::string> advanced = advanceFileName(m_name);
                if (!advanced) {
                    return Outcome::NoFreeName;
                }
                m_name = *advanced;
                break;
            }
            case Prompts::ExistingFile::NewName: {
                std::optional<std::string> typed = m_prompts.askText(
                    "Nieuwe naam voor debugfile",
                    "De naam moet voldoen aan het formaat  DEBUG_???.*   of   ?????_???.DBG",
                    "Geef de nieuwe naam:");
                if (!typed) {
                    return Outcome::Cancelled;
                }
                m_name = typed->substr(0, kMaxNameLength);
                break;
            }
            case Prompts::ExistingFile::Cancel:
                return Outcome::Cancelled;
        }
    }
}

}  // namespace pendrel
