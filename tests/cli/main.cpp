// The tests of kavrell-morph run the built binary; they read and write images
// with Qt, whose image plug-ins are found through the application object.

#include <gtest/gtest.h>

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
