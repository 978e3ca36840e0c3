#include "pendrel/project/header_reader.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "common/format.h"
#include "pendrel/project/source_text.h"

namespace pendrel {
namespace {

bool isDefineLine(std::string_view line) {
    return line.find("#define") != std::string_view::npos ||
           line.find("#DEFINE") != std::string_view::npos;
}

struct ListSpec {
    std::string_view commentWord;
    std::string_view endName;
    std::vector<std::string> ProjectData::*list;
    std::size_t maximum;
};

constexpr ListSpec kLists[] = {
    {"hulpfuncties", "NUMHF", &ProjectData::auxiliaryFunctions, kMaxListNames},
    {"tellers", "NUMTL", &ProjectData::counters, kMaxListNames},
    {"overige ingangssignalen", "NUM_OVI", &ProjectData::otherInputs, kMaxOtherSignals},
    {"overige uitgangssignalen", "NUM_OVU", &ProjectData::otherOutputs, kMaxOtherSignals},
};

bool containsName(const std::vector<std::string>& list, std::string_view name) {
    for (const std::string& entry : list) {
        if (entry == name) {
            return true;
        }
    }
    return false;
}

int countFromDefine(const std::vector<std::string_view>& tokens, int cap) {
    int value = tokens.size() >= 3 ? leadingNumber(tokens[2]) : 0;
    return std::clamp(value, 0, cap);
}

}  // namespace

bool headerHasNoBlocks(std::string_view header) {
    for (std::string_view line : splitLines(header)) {
        if (!isDefineLine(line) || line.find("NUMBK") == std::string_view::npos) {
            continue;
        }
        std::vector<std::string_view> tokens = splitTokens(line, " \t\r");
        if (tokens.size() >= 3 && isNumber(tokens[2]) && leadingNumber(tokens[2]) > 0) {
            return false;
        }
    }
    return true;
}

void readHeaderLists(std::string_view header, ProjectData& data) {
    constexpr std::size_t kNone = std::size(kLists);
    std::size_t current = kNone;
    bool started[std::size(kLists)] = {};
    for (std::string_view line : splitLines(header)) {
        if (line.find("/*") != std::string_view::npos) {
            for (std::size_t i = 0; i < std::size(kLists); ++i) {
                if (!started[i] && line.find(kLists[i].commentWord) != std::string_view::npos) {
                    started[i] = true;
                    current = i;
                    break;
                }
            }
        }
        if (!isDefineLine(line)) {
            continue;
        }
        std::vector<std::string_view> tokens = splitTokens(line, " \t\r");
        if (line.find("NUMEP") != std::string_view::npos) {
            data.extraParameterCount = countFromDefine(tokens, kMaxExtraParameters);
        } else if (line.find("NUMEGGP") != std::string_view::npos) {
            data.extraIntegerParameterCount = countFromDefine(tokens, kMaxExtraIntegerParameters);
        }
        if (current == kNone || tokens.size() < 2) {
            continue;
        }
        const ListSpec& spec = kLists[current];
        if (tokens[1].find(spec.endName) != std::string_view::npos) {
            current = kNone;
            continue;
        }
        std::vector<std::string>& list = data.*spec.list;
        std::string name(tokens[1].substr(0, kMaxListNameLength));
        if (containsName(list, name)) {
            continue;
        }
        if (list.size() >= spec.maximum) {
            return;  // a list beyond its maximum ends reading of the header
        }
        list.push_back(std::move(name));
    }
}

std::string readSignalGroupNames(std::string_view header, std::string_view headerName,
                                 ProjectData& data) {
    data.signalGroups.clear();
    std::vector<std::string_view> tokens = splitTokens(header, " \t\r\n");
    std::size_t pos = 0;
    while (pos < tokens.size() && tokens[pos] != "NUMBK") {
        ++pos;
    }
    if (pos == tokens.size()) {
        std::string name(headerName);
        return common::format("%s bevat geen %s.", name.c_str(), "NUMBK");
    }
    bool reachedEnd = false;
    for (++pos; pos < tokens.size(); ++pos) {
        std::string_view token = tokens[pos];
        if (token == "NUMSG") {
            reachedEnd = true;
            break;
        }
        if (tokens[pos - 1] != "#define" || token.size() < 4 || !token.starts_with("SG") ||
            !std::isdigit(static_cast<unsigned char>(token[2])) ||
            !std::isdigit(static_cast<unsigned char>(token[3]))) {
            continue;
        }
        data.signalGroups.emplace_back(token.substr(0, kMaxSignalGroupNameLength));
        if (data.signalGroups.size() == kMaxSignalGroups) {
            reachedEnd = true;
            break;
        }
    }
    if (!reachedEnd || data.signalGroups.empty()) {
        data.signalGroups.clear();
        std::string name(headerName);
        return common::format("%s is leeg of bevat syntaxfouten.", name.c_str());
    }
    return {};
}

}  // namespace pendrel
