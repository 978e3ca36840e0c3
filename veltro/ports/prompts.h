#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veltro {

enum class PromptIcon { None, Information, Exclamation, Error, Question };

// Modal questions and message boxes. Texts and captions are the system's own
// and arrive exactly as they are to be shown ("\n" is a real line break).
class Prompts {
  public:
    virtual ~Prompts() = default;

    virtual void messageBox(std::string_view caption, std::string_view text, PromptIcon icon) = 0;

    // True for Yes, false for No.
    virtual bool askYesNo(std::string_view caption, std::string_view text, PromptIcon icon) = 0;

    // The text entered, or nothing when the user cancels.
    virtual std::optional<std::string> askText(std::string_view caption, std::string_view prompt,
                                               std::string_view initial) = 0;
};

}  // namespace veltro
