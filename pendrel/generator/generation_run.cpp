#include "pendrel/generator/generation_run.h"

#include <cctype>
#include <fstream>

#include "common/atomic_file.h"
#include "common/format.h"

namespace pendrel {
namespace {

namespace fs = std::filesystem;

std::string folded(std::string name) {
    for (char& c : name) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return name;
}

}  // namespace

GenerationRun::GenerationRun(const GenerationSettings& settings, Prompts& prompts,
                             Progress& progress)
    : m_settings(settings),
      m_prompts(prompts),
      m_progress(progress),
      m_names(
          firstFileName(settings.scheme, settings.startNumber, settings.extension, settings.name),
          prompts, [this](const std::string& name) { return existing(name).has_value(); }) {
    // One listing of the target directory for the whole run; the run keeps
    // it up to date as it writes.
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(settings.targetDirectory, error)) {
        std::string name = entry.path().filename().string();
        m_existing[folded(name)] = name;
    }
}

bool GenerationRun::plan(const std::vector<Page>& pages,
                         const std::function<std::string(const std::string&)>& listLine) {
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
        // A later question about this name sees it as taken.
        m_planned.insert(folded(name));
        m_files.push_back({name, page.render(), listLine(name)});
    }
    return true;
}

std::size_t GenerationRun::writeFiles() {
    std::size_t written = 0;
    for (const PlannedFile& file : m_files) {
        if (!writePage(file.name, file.text)) {
            m_prompts.warning(common::format("%s kan niet gemaakt worden.", file.name.c_str()));
            break;
        }
        m_progress.add(file.listLine);
        ++written;
    }
    return written;
}

bool GenerationRun::writeListFile() {
    if (!m_settings.writeListFile) {
        return true;
    }
    std::string text;
    for (const PlannedFile& file : m_files) {
        text += file.listLine + '\n';
    }
    const std::string& name = m_settings.listFileName;
    std::optional<std::string> old = existingOnDisk(name);
    std::error_code ignored;
    if (text.empty()) {
        if (old) {
            fs::remove(m_settings.targetDirectory / *old, ignored);
        }
        return true;
    }
    if (!common::writeFileAtomically(m_settings.targetDirectory / name, text)) {
        m_prompts.warning(common::format("%s kan niet gemaakt worden.", name.c_str()));
        return false;
    }
    // The debugger must not find a list of another run beside it.
    if (old && *old != name) {
        fs::remove(m_settings.targetDirectory / *old, ignored);
    }
    return true;
}

// The name of the file that `name` stands for in the target directory (file
// names compare without regard to case), if there is one.
std::optional<std::string> GenerationRun::existingOnDisk(const std::string& name) const {
    auto it = m_existing.find(folded(name));
    if (it == m_existing.end()) {
        return std::nullopt;
    }
    return it->second;
}

// Taken: on disk, or named earlier in this run.
std::optional<std::string> GenerationRun::existing(const std::string& name) const {
    if (m_planned.count(folded(name)) != 0) {
        return name;
    }
    return existingOnDisk(name);
}

bool GenerationRun::writePage(const std::string& name, const std::string& text) {
    fs::path target = m_settings.targetDirectory / name;
    // An old file is removed rather than truncated: truncating makes the file
    // system write the old contents out first, which slows a run of hundreds
    // of files down tenfold. A name that differs only in case goes too, so
    // that the debugger does not find both.
    if (std::optional<std::string> old = existingOnDisk(name)) {
        std::error_code ignored;
        fs::remove(m_settings.targetDirectory / *old, ignored);
    }
    m_existing[folded(name)] = name;
    // Written in place: a whole run writes hundreds of files, and a file that
    // fails half-way is removed again.
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

}  // namespace pendrel
