#pragma once

#include <QPointer>
#include <QWidget>

#include "pendrel/ports/prompts.h"

namespace pendrel::gui {

// The designer's boxes and questions as modal Qt dialogs over `parent`: a
// warning box, an information box, Ja/Nee questions, the text dialog and
// the dialog "Waarschuwing" about an existing debug window file. GUI thread
// only; logic on a worker reaches it through WorkerPrompts.
class DialogPrompts : public Prompts {
  public:
    explicit DialogPrompts(QWidget* parent) : m_parent(parent) {}

    void warning(std::string_view text) override;
    void information(std::string_view caption, std::string_view text) override;
    // With the warning icon: the designer asks Ja/Nee only before it goes on
    // with something that may do harm (a stale database, a deletion).
    bool askYesNo(std::string_view caption, std::string_view text) override;
    bool askPcOmgeving(std::string_view caption, std::string_view text) override;
    std::optional<std::string> askText(std::string_view caption, std::string_view text,
                                       std::string_view prompt) override;
    ExistingFile askExistingFile(std::string_view text) override;

  private:
    QPointer<QWidget> m_parent;
};

}  // namespace pendrel::gui
