#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "pendrel/ports/prompts.h"

namespace pendrel {

enum class NamingScheme { Plo, Extension, Name };

// The name of the first file of a run: "debug_%3.3d.plo",
// "debug_%3.3d.<ext>" or "<name>_%3.3d.dbg".
std::string firstFileName(NamingScheme scheme, int startNumber, std::string_view extension,
                          std::string_view name);

// The name with its number (the three characters before the first '.') one
// higher; nothing when it cannot be numbered further.
std::optional<std::string> advanceFileName(std::string_view name);

// True for "debug_NNN.<at most 3>" (debug in any case) and "?????_NNN.dbg"
// (dbg in any case). Names holding a path separator are refused: a debug
// window file is always written into the target directory.
bool isValidDebugFileName(std::string_view name);

// Chooses the file names of one generation run, asking through `prompts`
// when a name is malformed or its file exists.
class FileNameChooser {
  public:
    using Exists = std::function<bool(const std::string&)>;

    FileNameChooser(std::string firstName, Prompts& prompts, Exists exists);

    enum class Outcome { Chosen, NoFreeName, Cancelled };
    Outcome next();

    const std::string& name() const { return m_name; }

  private:
    bool settleFormat();

    std::string m_name;
    Prompts& m_prompts;
    Exists m_exists;
    bool m_first = true;
    bool m_overwriteAll = false;
};

}  // namespace pendrel
