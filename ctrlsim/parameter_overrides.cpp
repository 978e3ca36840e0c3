#include "ctrlsim/parameter_overrides.h"

#include <charconv>

namespace ctrlsim {

namespace {

std::optional<std::int32_t> number(const std::string& text) {
    std::int32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::vector<std::string> split(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t colon = text.find(':', start);
        parts.push_back(text.substr(start, colon - start));
        if (colon == std::string::npos)
            return parts;
        start = colon + 1;
    }
}

std::optional<std::int32_t> element(const std::string& name, const veltro::DefinitionTable& t) {
    if (const auto n = number(name))
        return n;
    if (!t.contains(name))
        return std::nullopt;
    return t.lookup(name);
}

}  // namespace

ResolvedName resolveParameterName(const std::string& name, const veltro::DefinitionTable& table) {
    const std::vector<std::string> parts = split(name);
    if (parts.size() < 2 || parts.size() > 3)
        return {std::nullopt, "'" + name + "' is not MACRO:ELEMENT or MACRO:FROM:TO"};
    if (!table.contains(parts[0]))
        return {std::nullopt, "unknown macro '" + parts[0] + "' in '" + name + "'"};
    const std::int32_t code = table.lookup(parts[0]);
    const auto index = element(parts[1], table);
    if (!index)
        return {std::nullopt, "unknown element '" + parts[1] + "' in '" + name + "'"};
    std::int32_t second = 0;
    if (parts.size() == 3) {
        const auto to = element(parts[2], table);
        if (!to)
            return {std::nullopt, "unknown element '" + parts[2] + "' in '" + name + "'"};
        second = *to;
    }
    return {ObjectKey{code, *index, second}, {}};
}

std::optional<std::pair<std::string, std::int32_t>> parseAssignment(const std::string& text) {
    const std::size_t equals = text.rfind('=');
    if (equals == std::string::npos)
        return std::nullopt;
    const auto value = number(text.substr(equals + 1));
    if (!value)
        return std::nullopt;
    return std::make_pair(text.substr(0, equals), *value);
}

std::optional<std::string> applyOverrides(const ParameterOverrides& overrides,
                                          const veltro::DefinitionTable& table, SimModel& model,
                                          std::set<ObjectKey>& ignored,
                                          std::set<ObjectKey>& rejected) {
    for (const auto& [name, value] : overrides.set) {
        const ResolvedName r = resolveParameterName(name, table);
        if (!r.key)
            return r.error;
        model.setValue(*r.key, value);
    }
    for (const auto& [names, into] :
         {std::pair{&overrides.ignore, &ignored}, std::pair{&overrides.reject, &rejected}}) {
        for (const std::string& name : *names) {
            const ResolvedName r = resolveParameterName(name, table);
            if (!r.key)
                return r.error;
            into->insert(*r.key);
        }
    }
    return std::nullopt;
}

}  // namespace ctrlsim
