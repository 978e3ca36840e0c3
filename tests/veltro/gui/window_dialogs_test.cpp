// The main window's dialogs on real widgets: the two window lists with their
// pendrel.txt texts, the open dialog and the files it returns, the font.
#include <gtest/gtest.h>

#include <QDialog>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontDatabase>
#include <QFontDialog>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "main_window_rig.h"
#include "support/temp_dir.h"
#include "veltro/gui/window_list_dialog.h"

namespace veltro::gui {
namespace {

using test_support::MainWindowRig;
using test_support::whenModal;

std::vector<std::string> lines(const QListWidget& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.count(); ++i)
        out.push_back(list.item(i)->text().toStdString());
    return out;
}

QPoint centre(const QWidget& w) {
    return w.frameGeometry().center();
}

TEST(CloseWindowsDialog, RemovesTheSelectedWindowAndStaysOpen) {
    MainWindowRig rig;
    std::vector<std::string> first;
    std::vector<std::string> second;
    int selectedAfter = -2;
    int selectedAtEnd = -2;
    QPoint dialogCentre;
    whenModal([&](QWidget& widget) {
        auto& dialog = static_cast<WindowListDialog&>(widget);
        EXPECT_EQ(dialog.windowTitle(), "Debug Vensters Sluiten");
        EXPECT_EQ(dialog.actionButton()->text(), "&Sluiten");
        EXPECT_TRUE(dialog.actionButton()->isDefault());
        EXPECT_EQ(dialog.cancelButton()->text(), "&Annuleren");
        dialogCentre = centre(dialog);
        first = lines(*dialog.list());
        EXPECT_EQ(dialog.selectedLine(), 0);  // opens on the first line
        dialog.actionButton()->click();       // the shown first window goes
        second = lines(*dialog.list());
        selectedAfter = dialog.selectedLine();
        // The last line, by a double click: no line is selected after it.
        QListWidgetItem* last = dialog.list()->item(dialog.list()->count() - 1);
        Q_EMIT dialog.list()->itemDoubleClicked(last);
        selectedAtEnd = dialog.selectedLine();
        EXPECT_TRUE(dialog.isVisible());
        dialog.cancelButton()->click();
    });
    rig.main.closeCommand();
    const std::vector<std::string> texts = {
        "debug_001.plo  debugfile voor tellers.",
        "debug_002.plo  debugfile voor signaalgroeptoestanden.",
        "debug_003.plo  debugfile voor detectie.",
        "debug_004.plo  debugfile voor blokken.",
        "debug_005.plo  debugfile: Regelstatus en parameters.",
        "kruis_001.dbg  debugfile: Groentijden.",
    };
    EXPECT_EQ(first, texts);
    EXPECT_EQ(second, std::vector<std::string>(texts.begin() + 1, texts.end()));
    EXPECT_EQ(selectedAfter, 0);
    EXPECT_EQ(selectedAtEnd, -1);
    EXPECT_EQ(rig.windows.windowCount(), 4);
    // Removing the shown first window showed the next one, now the first.
    EXPECT_EQ(rig.windows.shown(), 0);
    EXPECT_EQ(rig.main.windowTitle(), "Debugger 001 - debug_002.plo");
    EXPECT_TRUE(rig.main.windowWidget(0)->isVisible());
    EXPECT_EQ(
        rig.main.messageWindow().line(rig.main.messageWindow().lineCount() - 1).toStdString(),
        std::string(EXAMPLES_DIR) + "/kruispunt/kruis_001.dbg wordt verwijderd");
    // Centred over the main window (both well inside the screen).
    EXPECT_LE((dialogCentre - centre(rig.main)).manhattanLength(), 2);
}

TEST(ChooseWindowDialog, OpensWithoutSelectionAndShowsTheChosenWindow) {
    MainWindowRig rig;
    rig.timers.fireAll();
    rig.takeFrames();
    ScreenPorts ports{rig.sender, rig.prompts, rig.log, rig.trust};
    rig.shownScreen().select(2, ports);
    int selectedAtOpen = -2;
    whenModal([&](QWidget& widget) {
        auto& dialog = static_cast<WindowListDialog&>(widget);
        EXPECT_EQ(dialog.windowTitle(), "Debug Venster Kiezen");
        EXPECT_EQ(dialog.actionButton()->text(), "&Kiezen");
        selectedAtOpen = dialog.selectedLine();
        dialog.actionButton()->click();  // nothing selected: just closes
    });
    rig.main.chooseCommand();
    EXPECT_EQ(selectedAtOpen, -1);
    EXPECT_EQ(rig.windows.shown(), 0);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    whenModal([&](QWidget& widget) {
        auto& dialog = static_cast<WindowListDialog&>(widget);
        dialog.list()->setCurrentRow(3);
        dialog.actionButton()->click();
    });
    rig.main.chooseCommand();
    EXPECT_EQ(rig.windows.shown(), 3);
    EXPECT_EQ(rig.main.windowTitle(), "Debugger 001 - debug_004.plo");
    EXPECT_EQ(rig.windows.window(0).selected(), -1);  // the old window's selection cleared
    // The old window stopped: STOP for each of its requested items, no more.
    const auto frames = rig.takeFrames();
    ASSERT_EQ(frames.size(), 9u);
    EXPECT_EQ(frames.front().first, CommandMode::Stop);

    whenModal([&](QWidget& widget) {
        auto& dialog = static_cast<WindowListDialog&>(widget);
        Q_EMIT dialog.list()->itemDoubleClicked(dialog.list()->item(5));
    });
    rig.main.chooseCommand();
    EXPECT_EQ(rig.windows.shown(), 5);
}

// The names the file dialog lists in `directory` under its current filter.
// The names the file dialog lists in `directory` under its current filter,
// once its model has read the directory (on a thread of its own).
std::vector<std::string> listedFiles(QFileDialog& dialog, const QString& directory) {
    auto* model = dialog.findChild<QFileSystemModel*>();
    auto* view = dialog.findChild<QListView*>(QStringLiteral("listView"));
    if (model == nullptr || view == nullptr)
        return {};
    QSignalSpy loaded(model, &QFileSystemModel::directoryLoaded);
    dialog.setDirectory(directory);
    if (loaded.isEmpty() && !loaded.wait(5000))
        return {};
    std::vector<std::string> names;
    const QModelIndex root = view->rootIndex();
    for (int row = 0; row < view->model()->rowCount(root); ++row)
        names.push_back(view->model()->index(row, 0, root).data().toString().toStdString());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(OpenDialog, FiltersTitleAndTheFilesItReturns) {
    MainWindowRig rig;
    std::string title;
    QStringList filters;
    QString startFilter;
    std::vector<std::string> listed;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    QString suffix;
    whenModal([&](QWidget& widget) {
        auto& dialog = static_cast<QFileDialog&>(widget);
        title = dialog.windowTitle().toStdString();
        filters = dialog.nameFilters();
        startFilter = dialog.selectedNameFilter();
        mode = dialog.fileMode();
        suffix = dialog.defaultSuffix();
        listed = listedFiles(dialog, QStringLiteral(EXAMPLES_DIR "/kruispunt"));
        dialog.reject();
    });
    rig.main.openCommand();
    EXPECT_EQ(title, "Selecteer debug bestand van Tiral 001");
    EXPECT_EQ(filters,
              (QStringList{"Debug Bestanden (?????_???.*)", "Debug Bestanden (debug_???.*)",
                           "Debug Bestanden (?????_???.dbg)", "Alle Bestanden (*.*)"}));
    // It starts on both naming schemes.
    EXPECT_EQ(startFilter, filters.front());
    EXPECT_EQ(listed, (std::vector<std::string>{"debug_001.plo", "debug_002.plo", "debug_003.plo",
                                                "debug_004.plo", "debug_005.plo", "generated",
                                                "kruis_001.dbg"}));
    EXPECT_EQ(mode, QFileDialog::ExistingFiles);
    EXPECT_EQ(suffix, "PLO");
    EXPECT_EQ(rig.windows.windowCount(), 6);

    // Two files of one directory, one with a blank in its name: both load,
    // sorted in, and the last one added is shown.
    const test_support::TempDir dir;
    const std::string picture = test_support::readFile(EXAMPLES_DIR "/kruispunt/debug_001.plo");
    dir.write("aaa_001.plo", picture);
    dir.write("met spatie_002.plo", picture);
    rig.main.openFiles(
        {(dir.path() / "met spatie_002.plo").string(), (dir.path() / "aaa_001.plo").string()});
    EXPECT_EQ(rig.windows.windowCount(), 8);
    // Titles are full paths, so where the new ones sort in depends on where
    // the examples live; only their order among themselves is fixed.
    const std::vector<std::string> titles = rig.windows.titles();
    const auto position = [&](const std::filesystem::path& file) {
        const auto found = std::find(titles.begin(), titles.end(), file.string());
        return found == titles.end() ? -1 : static_cast<int>(found - titles.begin());
    };
    const int added = position(dir.path() / "aaa_001.plo");
    ASSERT_GE(added, 0);
    EXPECT_GT(position(dir.path() / "met spatie_002.plo"), added);
    EXPECT_EQ(rig.windows.shown(), added);
    EXPECT_TRUE(rig.main.windowWidget(added)->isVisible());
    EXPECT_EQ(rig.main.windowTitle(), "Debugger 001 - aaa_001.plo");

    // Closed and opened again, a file gets a new window of its own.
    WindowSwitchPorts ports{rig.link};
    const DebugWindowList::WindowId before = rig.windows.windowId(added);
    rig.windows.remove(added, ports, rig.log);
    rig.main.syncWindows();
    rig.main.openFiles({(dir.path() / "aaa_001.plo").string()});
    ASSERT_EQ(rig.windows.windowCount(), 8);
    EXPECT_NE(rig.windows.windowId(added), before);
    for (int i = 0; i < rig.windows.windowCount(); ++i) {
        EXPECT_EQ(rig.main.windowWidget(i)->id(), rig.windows.windowId(i)) << i;
        EXPECT_EQ(&rig.main.windowWidget(i)->screen(), &rig.windows.window(i)) << i;
    }
}

TEST(FontDialog, TheChosenFontIsWrittenAndGivenToTheWindows) {
    MainWindowRig rig;
    const QWidget& control = *rig.shownWidget().control(0);
    const QRect before = control.geometry();
    QFont chosen = rig.shownWidget().font();
    chosen.setPointSize(chosen.pointSize() * 2);
    whenModal([&](QWidget& widget) {
        auto& dialog = static_cast<QFontDialog&>(widget);
        dialog.setCurrentFont(chosen);
        dialog.accept();
    });
    rig.main.fontCommand();
    EXPECT_EQ(rig.settings.readString("Hoofdvenster", "Fontnaam", ""),
              rig.shownWidget().font().family().toStdString());
    EXPECT_EQ(rig.settings.readInt("Hoofdvenster", "Fontpuntgrootte", 0), chosen.pointSize());
    EXPECT_EQ(rig.settings.readString("Hoofdvenster", "Fontbreedte", ""), "0");
    EXPECT_EQ(rig.shownWidget().font().pointSize(), chosen.pointSize());
    EXPECT_EQ(rig.main.messageWindow().list()->font().pointSize(), chosen.pointSize());
    // Sizes follow the font, places the window.
    EXPECT_GT(control.height(), before.height());
    EXPECT_GT(control.width(), before.width());
    EXPECT_EQ(control.pos(), before.topLeft());

    // Cancelled: nothing is written.
    rig.settings.writeString("Hoofdvenster", "Fontnaam", "x");
    whenModal([](QWidget& widget) { static_cast<QDialog&>(widget).reject(); });
    rig.main.fontCommand();
    EXPECT_EQ(rig.settings.readString("Hoofdvenster", "Fontnaam", ""), "x");
}

}  // namespace
}  // namespace veltro::gui
