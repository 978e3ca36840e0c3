#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pendrel {

// The designer's modal message boxes and questions. The logic asks; a front-end
// (Qt dialogs, or the headless generator answering from its options) decides.
class Prompts {
  public:
    virtual ~Prompts() = default;

    // A warning box (exclamation icon); the text may hold line breaks.
    virtual void warning(std::string_view text) = 0;

    // An information box with its own caption.
    virtual void information(std::string_view caption, std::string_view text) = 0;

    // A Ja/Nee (Yes/No) question; true for yes.
    virtual bool askYesNo(std::string_view caption, std::string_view text) = 0;

    // The Ja/Nee question whether the sources' pc_omgeving sections count as
    // defined, asked once when sources are read; true for yes. Its own method
    // because the headless run answers it from an option.
    virtual bool askPcOmgeving(std::string_view caption, std::string_view text) = 0;

    // A text dialog; nothing when the user cancels.
    virtual std::optional<std::string> askText(std::string_view caption, std::string_view text,
                                               std::string_view prompt) = 0;

    // The question about a debug window file that exists already.
    enum class ExistingFile { Overwrite, NextNumber, NewName, OverwriteAll, Cancel };
    virtual ExistingFile askExistingFile(std::string_view text) = 0;
};

// A progress window: a titled list of lines, the last one kept in view.
class Progress {
  public:
    virtual ~Progress() = default;
    virtual void open(std::string_view title) = 0;
    virtual void add(std::string_view line) = 0;
    virtual void close() = 0;
};

}  // namespace pendrel
