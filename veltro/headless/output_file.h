#pragma once

#include <fstream>
#include <optional>
#include <string>

namespace veltro::headless {

// What may become of an output file that exists already.
enum class ExistingFile { Refuse, Overwrite, Append };

struct FileProblem {
    std::string text;
    int exitCode = 0;  // a refusal is a wrong command line, the rest a file failure
};

// An output file named on the command line. It is made, replaced or added
// to only when its first content arrives, so that a command that fails
// before it has anything to write leaves an existing file as it was.
class OutputFile {
  public:
    OutputFile(std::string path, ExistingFile rule) : m_path(std::move(path)), m_rule(rule) {}

    // Before the command starts: a file that exists while the rule refuses
    // it, a directory, or a path whose directory is missing.
    std::optional<FileProblem> problem() const;

    // The stream, opened at the first call; null when it cannot be opened
    // (error() says why).
    std::ostream* open();
    bool opened() const { return m_stream.is_open(); }
    // Appending to a file that held something already (no second title).
    bool hadContent() const { return m_hadContent; }
    const std::string& path() const { return m_path; }
    const std::string& error() const { return m_error; }

  private:
    std::string m_path;
    ExistingFile m_rule;
    std::ofstream m_stream;
    bool m_hadContent = false;
    std::string m_error;
};

}  // namespace veltro::headless
