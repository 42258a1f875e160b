// Strongly connected parts of a directed graph: within a part every node can
// be reached from every other. A road graph is usable everywhere only when it
// is one such part: a route can then run from any node to any other.
#pragma once

#include <vector>

struct StrongParts {
    std::vector<int> part;  // the part of each node
    std::vector<int> sizes; // nodes in each part
    int largest = -1;       // the part with most nodes; on a tie, the one holding the lowest node
};

// links[n] lists the nodes that node n links to; nodes are 0 .. links.size() − 1.
StrongParts FindStrongParts(const std::vector<std::vector<int>>& links);

// Which nodes can be reached from start along the links.
std::vector<char> ReachableFrom(const std::vector<std::vector<int>>& links, int start);

// The same links turned round.
std::vector<std::vector<int>> Reversed(const std::vector<std::vector<int>>& links);
