#include "rendall/definition_reader.h"

#include <algorithm>
#include <limits>
#include <unordered_map>

#include "rendall/text_util.h"

namespace rendall {
namespace {

constexpr std::array<SectionInfo, kSectionCount> kSectionInfos = {{
    {"blokken", "NUMBK"},
    {"signaalgroepen", "NUMSG"},
    {"detectoren", "NUMD"},
    {"tijden", "NUMT"},
    {"hulpfuncties", "NUMHF"},
    {"klokken", "NUMKL"},
    {"schakelaars", "NUMSCH"},
    {"tellers", "NUMTL"},
    {"extra parameters", "NUMEP"},
    {"extra geheel getal parameters", "NUMEGGP"},
}};

// Removes the comment behind every #define, whichever kind starts first. A
// block comment that closes on a later line takes the lines up to its end
// with it, so its remainder joins the #define line.
std::string stripDefineComments(std::string_view in) {
    std::string out;
    out.reserve(in.size());
    std::size_t copied = 0;
    std::size_t search = 0;
    std::size_t close = 0;
    for (;;) {
        const std::size_t def = in.find("#define ", search);
        if (def == kNpos)
            break;
        const std::size_t eol = lineEnd(in, def);
        const std::string_view rest = in.substr(def, eol - def);
        const std::size_t slashes = rest.find("//");
        const std::size_t open = rest.find("/*");
        if (slashes == kNpos && open == kNpos) {
            search = eol;
            continue;
        }
        if (slashes < open) {
            out.append(in.substr(copied, def + slashes - copied));
            copied = search = eol;
            continue;
        }
        const std::size_t start = def + open;
        // Remembered between definitions, so that a header full of unclosed
        // comments is not searched to its end again for each of them.
        if (close != kNpos && close < start + 2)
            close = in.find("*/", start + 2);
        out.append(in.substr(copied, start - copied));
        copied = search = (close == kNpos || close < eol) ? eol : close + 2;
    }
    out.append(in.substr(copied));
    return out;
}

std::string withoutBlanks(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c != ' ')
            out.push_back(c);
    }
    return out;
}

std::int32_t clampTo32(std::int64_t value) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()));
}

// What is known of the earlier definitions of one name.
struct NameInfo {
    std::int32_t firstValue = 0;
    std::int32_t lastValue = 0;
    std::int64_t sum = 0;
    bool allSame = true;
};

// A line that goes on to the section marking: a comment line, or an active
// #define with its position in the definitions list.
struct KeptLine {
    std::string_view text;
    int definition = -1;
};

class Reader {
  public:
    explicit Reader(Definitions& out) : m_out(out) {}

    Error run(std::string_view prepared) {
        m_out = Definitions{};
        const std::string text = stripDefineComments(prepared);
        readLines(text);
        if (!m_fatal.ok())
            return m_fatal;
        markSections();
        if (!m_recorded.ok())
            return m_recorded;
        return check();
    }

  private:
    void readLines(std::string_view text) {
        bool inBlockComment = false;
        std::size_t pos = 0;
        while (pos < text.size() && m_fatal.ok()) {
            const std::size_t eol = lineEnd(text, pos);
            const std::string_view line = text.substr(pos, eol - pos);
            pos = eol + 1;
            const bool close = contains(line, "*/");
            bool comment = true;
            if (inBlockComment) {
                inBlockComment = !close;
            } else if (contains(line, "//")) {
                // a line comment
            } else if (contains(line, "/*")) {
                inBlockComment = !close;
            } else {
                comment = false;
            }
            if (comment) {
                m_kept.push_back({line, -1});
            } else {
                readCodeLine(line);
            }
        }
    }

