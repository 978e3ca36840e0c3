#include "pendrel/generator/generator.h"

#include <cctype>
#include <fstream>
#include <map>
#include <optional>

#include "common/file_lookup.h"
#include "common/format.h"
#include "pendrel/generator/categories.h"
#include "pendrel/generator/user_screen_page.h"
#include "pendrel/project/screen_database.h"
#include "pendrel/project/source_reader.h"

namespace pendrel {
namespace {

namespace fs = std::filesystem;

constexpr const char* kNewerHeader =
    "De file ZXAPDEF.H is nieuwer dan de database\nmet zelf gedefinieerde debugschermen.\n\n"
    "Dit kan inhouden dat de te genereren debugfiles\nitems bevatten die niet meer bestaan.\n\n"
    "Moet het genereren van debugfiles gewoon doorgaan?";

// One run: the file names, the list file and the ports.
class Run {
  public:
    Run(const GenerationSettings& settings, Prompts& prompts, Progress& progress)
        : m_settings(settings),
          m_prompts(prompts),
          m_progress(progress),
          m_names(firstFileName(settings.scheme, settings.startNumber, settings.extension,
                                settings.name),
                  prompts,
                  [this](const std::string& name) { return existing(name).has_value(); }) {
        // One listing of the target directory for the whole run; the run keeps
        // it up to date as it writes.
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(settings.targetDirectory, error)) {
            std::string name = entry.path().filename().string();
            m_existing[folded(name)] = name;
        }
    }

    // Category: one file per page, each with its list line.
    bool category(const std::vector<Page>& pages,
                  const std::function<std::string(const std::string&)>& listLine) {
        std::optional<std::ofstream> list;
        if (m_settings.writeListFile) {
            list.emplace(listPath(), std::ios::app | std::ios::binary);
            if (!*list) {
                list.reset();  // the run goes on without list lines
            }
        }
        for (const Page& page : pages) {
            switch (m_names.next()) {
                case FileNameChooser::Outcome::Chosen:
                    break;
                case FileNameChooser::Outcome::NoFreeName:
                    m_prompts.warning("Geen vrije naam meer beschikbaar voor debugfile(s).");
                    return false;
                case FileNameChooser::Outcome::Cancelled:
                    return false;
            }
            const std::string& name = m_names.name();
            if (!writePage(name, page.render())) {
                m_prompts.warning(common::format("%s kan niet gemaakt worden.", name.c_str()));
                return false;
            }
            std::string line = listLine(name);
            m_progress.add(line);
            if (list) {
                *list << line << '\n';
                list->flush();
            }
        }
        return true;
    }

    fs::path listPath() const { return m_settings.targetDirectory / m_settings.listFileName; }

  private:
    static std::string folded(std::string name) {
        for (char& c : name) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        return name;
    }

    // The name of the file that `name` stands for in the target directory
    // (file names compare without regard to case), if there is one.
    std::optional<std::string> existing(const std::string& name) const {
        auto it = m_existing.find(folded(name));
        if (it == m_existing.end()) {
            return std::nullopt;
        }
        return it->second;
    }

    bool writePage(const std::string& name, const std::string& text) {
        fs::path target = m_settings.targetDirectory / name;
        // An old file is removed rather than truncated: truncating makes the
        // file system write the old contents out first, which slows a run of
        // hundreds of files down tenfold. A name that differs only in case
        // goes too, so that the debugger does not find both.
        if (std::optional<std::string> old = existing(name)) {
            std::error_code ignored;
            fs::remove(m_settings.targetDirectory / *old, ignored);
        }
        m_existing[folded(name)] = name;
        // Written in place: a whole run writes hundreds of files, and a file
        // that fails half-way is removed again.
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            fs::remove(target, ignored);
            m_existing.erase(folded(name));
            return false;
        }
        return true;
    }

    const GenerationSettings& m_settings;
    Prompts& m_prompts;
    Progress& m_progress;
    FileNameChooser m_names;
    std::map<std::string, std::string> m_existing;
};

bool headerNewerThanDatabase(const fs::path& directory) {
    std::optional<fs::path> header = common::findFileIgnoreCase(directory, kDefinitionHeaderName);
    std::optional<fs::path> database = common::findFileIgnoreCase(directory, kScreenDatabaseName);
    if (!header || !database) {
        return false;
    }
    std::error_code e1;
    std::error_code e2;
    auto headerTime = fs::last_write_time(*header, e1);
    auto databaseTime = fs::last_write_time(*database, e2);
    return !e1 && !e2 && headerTime > databaseTime;
}

GenerationResult generate(Project& project, const GenerationSettings& settings, Run& run) {
    const ProjectData& data = project.data();
    for (const Category& category : categories()) {
        if (!settings.selected[static_cast<std::size_t>(category.number - 1)] ||
            !category.needs(data)) {
            continue;
        }
        auto line = [&](const std::string& name) {
            return common::format("%s  debugfile voor %s.", name.c_str(),
                                  std::string(category.listText).c_str());
        };
        if (!run.category(category.write(data), line)) {
            return GenerationResult::EndedEarly;
        }
    }
    for (const ScreenRecord& screen : project.screens()) {
        auto line = [&](const std::string& name) {
            return common::format("%s  debugfile: %s.", name.c_str(), screen.title.c_str());
        };
        if (!run.category({writeUserScreen(screen)}, line)) {
            return GenerationResult::EndedEarly;
        }
    }
    return GenerationResult::Completed;
}

}  // namespace

std::array<bool, kCategoryCount> testSelection() {
    std::array<bool, kCategoryCount> all;
    all.fill(true);
    return all;
}

std::array<bool, kCategoryCount> acceptanceSelection() {
    std::array<bool, kCategoryCount> chosen{};
    for (const Category& category : categories()) {
        chosen[static_cast<std::size_t>(category.number - 1)] = category.acceptance;
    }
    return chosen;
}

GenerationResult runGeneration(Project& project, const GenerationSettings& settings,
                               Prompts& prompts, Progress& progress) {
    std::error_code error;
    if (!fs::is_directory(settings.targetDirectory, error)) {
        prompts.warning("Gekozen directory bestaat niet!");
        return GenerationResult::NotStarted;
    }
    if (!project.ensureLoaded(prompts, progress)) {
        return GenerationResult::NotStarted;
    }
    if (!project.screens().empty() && headerNewerThanDatabase(project.directory()) &&
        !prompts.askYesNo("PENDREL", kNewerHeader)) {
        return GenerationResult::NotStarted;
    }
    progress.open("Status aanmaken debugfiles");
    progress.add("schrijven ...");
    Run run(settings, prompts, progress);
    if (settings.writeListFile) {
        std::error_code ignored;
        fs::remove(run.listPath(), ignored);
    }
    GenerationResult result = generate(project, settings, run);
    prompts.information("Informatie",
                        "Het genereren van de debugschermen is gereed!\n"
                        "De file pendrel.txt bevat een lijst van de gemaakte debugfiles.");
    progress.close();
    return result;
}

}  // namespace pendrel
