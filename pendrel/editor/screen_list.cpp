#include "pendrel/editor/screen_list.h"

#include <algorithm>

namespace pendrel {

ScreenListModel::ScreenListModel(Project& project) : m_project(project) {
    for (const ScreenRecord& screen : project.screens()) {
        m_titles.push_back(screen.title);
    }
    if (!m_titles.empty()) {
        m_selection = 0;
    }
}

ScreenRecord* ScreenListModel::firstWithTitle(const std::string& title) {
    ScreenList& screens = m_project.screens();
    auto it = std::find_if(screens.begin(), screens.end(),
                           [&](const ScreenRecord& s) { return s.title == title; });
    return it == screens.end() ? nullptr : &*it;
}

bool ScreenListModel::add(const std::string& title) {
    if (title.empty()) {
        return false;
    }
    std::string capped = title.substr(0, kMaxTitleLength);
    m_titles.push_back(capped);
    m_selection = m_titles.size() - 1;
    m_project.screens().push_back(ScreenRecord{capped, {}, {}});
    return true;
}

bool ScreenListModel::rename(const std::string& title) {
    if (title.empty() || !m_selection) {
        return false;
    }
    std::string& entry = m_titles[*m_selection];
    if (ScreenRecord* screen = firstWithTitle(entry)) {
        screen->title = title.substr(0, kMaxTitleLength);
    }
    entry = title.substr(0, kMaxTitleLength);
    return true;
}

bool ScreenListModel::remove(Prompts& prompts) {
    if (!m_selection ||
        !prompts.askYesNo("PENDREL", "Weet u zeker dat dit scherm verwijderd dient te worden?")) {
        return false;
    }
    std::size_t index = *m_selection;
    ScreenList& screens = m_project.screens();
    if (ScreenRecord* screen = firstWithTitle(m_titles[index])) {
        screens.erase(screens.begin() + (screen - screens.data()));
    }
    m_titles.erase(m_titles.begin() + static_cast<std::ptrdiff_t>(index));
    // The entry that now stands at that place, or the last one.
    if (m_titles.empty()) {
        m_selection.reset();
    } else {
        m_selection = std::min(index, m_titles.size() - 1);
    }
    return true;
}

ScreenRecord* ScreenListModel::selectedScreen() {
    return m_selection ? firstWithTitle(m_titles[*m_selection]) : nullptr;
}

bool ScreenListModel::ok(Prompts& prompts) {
    prompts.information("PENDREL",
                        "Ingevoerde data wordt opgeslagen.\n\nU dient te kiezen voor genereren "
                        "debugschermen\nom eventuele wijzigingen door te voeren.\n");
    return m_project.saveScreens(prompts);
}

}  // namespace pendrel
