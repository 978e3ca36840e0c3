#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "veltro/ports/prompts.h"
#include "veltro/tools/tool_run.h"

namespace veltro::tools {

// A message box at the end of a run.
struct EndBox {
    std::string_view caption;
    std::string text;
    PromptIcon icon = PromptIcon::None;
    friend bool operator==(const EndBox&, const EndBox&) = default;
};

// What a dialog says after a check whose reads the controller did not all
// answer (the adjustment's read-back, the difference check's requests): how
// many went unanswered and that nothing was compared for them. A controller
// that answered none has compared nothing: an error, never a success.
// Nothing when every read was answered, or none was asked.
std::optional<EndBox> unansweredBox(Tool tool, const ReadCounts& reads);

}  // namespace veltro::tools