    void readCodeLine(std::string_view line) {
        if (const std::size_t at = line.find("#ifdef"); at != kNpos) {
            openLevel(isDefined(conditionName(line, at + 6)));
        } else if (const std::size_t at2 = line.find("#ifndef"); at2 != kNpos) {
            openLevel(!isDefined(conditionName(line, at2 + 7)));
        } else if (contains(line, "#else")) {
            if (!m_levels.empty()) {
                m_inactiveLevels += m_levels.back() ? 1 : -1;
                m_levels.back() = !m_levels.back();
            }
        } else if (contains(line, "#endif")) {
            if (!m_levels.empty()) {
                if (!m_levels.back())
                    --m_inactiveLevels;
                m_levels.pop_back();
            }
        } else if (m_inactiveLevels == 0 && contains(line, "#define ")) {
            readDefine(line);
        }
    }

    // The name behind the directive and one blank, to the end of the line.
    static std::string_view conditionName(std::string_view line, std::size_t afterDirective) {
        return line.substr(std::min(line.size(), afterDirective + 1));
    }

    bool isDefined(std::string_view name) const { return m_names.count(std::string(name)) != 0; }

    void openLevel(bool active) {
        m_levels.push_back(active);
        if (!active)
            ++m_inactiveLevels;
    }

    void readDefine(std::string_view line) {
        const std::size_t first = line.find(' ');
        const std::size_t second = line.find(' ', first + 1);
        std::string_view name = line.substr(first + 1);
        std::string_view valueText;
        if (second != kNpos) {
            name = line.substr(first + 1, second - first - 1);
            valueText = line.substr(second + 1, kMaxValueText);
        }
        if (name.size() > kMaxNameLength) {
            m_fatal = makeError(kNameTooLong, name);
            return;
        }
        if (m_out.list.size() == kMaxDefinitions) {
            m_fatal = makeError(kTooManyDefinitions);
            return;
        }
        const std::int32_t value = valueOf(line, valueText);
        std::string key(name);
        auto it = m_names.find(key);
        if (it == m_names.end()) {
            m_names.emplace(key, NameInfo{value, value, value, true});
        } else {
            NameInfo& info = it->second;
            if (!info.allSame || info.firstValue != value) {
                m_recorded = makeError(kConflictingValues, name);
                info.allSame = false;
            }
            info.lastValue = value;
            info.sum += value;
        }
        m_kept.push_back({line, static_cast<int>(m_out.list.size())});
        m_out.list.push_back({std::move(key), value});
    }

    std::int32_t valueOf(std::string_view line, std::string_view valueText) {
        const std::int32_t number = leadingNumber(valueText);
        if (valueText.find_first_not_of("0123456789") == kNpos)
            return number;
        if (valueText.find_first_of("-*/") != kNpos) {
            m_recorded = makeError(kExpressionInDefine, line);
            return number;
        }
        const std::string compact = withoutBlanks(valueText);
        if (contains(compact, "+")) {
            std::int64_t sum = number;
            std::size_t pos = 0;
            while (pos <= compact.size()) {
                std::size_t plus = compact.find('+', pos);
                if (plus == kNpos)
                    plus = compact.size();
                auto it = m_names.find(compact.substr(pos, plus - pos));
                if (it != m_names.end())
                    sum += it->second.sum;
                pos = plus + 1;
            }
            return clampTo32(sum);
        }
        auto it = m_names.find(compact);
        return it == m_names.end() ? number : it->second.lastValue;
    }

    void markSections() {
        int definitionsSoFar = 0;
        for (const KeptLine& line : m_kept) {
            if (line.definition >= 0) {
                definitionsSoFar = line.definition + 1;
                markCountDefinition(line.definition);
                continue;
            }
            if (!contains(line.text, "//") && !contains(line.text, "/*"))
                continue;
            for (int s = 0; s < kSectionCount; ++s) {
                if (!contains(line.text, kSectionInfos[s].keyword))
                    continue;
                Section& section = m_out.sections[s];
                if (section.state != SectionState::NotSeen) {
                    m_recorded = makeError(kKeywordTwice, kSectionInfos[s].keyword);
                } else {
                    section.state = SectionState::Seen;
                    section.first = definitionsSoFar;
                }
            }
        }
    }

