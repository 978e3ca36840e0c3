// Makes the README's pictures of the designer: its own windows on a copy of
// the sample intersection, drawn offscreen and saved with QWidget::grab.
//   pendrel_screenshots OUTPUT_DIR SAMPLE_DIR
#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "pendrel/gui/canvas_widget.h"
#include "pendrel/gui/generation_dialog.h"
#include "pendrel/gui/item_choice_dialog.h"
#include "pendrel/gui/main_window.h"
#include "pendrel/gui/screen_edit_dialog.h"
#include "pendrel/gui/screen_list_dialog.h"

namespace fs = std::filesystem;

namespace {

// Answers as a user would who reads the sample without its PC sections.
class QuietPrompts : public pendrel::Prompts {
  public:
    void warning(std::string_view text) override { std::cerr << text << '\n'; }
    void information(std::string_view, std::string_view) override {}
    bool askYesNo(std::string_view, std::string_view) override { return true; }
    bool askPcOmgeving(std::string_view, std::string_view) override { return false; }
    std::optional<std::string> askText(std::string_view, std::string_view,
                                       std::string_view) override {
        return std::nullopt;
    }
    ExistingFile askExistingFile(std::string_view) override { return ExistingFile::Cancel; }
};

class QuietProgress : public pendrel::Progress {
  public:
    void open(std::string_view) override {}
    void add(std::string_view) override {}
    void close() override {}
};

bool save(QWidget& widget, const fs::path& file) {
    widget.show();
    QApplication::processEvents();
    if (!widget.grab().save(QString::fromStdString(file.string()))) {
        std::cerr << "pendrel_screenshots: cannot write " << file << '\n';
        return false;
    }
    std::cout << file.string() << '\n';
    return true;
}

// A user screen as one composes it: the sample's first screen with a text
// added and one item dragged to the right, selected.
void compose(pendrel::gui::ScreenEditDialog& dialog) {
    pendrel::gui::CanvasWidget* canvas = dialog.canvas();
    const auto& controls = dialog.editor().controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (!controls[i].isText && controls[i].row == 9) {
            const QPoint from = canvas->cellCentre(controls[i].column, controls[i].row);
            const QPoint to = from + QPoint(canvas->geometry().cellWidth() * 30,
                                            canvas->geometry().cellHeight() * 2);
            QTest::mousePress(canvas, Qt::LeftButton, {}, from);
            QTest::mouseMove(canvas, to);
            QTest::mouseRelease(canvas, Qt::LeftButton, {}, to);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "Gebruik: pendrel_screenshots UITVOERDIRECTORY VOORBEELDDIRECTORY\n";
        return 2;
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    const fs::path output = fs::absolute(argv[1]);
    const fs::path sample = fs::absolute(argv[2]);
    QApplication application(argc, argv);

    const fs::path work = fs::temp_directory_path() / "pendrel_screenshots";
    const fs::path project = work / "kruispunt";
    fs::remove_all(work);
    fs::create_directories(project);
    for (const char* name : {"ZXAPDEF.H", "ZXAPTAB.C", "zxapcod.c", "pendrel.db"}) {
        fs::copy_file(sample / name, project / name);
    }
    fs::create_directories(output);

    pendrel::gui::MainWindow window(pendrel::ProjectSettings(work / "pendrel.ini"), project);
    QuietPrompts prompts;
    QuietProgress progress;
    if (!window.session().project().load(prompts, progress)) {
        return 1;
    }
    window.refresh();
    bool saved = save(window, output / "pendrel_main_window.png");

    pendrel::gui::GenerationDialog generation(
        &window, window.session().generationSettings(pendrel::GenerationCommand::Acceptance));
    saved = save(generation, output / "pendrel_generation_dialog.png") && saved;

    pendrel::gui::ScreenListDialog list(&window, window.session().project());
    saved = save(list, output / "pendrel_screen_list.png") && saved;

    pendrel::ScreenRecord& screen = window.session().project().screens().front();
    pendrel::gui::ScreenEditDialog editor(&window, screen, window.session().project().data());
    editor.show();
    compose(editor);
    saved = save(editor, output / "pendrel_screen_editor.png") && saved;

    pendrel::gui::ItemChoiceDialog items(&window, screen, window.session().project().data());
    items.column(0)->setCurrentRow(15);  // ontruimingstijden
    items.column(1)->setCurrentRow(2);   // inst_O_TIJD
    items.column(2)->setCurrentRow(0);
    saved = save(items, output / "pendrel_item_dialog.png") && saved;

    fs::remove_all(work);
    return saved ? 0 : 1;
}
