// The road nodes and segments that route searches must not use. Both lists
// are stored from element 1 with a separate count: node k in element k;
// segment pair k in elements 2k − 1 and 2k, the count being the number of
// integers in use.
#pragma once

#include <vector>

inline constexpr int kAvoidSegmentInts = 100;  // room for 49 pairs from element 1
inline constexpr int kAvoidNodeInts = 50;      // room for 49 nodes from element 1

enum class AvoidToggle { Added, Removed, Refused };

struct AvoidState {
    int m_bAvoidActive = 0;  // the lists apply to route searches while set
    std::vector<int> m_avoidSegments = std::vector<int>(kAvoidSegmentInts, 0);
    int m_nAvoidSegmentCount = 0;
    std::vector<int> m_avoidNodes = std::vector<int>(kAvoidNodeInts, 0);
    int m_nAvoidNodeCount = 0;

    // Empties both lists and gives them fresh storage (100 and 50 integers).
    void Reset();

    bool HasNode(int node) const;
    // The segment a–b in either order.
    bool HasSegment(int a, int b) const;

    // Removes the node when listed (later entries move up by one), else
    // appends it; a full list refuses the append.
    AvoidToggle ToggleNode(int node);
    // Removes the pair a–b (either order) when listed (later pairs move up by
    // one pair), else appends it; a full list refuses the append.
    AvoidToggle ToggleSegment(int a, int b);

    // Entries in use, never more than the storage holds.
    int NodesInUse() const;
    int PairsInUse() const;

private:
    // Element of the node / pair number of the segment, 0 when not listed.
    int FindNode(int node) const;
    int FindSegment(int a, int b) const;
};
