#include <gtest/gtest.h>

#include <QApplication>
#include <clocale>

#include "app/AppStyle.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    applyVisualStyle(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
