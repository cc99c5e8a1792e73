#include <QCoreApplication>
#include <gtest/gtest.h>

// The application object makes this thread the user-interface thread for the hand-over.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
