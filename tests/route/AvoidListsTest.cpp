#include "route/AvoidLists.h"

#include <gtest/gtest.h>

namespace {

std::vector<int> NodesOf(const AvoidState& avoid)
{
    return std::vector<int>(avoid.m_avoidNodes.begin() + 1, avoid.m_avoidNodes.begin() + 1 + avoid.NodesInUse());
}

std::vector<int> SegmentsOf(const AvoidState& avoid)
{
    const auto first = avoid.m_avoidSegments.begin() + 1;
    return std::vector<int>(first, first + 2 * avoid.PairsInUse());
}

TEST(AvoidLists, ResetGivesEmptyListsWithFreshStorage)
{
    AvoidState avoid;
    avoid.ToggleNode(7);
    avoid.ToggleSegment(3, 4);
    avoid.m_avoidNodes.resize(3);
    avoid.Reset();
    EXPECT_EQ(avoid.m_nAvoidNodeCount, 0);
    EXPECT_EQ(avoid.m_nAvoidSegmentCount, 0);
    EXPECT_EQ(avoid.m_avoidNodes.size(), 50u);
    EXPECT_EQ(avoid.m_avoidSegments.size(), 100u);
    EXPECT_FALSE(avoid.HasNode(7));
    EXPECT_FALSE(avoid.HasSegment(3, 4));
}

TEST(AvoidLists, NodesAreStoredFromElementOneAndToggled)
{
    AvoidState avoid;
    avoid.Reset();
    EXPECT_EQ(avoid.ToggleNode(12), AvoidToggle::Added);
    EXPECT_EQ(avoid.ToggleNode(5), AvoidToggle::Added);
    EXPECT_EQ(avoid.ToggleNode(9), AvoidToggle::Added);
    EXPECT_EQ(avoid.m_nAvoidNodeCount, 3);
    EXPECT_EQ(avoid.m_avoidNodes[1], 12);
    EXPECT_EQ(avoid.m_avoidNodes[3], 9);
    EXPECT_TRUE(avoid.HasNode(5));
    EXPECT_FALSE(avoid.HasNode(6));

    // Tapping a listed node again removes it; the later entries move up.
    EXPECT_EQ(avoid.ToggleNode(12), AvoidToggle::Removed);
    EXPECT_EQ(NodesOf(avoid), (std::vector<int>{5, 9}));
    EXPECT_FALSE(avoid.HasNode(12));
    EXPECT_EQ(avoid.ToggleNode(12), AvoidToggle::Added);
    EXPECT_EQ(NodesOf(avoid), (std::vector<int>{5, 9, 12}));
}

TEST(AvoidLists, SegmentsMatchInEitherOrderAndRemoveWholePairs)
{
    AvoidState avoid;
    avoid.Reset();
    EXPECT_EQ(avoid.ToggleSegment(1, 2), AvoidToggle::Added);
    EXPECT_EQ(avoid.ToggleSegment(3, 4), AvoidToggle::Added);
    EXPECT_EQ(avoid.ToggleSegment(5, 6), AvoidToggle::Added);
    EXPECT_EQ(avoid.m_nAvoidSegmentCount, 6);
    EXPECT_EQ(avoid.m_avoidSegments[3], 3);
    EXPECT_EQ(avoid.m_avoidSegments[4], 4);
    EXPECT_TRUE(avoid.HasSegment(4, 3));
    EXPECT_FALSE(avoid.HasSegment(2, 3));  // ends of two different pairs

    // The pair is found whichever end was listed first; later pairs move up.
    EXPECT_EQ(avoid.ToggleSegment(4, 3), AvoidToggle::Removed);
    EXPECT_EQ(SegmentsOf(avoid), (std::vector<int>{1, 2, 5, 6}));
    EXPECT_EQ(avoid.m_nAvoidSegmentCount, 4);
    EXPECT_EQ(avoid.ToggleSegment(2, 1), AvoidToggle::Removed);
    EXPECT_EQ(SegmentsOf(avoid), (std::vector<int>{5, 6}));
}

TEST(AvoidLists, FullListsRefuseTheFiftiethEntry)
{
    AvoidState avoid;
    avoid.Reset();
    for (int n = 1; n <= 49; ++n)
        ASSERT_EQ(avoid.ToggleNode(n), AvoidToggle::Added) << n;
    EXPECT_EQ(avoid.ToggleNode(50), AvoidToggle::Refused);
    EXPECT_EQ(avoid.m_nAvoidNodeCount, 49);
    EXPECT_FALSE(avoid.HasNode(50));
    EXPECT_EQ(avoid.m_avoidNodes.size(), 50u);
    // Removing one makes room again.
    EXPECT_EQ(avoid.ToggleNode(20), AvoidToggle::Removed);
    EXPECT_EQ(avoid.ToggleNode(50), AvoidToggle::Added);
    EXPECT_EQ(avoid.m_avoidNodes[49], 50);

    for (int k = 1; k <= 49; ++k)
        ASSERT_EQ(avoid.ToggleSegment(k, k + 100), AvoidToggle::Added) << k;
    EXPECT_EQ(avoid.ToggleSegment(50, 150), AvoidToggle::Refused);
    EXPECT_EQ(avoid.m_nAvoidSegmentCount, 98);
    EXPECT_EQ(avoid.m_avoidSegments.size(), 100u);
    EXPECT_TRUE(avoid.HasSegment(149, 49));
    EXPECT_EQ(avoid.ToggleSegment(149, 49), AvoidToggle::Removed);
    EXPECT_EQ(avoid.ToggleSegment(50, 150), AvoidToggle::Added);
}

TEST(AvoidLists, CountsOutsideTheStorageAreBounded)
{
    AvoidState avoid;
    avoid.Reset();
    avoid.m_nAvoidNodeCount = 1000;
    avoid.m_nAvoidSegmentCount = -4;
    EXPECT_EQ(avoid.NodesInUse(), 49);
    EXPECT_EQ(avoid.PairsInUse(), 0);
    EXPECT_EQ(avoid.ToggleNode(3), AvoidToggle::Refused);
    EXPECT_EQ(avoid.ToggleSegment(1, 2), AvoidToggle::Added);
    EXPECT_EQ(avoid.m_nAvoidSegmentCount, 2);

    // Lists without storage hold nothing and take nothing.
    avoid.m_avoidNodes.clear();
    avoid.m_avoidSegments.clear();
    EXPECT_FALSE(avoid.HasNode(0));
    EXPECT_FALSE(avoid.HasSegment(1, 2));
    EXPECT_EQ(avoid.ToggleNode(3), AvoidToggle::Refused);
    EXPECT_EQ(avoid.ToggleSegment(1, 2), AvoidToggle::Refused);
}

}  // namespace
