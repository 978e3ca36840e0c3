// The screen database reader on any bytes; what it reads must write and read
// back to the same screens. Every screen read then goes through the user
// screen writer, the screen editor and the item dialog, because a damaged
// database reaches those with whatever positions it holds.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "pendrel/editor/item_chooser.h"
#include "pendrel/editor/screen_editor.h"
#include "pendrel/generator/user_screen_page.h"
#include "pendrel/project/screen_database.h"
#include "support/pendrel/recording_prompts.h"

namespace {

void exerciseScreen(pendrel::ScreenRecord screen) {
    (void)pendrel::writeUserScreen(screen).render();
    test_support::RecordingPendrelPrompts prompts;
    prompts.yesNoAnswer = true;
    {
        pendrel::ScreenEditor editor(screen);
        if (!editor.controls().empty()) {
            editor.select(0);
            editor.move(0, 79, 21);
        }
        editor.ok(prompts);
        editor.deleteSelected(prompts);
        editor.takeOver();
    }
    pendrel::ProjectData data;
    pendrel::ItemChooser chooser(screen, data);
    (void)chooser.cursor();
    (void)chooser.lowestFreeRank();
    chooser.addText("x", prompts);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    pendrel::ScreenList screens = pendrel::parseScreenDatabase(text).screens;
    std::string written = pendrel::formatScreenDatabase(screens);
    // Whatever was read is written so that it reads back whole and the same,
    // in lines that a reader of 255 characters at a time takes in one piece.
    pendrel::ScreenDatabase again = pendrel::parseScreenDatabase(written);
    if (!again.complete() || again.screens != screens) {
        std::abort();
    }
    for (std::size_t pos = 0, end = 0; pos < written.size(); pos = end + 1) {
        end = written.find('\n', pos);
        if (end == std::string::npos || end - pos > 255) {
            std::abort();
        }
    }
    for (std::size_t i = 0; i < screens.size() && i < 4; ++i)
        exerciseScreen(screens[i]);
    return 0;
}