    void markCountDefinition(int position) {
        const Definition& def = m_out.list[position];
        for (int s = 0; s < kSectionCount; ++s) {
            if (def.name != kSectionInfos[s].countName)
                continue;
            Section& section = m_out.sections[s];
            if (section.state == SectionState::NotSeen) {
                m_recorded = makeError(kKeywordMissing, kSectionInfos[s].keyword);
            } else {
                section.state = SectionState::Complete;
                section.last = position - 1;
                section.count = def.value;
            }
        }
    }

    Error check() {
        Error error = checkLimitedCounts();
        if (error.ok())
            error = applyNumov();
        if (!error.ok())
            return error;
        startUnmarkedSectionsBehindNumsg();
        return checkValues();
    }

    Error checkLimitedCounts() const {
        const std::pair<int, std::int32_t> limited[] = {{kBlocks, 10}, {kSignalGroups, 64}};
        for (const auto& [s, limit] : limited) {
            const std::string_view countName = kSectionInfos[s].countName;
            const Section& section = m_out.sections[s];
            if (section.state != SectionState::Complete)
                return makeError(kDefinitionMissing, countName);
            if (*section.count > limit)
                return makeError(kCountTooLarge, countName);
        }
        return {};
    }

    // Sections without a count of their own end before NUMOV and count its value.
    Error applyNumov() {
        if (!isDefined("NUMOV"))
            return makeError(kDefinitionMissing, "NUMOV");
        auto& sections = m_out.sections;
        const auto& list = m_out.list;
        for (int i = 0; i < static_cast<int>(list.size()); ++i) {
            if (list[i].name != "NUMOV")
                continue;
            for (int s = kDetectors; s < kSectionCount; ++s) {
                if (sections[s].count)
                    continue;
                sections[s].count = list[i].value;
                sections[s].last = i - 1;
            }
            if (*sections[kDetectors].count > list[i].value)
                return makeError(kGreaterThanNumov, "NUMD");
        }
        return {};
    }

    // Older headers lack some sections: their ranges start behind NUMSG.
    // Sections that the header does mark keep their own start, also when
    // NUMSG is larger than the number of definitions before them.
    void startUnmarkedSectionsBehindNumsg() {
        auto& sections = m_out.sections;
        const auto& list = m_out.list;
        for (int i = 0; i < static_cast<int>(list.size()); ++i) {
            if (list[i].name != "NUMSG")
                continue;
            for (int s = kDetectors; s < kSectionCount; ++s) {
                if (sections[s].state != SectionState::NotSeen ||
                    sections[s].first >= list[i].value) {
                    continue;
                }
                sections[s].first = s == kExtraIntegerParameters ? sections[s].last + 1 : i + 1;
            }
        }
    }

    Error checkValues() const {
        const auto& sections = m_out.sections;
        const auto& list = m_out.list;
        for (int s = 0; s < kSectionCount; ++s) {
            if (sections[s].state == SectionState::NotSeen &&
                isDefined(kSectionInfos[s].countName)) {
                return makeError(kKeywordMissing, kSectionInfos[s].keyword);
            }
        }
        for (int s = 0; s < kSectionCount; ++s) {
            if (!sections[s].count)
                continue;
            const int from = std::max(sections[s].first, 0);
            const int to = std::min(sections[s].last, static_cast<int>(list.size()) - 1);
            for (int i = from; i <= to; ++i) {
                if (list[i].value > *sections[s].count)
                    return makeError(kSymbolValueTooLarge, list[i].name);
            }
        }
        return {};
    }

    Definitions& m_out;
    std::vector<KeptLine> m_kept;
    std::unordered_map<std::string, NameInfo> m_names;
    std::vector<bool> m_levels;
    int m_inactiveLevels = 0;
    Error m_recorded;
    Error m_fatal;
};

}  // namespace

const std::array<SectionInfo, kSectionCount>& sectionInfos() {
    return kSectionInfos;
}

Error readDefinitions(std::string_view preparedText, Definitions& out) {
    return Reader(out).run(preparedText);
}

}  // namespace rendall
