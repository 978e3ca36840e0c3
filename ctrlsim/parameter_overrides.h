#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ctrlsim/sim_model.h"
#include "veltro/definitions/definition_table.h"

namespace ctrlsim {

// Parameters that a test makes differ from ZXAPTAB.C or misbehave, named
// as MACRO:ELEMENT (a clearance time as inst_O_TIJD:FROM:TO), the element
// by its ZXAPDEF.H name or its array number.
struct ParameterOverrides {
    std::vector<std::pair<std::string, std::int32_t>> set;  // --set NAME=VALUE
    std::vector<std::string> ignore;                        // --ignore NAME
    std::vector<std::string> reject;                        // --reject NAME
};

// The object a name stands for, as the debugger's frames reach the
// simulator; an error text when the macro or an element is unknown.
struct ResolvedName {
    std::optional<ObjectKey> key;
    std::string error;
};
ResolvedName resolveParameterName(const std::string& name, const veltro::DefinitionTable& table);

// "NAME=VALUE" split; nothing when there is no '=' or the value is no number.
std::optional<std::pair<std::string, std::int32_t>> parseAssignment(const std::string& text);

// Applies the start values to the model and resolves the names to ignore
// and reject into `ignored` and `rejected`; the first error text, if any.
std::optional<std::string> applyOverrides(const ParameterOverrides& overrides,
                                          const veltro::DefinitionTable& table, SimModel& model,
                                          std::set<ObjectKey>& ignored,
                                          std::set<ObjectKey>& rejected);

}  // namespace ctrlsim
