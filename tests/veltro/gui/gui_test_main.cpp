#include <gtest/gtest.h>

#include <QApplication>

// The application object must outlive every widget and go before Qt's own
// globals, so it lives in main rather than in a static.
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // A test that closes its main window must not end the loops of the next.
    QApplication::setQuitOnLastWindowClosed(false);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
