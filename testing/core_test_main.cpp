#include <gtest/gtest.h>

#include <QCoreApplication>

// Tests of code without widgets still need an application object for events and timers.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
