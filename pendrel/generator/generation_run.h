#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "pendrel/generator/file_naming.h"
#include "pendrel/generator/generator.h"
#include "pendrel/generator/page.h"
#include "pendrel/ports/prompts.h"

namespace pendrel {

// The files of one generation run: first every file is named, with the
// questions its name needs, then the files are written, then the list file.
// A run stopped while naming has written nothing.
class GenerationRun {
  public:
    GenerationRun(const GenerationSettings& settings, Prompts& prompts, Progress& progress);

    // Names the files of one category's pages, each with its list line
    // made from its name; false when the run stops (a question cancelled,
    // or no free name, which is said).
    bool plan(const std::vector<Page>& pages,
              const std::function<std::string(const std::string&)>& listLine);

    // Writes the named files in order, each followed by its progress line;
    // the number written before one failed (which is said), or all of them.
    std::size_t writeFiles();

    std::size_t plannedCount() const { return m_files.size(); }

    // The list file of the run, replaced whole; a run without files leaves
    // none (its list is empty). False, after a warning, when it cannot be
    // written.
    bool writeListFile();

  private:
    struct PlannedFile {
        std::string name;
        std::string text;
        std::string listLine;
    };

    std::optional<std::string> existingOnDisk(const std::string& name) const;
    std::optional<std::string> existing(const std::string& name) const;
    bool writePage(const std::string& name, const std::string& text);

    const GenerationSettings& m_settings;
    Prompts& m_prompts;
    Progress& m_progress;
    FileNameChooser m_names;
    std::map<std::string, std::string> m_existing;  // folded name -> name on disk
    std::set<std::string> m_planned;                // folded names of this run
    std::vector<PlannedFile> m_files;
};

}  // namespace pendrel
