#include "scheduler/connection_edge.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

// A connection test that answers the same every time and counts the looks.
struct SteadyConnection {
    bool connected;
    int looks = 0;
    std::function<bool()> test() {
        return [this] {
            ++looks;
            return connected;
        };
    }
};

TEST(ConnectionEdgeStep, OnlyAConnectionComingUpCountsAndDownIsSeenOnTheSecondLook) {
    struct Row {
        bool flag;
        bool connected;
        bool onConnect;
        bool newFlag;
        int looks;
    };
    for (const Row& row : {Row{false, true, true, true, 1}, Row{false, false, false, false, 2},
                           Row{true, true, false, true, 2}, Row{true, false, false, false, 2}}) {
        SteadyConnection connection{row.connected};
        const ConnectionEdge edge = connectionEdgeStep(row.flag, connection.test());
        SCOPED_TRACE(testing::Message() << "flag " << row.flag << ", up " << row.connected);
        EXPECT_EQ(edge.onConnect, row.onConnect);
        EXPECT_EQ(edge.connFlag, row.newFlag);
        EXPECT_EQ(connection.looks, row.looks);
    }
}

TEST(ConnectionEdgeStep, AConnectionThatComesUpBetweenTheTwoLooksWaitsForTheNextTick) {
    bool first = true;
    const ConnectionEdge edge = connectionEdgeStep(false, [&first] {
        const bool up = !first;
        first = false;
        return up;
    });
    EXPECT_FALSE(edge.onConnect);
    EXPECT_FALSE(edge.connFlag) << "so the next tick still sees it as new";
}

TEST(ConnectionLooks, AFailureReadsAsDownAndItsBoxComesOncePerSpell) {
    ConnectionLooks looks;
    const auto failed = looks.look(ConnectionAnswer::Failed);
    EXPECT_FALSE(failed.connected);
    EXPECT_TRUE(failed.showError);
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(looks.look(ConnectionAnswer::Failed).showError);

    const auto down = looks.look(ConnectionAnswer::NotConnected);
    EXPECT_FALSE(down.connected);
    EXPECT_FALSE(down.showError);
    EXPECT_TRUE(looks.look(ConnectionAnswer::Failed).showError) << "a new spell";

    const auto up = looks.look(ConnectionAnswer::Connected);
    EXPECT_TRUE(up.connected);
    EXPECT_FALSE(up.showError);
    EXPECT_TRUE(looks.look(ConnectionAnswer::Failed).showError);
}

}  // namespace
}  // namespace tolvane
