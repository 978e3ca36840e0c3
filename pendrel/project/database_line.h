#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pendrel {

// A cursor over one line of pendrel.db that reads its fields the way the
// designer has always read them (scanf's "%d" and "%1s%[^']%c", and strings
// between double quotes).
class DatabaseLine {
  public:
    explicit DatabaseLine(std::string_view line) : m_line(line) {}

    // "%d": skips white space, then an optional sign and at least one digit;
    // held to the range of int.
    std::optional<int> integer();

    // "%1s%[^']%c": one non-blank character, then at least one character up
    // to the next apostrophe, then that apostrophe. When the rest of the line
    // holds the whole text that the part read stands for (quotedText), that
    // whole text.
    std::optional<std::string> quoted();

    // The next double-quoted string, or nothing when no complete one follows.
    std::optional<std::string> doubleQuoted();

  private:
    void skipSpace();

    std::string_view m_line;
    std::size_t m_pos = 0;
};

// `text` between apostrophes as a line of pendrel.db holds it. An apostrophe
// ends such a text for every reader of the file, older ones included, and
// one at its start ("'s Morgens") ends their reading altogether: a text with
// apostrophes is written with a backtick for each of them between the
// apostrophes, which older readers take as the text, and then whole after
// them as " {text}", which quoted() reads back.
std::string quotedText(const std::string& text);

}  // namespace pendrel
