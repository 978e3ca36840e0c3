#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "veltro/definitions/element_tables.h"

namespace veltro::monitor {

// The element table that names an index of a function code.
enum class ElementKind {
    None,
    SignalGroup,
    Detector,
    Time,
    Clock,
    Switch,
    IntParameter,
    Parameter,
};

// Which tables name the first and the second index of a function code, as
// the macro kinds and the parameter tools use them.
struct ElementRoles {
    ElementKind first = ElementKind::None;
    ElementKind second = ElementKind::None;
};
ElementRoles elementRoles(std::int32_t functionCode);

// Names for what a frame carries: the macro of every function code (from the
// built-in macro text, the first name of a code) and the elements of the
// loaded definition header by array number.
class FrameNames {
  public:
    FrameNames();

    // Takes the names of `tables` (user-interface thread; the names only).
    void setElements(const ElementTables& tables);

    // Empty when no macro has the code.
    const std::string& macroName(std::int32_t functionCode) const;
    // The code of a macro name (case counts), or -1.
    std::int32_t macroCode(const std::string& name) const;
    // Empty when the tables do not know the element.
    std::string elementName(ElementKind kind, std::int32_t number) const;
    // "3" or "3 fc03": the number with the element's name where known.
    std::string indexText(std::int32_t functionCode, bool second, std::int32_t number) const;

  private:
    using Names = std::unordered_map<std::int32_t, std::string>;
    const Names* names(ElementKind kind) const;

    std::array<std::string, 512> m_macros;
    std::unordered_map<std::string, std::int32_t> m_codes;
    Names m_signalGroups;
    Names m_detectors;
    Names m_times;
    Names m_clocks;
    Names m_switches;
    Names m_intParameters;
    Names m_parameters;
};

}  // namespace veltro::monitor
