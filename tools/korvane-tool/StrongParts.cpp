#include "StrongParts.h"

#include <algorithm>
#include <utility>

// Tarjan's algorithm with an explicit stack of calls, so that a long street
// cannot overflow the program's own stack.
StrongParts FindStrongParts(const std::vector<std::vector<int>>& links)
{
    const int count = static_cast<int>(links.size());
    StrongParts out;
    out.part.assign(count, -1);
    std::vector<int> order(count, -1), low(count, 0);
    std::vector<int> open; // nodes visited whose part is not yet known
    std::vector<char> isOpen(count, 0);
    std::vector<std::pair<int, size_t>> calls; // node, next link to follow
    int visited = 0;
    const auto visit = [&](int n) {
        order[n] = low[n] = visited++;
        open.push_back(n);
        isOpen[n] = 1;
        calls.emplace_back(n, 0);
    };
    for (int root = 0; root < count; ++root) {
        if (order[root] >= 0)
            continue;
        visit(root);
        while (!calls.empty()) {
            const int u = calls.back().first;
            const size_t next = calls.back().second++;
            if (next < links[u].size()) {
                const int v = links[u][next];
                if (order[v] < 0)
                    visit(v);
                else if (isOpen[v])
                    low[u] = std::min(low[u], order[v]);
                continue;
            }
            calls.pop_back();
            if (!calls.empty())
                low[calls.back().first] = std::min(low[calls.back().first], low[u]);
            if (low[u] != order[u])
                continue;
            const int id = static_cast<int>(out.sizes.size());
            out.sizes.push_back(0);
            int w;
            do {
                w = open.back();
                open.pop_back();
                isOpen[w] = 0;
                out.part[w] = id;
                ++out.sizes[id];
            } while (w != u);
        }
    }
    for (int n = 0; n < count; ++n) {
        if (out.largest < 0 || out.sizes[out.part[n]] > out.sizes[out.largest])
            out.largest = out.part[n];
    }
    return out;
}

std::vector<char> ReachableFrom(const std::vector<std::vector<int>>& links, int start)
{
    std::vector<char> reached(links.size(), 0);
    std::vector<int> stack = {start};
    reached[start] = 1;
    while (!stack.empty()) {
        const int u = stack.back();
        stack.pop_back();
        for (int v : links[u]) {
            if (!reached[v]) {
                reached[v] = 1;
                stack.push_back(v);
            }
        }
    }
    return reached;
}

std::vector<std::vector<int>> Reversed(const std::vector<std::vector<int>>& links)
{
    std::vector<std::vector<int>> back(links.size());
    for (size_t u = 0; u < links.size(); ++u) {
        for (int v : links[u])
            back[v].push_back(static_cast<int>(u));
    }
    return back;
}
