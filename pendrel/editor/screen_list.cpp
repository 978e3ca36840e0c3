#include "pendrel/editor/screen_list.h"

#include <algorithm>

#include "pendrel/project/screen_database.h"

namespace pendrel {

ScreenListModel::ScreenListModel(Project& project) : m_project(project) {
    for (const ScreenRecord& screen : project.screens()) {
        m_titles.push_back(screen.title);
    }
    if (!m_titles.empty()) {
        m_selection = 0;
    }
}

bool ScreenListModel::acceptable(const std::string& title, Prompts& prompts) const {
    if (title.empty()) {
        return false;
    }
    if (std::optional<std::string> problem = unstorableText(title, kMaxTitleLength)) {
        prompts.warning(*problem);
        return false;
    }
    return true;
}

bool ScreenListModel::add(const std::string& title, Prompts& prompts) {
    if (!acceptable(title, prompts)) {
        return false;
    }
    m_titles.push_back(title);
    m_selection = m_titles.size() - 1;
    m_project.screens().push_back(ScreenRecord{title, {}, {}});
    return true;
}

bool ScreenListModel::rename(const std::string& title, Prompts& prompts) {
    if (!m_selection || !acceptable(title, prompts)) {
        return false;
    }
    m_titles[*m_selection] = title;
    m_project.screens()[*m_selection].title = title;
    return true;
}

bool ScreenListModel::remove(Prompts& prompts) {
    if (!m_selection ||
        !prompts.askYesNo("PENDREL", "Weet u zeker dat dit scherm verwijderd dient te worden?")) {
        return false;
    }
    const auto index = static_cast<std::ptrdiff_t>(*m_selection);
    ScreenList& screens = m_project.screens();
    screens.erase(screens.begin() + index);
    m_titles.erase(m_titles.begin() + index);
    // The entry that now stands at that place, or the last one.
    if (m_titles.empty()) {
        m_selection.reset();
    } else {
        m_selection = std::min(*m_selection, m_titles.size() - 1);
    }
    return true;
}

ScreenRecord* ScreenListModel::selectedScreen() {
    return m_selection ? &m_project.screens()[*m_selection] : nullptr;
}

bool ScreenListModel::ok(Prompts& prompts) {
    // The box says the data is stored: it comes only once that is true.
    if (!m_project.saveScreens(prompts)) {
        return false;
    }
    prompts.information("PENDREL",
                        "Ingevoerde data wordt opgeslagen.\n\nU dient te kiezen voor genereren "
                        "debugschermen\nom eventuele wijzigingen door te voeren.\n");
    return true;
}

}  // namespace pendrel
