#include "route/AvoidLists.h"

#include "base/Trace.h"

#include <algorithm>

namespace {

// Integers in use from element 1, bounded by the storage so that a count set
// from outside never leads past the list.
int IntsInUse(int count, const std::vector<int>& list)
{
    const int room = std::max(static_cast<int>(list.size()) - 1, 0);
    return std::clamp(count, 0, room);
}

}  // namespace

void AvoidState::Reset()
{
    m_avoidSegments.assign(kAvoidSegmentInts, 0);
    m_nAvoidSegmentCount = 0;
    m_avoidNodes.assign(kAvoidNodeInts, 0);
    m_nAvoidNodeCount = 0;
}

int AvoidState::NodesInUse() const { return IntsInUse(m_nAvoidNodeCount, m_avoidNodes); }

int AvoidState::PairsInUse() const { return IntsInUse(m_nAvoidSegmentCount, m_avoidSegments) / 2; }

int AvoidState::FindNode(int node) const
{
    for (int i = 1; i <= NodesInUse(); ++i) {
        if (m_avoidNodes[i] == node)
            return i;
    }
    return 0;
}

int AvoidState::FindSegment(int a, int b) const
{
    for (int k = 1; k <= PairsInUse(); ++k) {
        const int p = m_avoidSegments[2 * k - 1];
        const int q = m_avoidSegments[2 * k];
        if ((p == a && q == b) || (p == b && q == a))
            return k;
    }
    return 0;
}

bool AvoidState::HasNode(int node) const { return FindNode(node) > 0; }

bool AvoidState::HasSegment(int a, int b) const { return FindSegment(a, b) > 0; }

AvoidToggle AvoidState::ToggleNode(int node)
{
    const int used = NodesInUse();
    if (const int i = FindNode(node)) {
        const auto list = m_avoidNodes.begin();
        std::copy(list + i + 1, list + used + 1, list + i);
        m_nAvoidNodeCount = used - 1;
        return AvoidToggle::Removed;
    }
    if (used + 1 >= static_cast<int>(m_avoidNodes.size())) {
        Trace("ToggleNode: the avoid list is full (%d nodes); node %d is not added", used, node);
        return AvoidToggle::Refused;
    }
    m_avoidNodes[used + 1] = node;
    m_nAvoidNodeCount = used + 1;
    return AvoidToggle::Added;
}

AvoidToggle AvoidState::ToggleSegment(int a, int b)
{
    const int pairs = PairsInUse();
    if (const int k = FindSegment(a, b)) {
        const auto list = m_avoidSegments.begin();
        std::copy(list + 2 * k + 1, list + 2 * pairs + 1, list + 2 * k - 1);
        m_nAvoidSegmentCount = 2 * (pairs - 1);
        return AvoidToggle::Removed;
    }
    if (2 * pairs + 2 >= static_cast<int>(m_avoidSegments.size())) {
        Trace("ToggleSegment: the avoid list is full (%d segments); %d-%d is not added", pairs, a, b);
        return AvoidToggle::Refused;
    }
    m_avoidSegments[2 * pairs + 1] = a;
    m_avoidSegments[2 * pairs + 2] = b;
    m_nAvoidSegmentCount = 2 * pairs + 2;
    return AvoidToggle::Added;
}
