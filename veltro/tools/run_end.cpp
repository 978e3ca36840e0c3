#include "veltro/tools/run_end.h"

#include "veltro/tools/tool_texts.h"

namespace veltro::tools {
namespace {

// Texts of the unanswered reads, beside the runs' closing messages.
constexpr std::string_view kNotVerified =
    "De aanpassing van parameters is niet gecontroleerd: de ";
constexpr std::string_view kController = "De ";
constexpr std::string_view kControllerDid = "regelautomaat heeft op ";
constexpr std::string_view kNothingCompared = "; er is niets vergeleken.";
constexpr std::string_view kThoseNotCompared = " niet geantwoord; daarvoor is niets vergeleken.";

}  // namespace

std::optional<EndBox> unansweredBox(Tool tool, const ReadCounts& reads) {
    if (reads.answered >= reads.asked)
        return std::nullopt;
    const bool adjustment = tool == Tool::Adjustment;
    const std::string_view caption =
        adjustment ? texts::kAdjustmentCaption : texts::kDifferenceCaption;
    const std::string asked(adjustment ? "teruggelezen" : "opgevraagde");
    const std::string ofAll =
        " van de " + std::to_string(reads.asked) + " " + asked + " parameters";
    std::string text(reads.answered == 0 && adjustment ? kNotVerified : kController);
    text += kControllerDid;
    if (reads.answered > 0) {
        text += std::to_string(reads.asked - reads.answered) + ofAll;
        text += kThoseNotCompared;
        return EndBox{caption, text, PromptIcon::Exclamation};
    }
    text += reads.asked == 1 ? "de " + asked + " parameter niet geantwoord"
                             : "geen" + ofAll + " geantwoord";
    text += kNothingCompared;
    return EndBox{caption, text, PromptIcon::Error};
}

}  // namespace veltro::tools
