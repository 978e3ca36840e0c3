#pragma once

#include <functional>

#include "veltro/ports/prompts.h"

class QWidget;

namespace veltro::gui {

// The debugger's message boxes and questions as Qt dialogs: the system's
// caption, text (plain, never read as markup) and icon, modal over the main
// window once there is one.
class QtPrompts final : public Prompts {
  public:
    using ParentFinder = std::function<QWidget*()>;
    explicit QtPrompts(ParentFinder parent = {}) : m_parent(std::move(parent)) {}

    void messageBox(std::string_view caption, std::string_view text, PromptIcon icon) override;
    bool askYesNo(std::string_view caption, std::string_view text, PromptIcon icon) override;
    std::optional<std::string> askText(std::string_view caption, std::string_view prompt,
                                       std::string_view initial) override;

  private:
    QWidget* parent() const { return m_parent ? m_parent() : nullptr; }
    ParentFinder m_parent;
};

}  // namespace veltro::gui
