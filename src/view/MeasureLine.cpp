#include "view/MeasureLine.h"

#include "map/Geometry.h"
#include "view/MapState.h"
#include "view/Overlays.h"

#include <QPolygon>

namespace {

// The colour of the rubber band that measures a drag.
const QColor kMeasureColour(0, 0, 150);

} // namespace

double MeasureLineKm(const std::vector<MapPoint>& points, double mapScale)
{
    double length = 0;
    for (size_t i = 1; i < points.size(); ++i)
        length += PointDistance(points[i - 1], points[i]);
    return length * mapScale * 0.000001;
}

QString MeasuredLengthText(double km)
{
    return QString::asprintf("Độ dài là :%.3f Km", km);
}

void DrawMeasureLine(QPainter& dc, const MapState& s)
{
    if (s.m_measureLine.empty())
        return;
    QPolygon line;
    for (const MapPoint p : s.m_measureLine)
        line << MapToScreen(s, p);
    const int f = s.m_nDisplayFactor;
    dc.save();
    dc.setPen(SolidPen(kMeasureColour, 2 * f));
    dc.drawPolyline(line);
    dc.setBrush(kMeasureColour);
    for (const QPoint p : line)
        dc.drawEllipse(p, 3 * f, 3 * f);
    dc.restore();
}
