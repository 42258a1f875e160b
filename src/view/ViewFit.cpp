#include "view/ViewFit.h"

#include "view/Viewport.h"

#include <algorithm>
#include <climits>


void MapBox::Add(MapPoint p)
{
    if (p.x <= minX)
        minX = p.x;
    if (p.x >= maxX)
        maxX = p.x;
    if (p.y <= minY)
        minY = p.y;
    if (p.y >= maxY)
        maxY = p.y;
}

void CentreAcross(ViewState& v, const MapBox& box, double scale, bool widthLimits)
{
    if (widthLimits)
        v.m_nOriginY = TruncateToInt32(box.minY - TruncateToInt32(((v.m_nClientHeight - box.Height() * scale) / scale) / 2));
    else
        v.m_nOriginX = TruncateToInt32(box.minX - TruncateToInt32(((v.m_nClientWidth - box.Width() * scale) / scale) / 2));
}
