#include <gtest/gtest.h>

#include <QApplication>
#include <QPixmap>
#include <QTest>

#include "support/temp_dir.h"
#include "tonvia/gui/message_window.h"
#include "tonvia/gui/window_run.h"

namespace tonvia::gui {
namespace {

TEST(MessageWindow, ShowsTheRunsMessagesAndKeepsItsOutcome) {
    test_support::TempDir directory;
    directory.write("ZXAPDEF.H",
                    "#define NUMBK 0\n#define SG02 0\n#define SGx 1\n#define NUMSG 2\n");
    directory.write("ZXAPTAB.C",
                    "struct REGELINGSTRUCT r = {\n 7,\n};\n"
                    "struct SG_DETECTIE t[] = {\n SG02_1 DK\n STOP\n");
    MessageWindow window;
    window.show();
    {
        WindowRun run(window, directory.path().string(), "", "2026-12-07");
        ASSERT_TRUE(QTest::qWaitFor([&] { return window.isFinished(); }, 10000));
    }
    EXPECT_EQ(window.exitStatus(), 1);
    EXPECT_EQ(window.text(),
              "Foutief getal in tabel signaalgroepen in ZXAPDEF.H\n"
              "Regel: #DEFINE SGX 1\n"
              "CONFIL niet gegenereerd vanwege fout in invoerfile(s).");
    EXPECT_TRUE(window.isVisible()) << "the window stays open after the run";

    directory.write("ZXAPDEF.H", "#define NUMBK 0\n#define SG02 0\n#define NUMSG 1\n");
    MessageWindow second;
    second.show();
    {
        WindowRun run(second, directory.path().string(), "102", "2026-12-07");
        ASSERT_TRUE(QTest::qWaitFor([&] { return second.isFinished(); }, 10000));
    }
    EXPECT_EQ(second.exitStatus(), 0);
    EXPECT_EQ(second.text(), "TONVIA succesvol voltooid");
    EXPECT_TRUE(directory.exists("CONFIL"));

    // For a look at the window as a person sees it.
    window.grab().save(QStringLiteral(TEST_BINARY_DIR "/tonviaw.png"));
}

}  // namespace
}  // namespace tonvia::gui

// The application object must outlive every widget and go before Qt's own
// globals, so it lives in main rather than in a static.
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
