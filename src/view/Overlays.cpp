#include "view/Overlays.h"

#include "view/MapState.h"
#include "places/Categories.h"
#include "view/Picking.h"
#include "view/Renderer.h"
#include "view/Viewport.h"

#include <QFontMetrics>
#include <QPolygon>
#include <algorithm>
#include <cmath>

namespace {

const QColor kHighlightColour(255, 0, 0);
const QColor kBusColour(128, 9, 219);
const QColor kRouteColour(255, 0, 0);
const QColor kGpsColour(255, 127, 0);
const QColor kRoadColour(140, 98, 57);
const QColor kFlagPoleColour(93, 34, 42);

void DrawAvoidMarks(QPainter& dc, const MapState& s)
{
    const auto nodePoint = [&](int node) { return NodeOnScreen(s, node); };
    dc.setPen(SolidPen(Qt::black, 3));
    dc.setBrush(Qt::NoBrush);
    for (int k = 1; k <= s.PairsInUse(); ++k) {
        const auto a = nodePoint(s.m_avoidSegments[2 * k - 1]);
        const auto b = nodePoint(s.m_avoidSegments[2 * k]);
        if (a && b)
            dc.drawLine(*a, *b);
    }
    for (int k = 1; k <= s.NodesInUse(); ++k) {
        if (const auto p = nodePoint(s.m_avoidNodes[k]))
            dc.drawEllipse(QRect(p->x() - 5, p->y() - 5, 10, 10));
    }
}

void DrawSelectedStreets(QPainter& dc, MapState& s)
{
    if (s.m_nSelectedWays <= 0 && !s.m_bHighlightOnce)
        return;
    dc.setPen(SolidPen(kHighlightColour, 2 * s.m_nDisplayFactor));
    for (int e = 0; e < s.m_nSelectedWays; ++e) {
        const int w = s.m_selectedWays[e];
        for (int j = 0; j < s.m_nWayPointLast[w]; ++j)
            DrawWaySegment(dc, s, s.m_pWayPoints[w][j], s.m_pWayPoints[w][j + 1], s.m_strWayDirection[w]);
    }
    if (s.m_bHighlightOnce) {
        s.m_bHighlightOnce = 0;
        s.m_nSelectedWays = 0;
    }
}

void DrawSelectedBus(QPainter& dc, const MapState& s)
{
    dc.setPen(SolidPen(kBusColour, 2 * s.m_nDisplayFactor));
    for (int e = 1; e <= s.m_nSelectedBus; ++e) {
        const int b = s.m_selectedBus[e];
        for (int j = 0; j < s.m_nBusPointLast[b]; ++j)
            DrawWaySegment(dc, s, s.m_pBusPoints[b][j], s.m_pBusPoints[b][j + 1], QStringLiteral("99"));
    }
}

void DrawPlaceIcons(QPainter& dc, const MapState& s)
{
    if (!(s.m_dScale >= 3 * s.m_dBaseScale))
        return;
    for (int e = 0; e <= s.m_nPlaceLast; ++e) {
        const MapPoint p = s.m_ptPlace[e];
        if (CategoryShown(s.m_showCategory, s.m_nPlaceCategory[e]) &&
            PointInClient(s.m_nClientWidth, s.m_nClientHeight, p.x, p.y, s.m_nOriginX, s.m_nOriginY, s.m_dScale))
            DrawPlaceIcon(dc, s, s.m_nPlaceCategory[e], p);
    }
}

void DrawFoundPlace(QPainter& dc, const MapState& s, int e, bool square)
{
    DrawPlaceIcon(dc, s, s.m_nPlaceCategory[e], s.m_ptPlace[e]);
    if (square) {
        const QPoint at = MapToScreen(s, s.m_ptPlace[e]);
        DrawSquareMarker(dc, at.x(), at.y(), 20, Qt::black);
    }
}

void DrawSearchResults(QPainter& dc, const MapState& s)
{
    if (s.m_bSearchResult != 1)
        return;
    for (int e = 0; e <= s.m_nPlaceLast; ++e) {
        const int code = s.m_nPlaceCategory[e];
        const bool named = s.m_strPlaceName[e] == s.m_strSearchName;
        if (IsAllNames(s.m_strSearchName)) {
            if (code == s.m_nFoundCategory)
                DrawFoundPlace(dc, s, e, true);
        } else if (s.m_bPetrolResult == 1) {
            if (code == kPetrolCategory)
                DrawFoundPlace(dc, s, e, true);
        } else if (s.m_bAtmResult == 1) {
            if (code == kAtmCategory && named)
                DrawFoundPlace(dc, s, e, true);
        } else if (!CategoryShown(s.m_showCategory, s.m_nFoundCategory)) {
            // The searched category is filtered out: its places still show.
            if (named)
                DrawFoundPlace(dc, s, e, false);
        }
    }
}

// The end of a route leg: the pixel point itself when the picked segment is a
// single point, else its foot on the picked segment's line.
QPoint LegEnd(const ViewState& v, MapPoint point, const std::array<MapPoint, 2>& segment)
{
    const QPoint p = MapToScreen(v, point);
    if (segment[0] == segment[1])
        return p;
    const QPoint a = MapToScreen(v, segment[0]);
    const QPoint b = MapToScreen(v, segment[1]);
    const MapPoint foot = ProjectOnLine(p.x(), p.y(), a.x(), a.y(), b.x(), b.y());
    return {foot.x, foot.y};
}

QString DrawRoute(QPainter& dc, const MapState& s)
{
    const std::vector<MapPoint>& R = s.m_routePoints;
    const int L = s.m_nRouteLast;
    dc.setPen(SolidPen(kRouteColour, 2 * s.m_nDisplayFactor));
    if (L >= 2 && static_cast<int>(R.size()) > L) {
        for (int f = 1; f <= L - 2; ++f)
            DrawWaySegment(dc, s, R[f], R[f + 1], QString());
        dc.drawLine(MapToScreen(s, R[1]), LegEnd(s, R[0], s.m_segTo));
        dc.drawLine(MapToScreen(s, R[L - 1]), LegEnd(s, R[L], s.m_segFrom));
    }
    const QPoint from = MapToScreen(s, s.m_ptFromTap);
    const QPoint to = MapToScreen(s, s.m_ptToTap);
    DrawFlag(dc, from.x(), from.y(), kStartFlagColour);
    DrawFlag(dc, to.x(), to.y(), kEndFlagColour);
    return RouteLengthMessage(s.m_dRouteLength, s.m_dMapScale, s.m_strRouteText);
}


void DrawPolyline(QPainter& dc, const ViewState& v, const std::vector<MapPoint>& points, int count)
{
    count = std::min<int>(count, static_cast<int>(points.size()));
    for (int i = 1; i < count; ++i)
        dc.drawLine(MapToScreen(v, points[i - 1]), MapToScreen(v, points[i]));
}

}  // namespace

QPen SolidPen(const QColor& colour, int width)
{
    return QPen(colour, width <= 1 ? 0 : width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QFont DefaultFont(int displayFactor)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(displayFactor > 1 ? 18 : 11);
    return font;
}

QFont CellHeightFont(const QString& family, int cellHeight, QFont::Weight weight)
{
    QFont font(family);
    font.setWeight(weight);
    // The em size that gives a character cell (ascent + descent) of the
    // height asked, from the family's proportions at a large size.
    font.setPixelSize(1000);
    const double emPerCell = 1000.0 / std::max(1, QFontMetrics(font).height());
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(cellHeight * emPerCell))));
    return font;
}

void DrawTextAt(QPainter& dc, int x, int y, const QString& text)
{
    // Text anchored this far off any window shows nothing, and its baseline
    // would pass the integer range.
    constexpr int kFar = 1 << 24;
    if (x < -kFar || x > kFar || y < -kFar || y > kFar)
        return;
    dc.drawText(QPoint(x, y + dc.fontMetrics().ascent()), text);
}

void DrawFlag(QPainter& dc, int x, int y, const QColor& colour)
{
    dc.save();
    dc.setPen(SolidPen(colour, 1));
    dc.setBrush(colour);
    dc.drawPolygon(QPolygon({QPoint(x, y - 15), QPoint(x, y - 30), QPoint(x + 15, y - 20)}));
    dc.setPen(SolidPen(kFlagPoleColour, 3));
    dc.drawLine(x, y, x, y - 30);
    dc.restore();
}

void DrawSquareMarker(QPainter& dc, int x, int y, int side, const QColor& colour)
{
    const int h = side / 2;
    dc.save();
    dc.setPen(SolidPen(colour, 3));
    dc.setBrush(Qt::NoBrush);
    dc.drawPolygon(QPolygon({QPoint(x - h, y - h), QPoint(x + h, y - h), QPoint(x + h, y + h), QPoint(x - h, y + h)}));
    dc.restore();
}

int PlaceIconSize(const ViewState& v)
{
    if (v.m_nDisplayFactor == 1) {
        if (v.m_dScale >= 16 * v.m_dBaseScale)
            return 24;
        return v.m_dScale >= 8 * v.m_dBaseScale ? 18 : 12;
    }
    return v.m_dScale >= 8 * v.m_dBaseScale ? 24 : 18;
}

void DrawPlaceIcon(QPainter& dc, const ViewState& view, int code, MapPoint where)
{
    // A code without an icon draws nothing.
    const QImage& icon = CategoryIcon(code);
    if (icon.isNull())
        return;
    const int s = PlaceIconSize(view);
    const QPoint at = MapToScreen(view, where);
    dc.drawImage(QRect(at.x() - s / 2, at.y() - s / 2, s, s), icon);
}

void DrawTurnArrow(QPainter& dc, int x, int y, int direction, int size, const QColor& colour)
{
    struct Template {
        QPoint tip;
        std::array<QPoint, 7> rest;
    };
    static const std::array<Template, 4> kTemplates = {{
        {{0, 4}, {{{4, 0}, {4, 3}, {16, 0}, {12, 4}, {16, 8}, {4, 5}, {4, 8}}}},
        {{4, 0}, {{{8, 4}, {5, 4}, {8, 16}, {4, 12}, {0, 16}, {3, 4}, {0, 4}}}},
        {{16, 4}, {{{12, 8}, {12, 5}, {0, 8}, {4, 4}, {0, 0}, {12, 3}, {12, 0}}}},
        {{4, 16}, {{{0, 12}, {3, 12}, {0, 0}, {4, 4}, {8, 0}, {5, 12}, {8, 12}}}},
    }};
    if (direction < 1 || direction > 4)
        return;
    const Template& t = kTemplates[direction - 1];
    const auto place = [&](QPoint u) { return QPoint(x + size * (u.x() - t.tip.x()), y + size * (u.y() - t.tip.y())); };
    QPolygon polygon;
    polygon << place(t.tip) << place(t.tip);
    for (QPoint u : t.rest)
        polygon << place(u);
    dc.save();
    dc.setPen(SolidPen(colour, 1));
    dc.setBrush(colour);
    dc.drawPolygon(polygon);
    dc.restore();
}

void DrawCallout(QPainter& dc, int x, int y, int quadrant, int size, const QColor& colour)
{
    const int s = size;
    QPolygon polygon;
    switch (quadrant) {
    case 1: polygon << QPoint(x, y + s) << QPoint(x - s, y - s) << QPoint(x + s, y) << QPoint(x, y); break;
    case 2: polygon << QPoint(x, y + s) << QPoint(x + s, y - s) << QPoint(x - s, y) << QPoint(x, y); break;
    case 3: polygon << QPoint(x, y - s) << QPoint(x + s, y + s) << QPoint(x - s, y) << QPoint(x, y); break;
    case 4: polygon << QPoint(x, y - s) << QPoint(x - s, y + s) << QPoint(x + s, y) << QPoint(x, y); break;
    default: return;
    }
    dc.save();
    dc.setPen(SolidPen(colour, 1));
    dc.setBrush(colour);
    dc.drawPolygon(polygon);
    dc.restore();
}

QString RouteLengthMessage(double lengthMapUnits, double mapScale, const QString& routeText)
{
    // The number is formatted first and the street text appended, so a "%" in
    // a street name is shown as it is.
    return QString::asprintf("Độ dài :%.3f Km", lengthMapUnits * mapScale * 0.000001) + routeText;
}

QString DrawMapOverlays(QPainter& dc, MapState& s)
{
    QString routeMessage;
    if (s.m_bAvoidActive)
        DrawAvoidMarks(dc, s);
    DrawSelectedStreets(dc, s);
    if (s.m_nSelectedBus >= 1)
        DrawSelectedBus(dc, s);
    DrawPlaceIcons(dc, s);
    DrawSearchResults(dc, s);
    if (s.m_bRouteShown == 1)
        routeMessage = DrawRoute(dc, s);
    if (s.m_bRoutePick && s.m_bPickFrom == 0) {
        const QPoint from = MapToScreen(s, s.m_ptFromTap);
        DrawFlag(dc, from.x(), from.y(), kStartFlagColour);
    }
    if (s.m_bGpsValid == 1)
        DrawGpsMarker(dc, MapToScreen(s, s.m_ptGps));
    for (int k = 0; k <= s.m_nMarkLast; ++k) {
        const QPoint p = MapToScreen(s, s.m_marks[k]);
        DrawFlag(dc, p.x(), p.y(), kEndFlagColour);
    }
    return routeMessage;
}

void DrawRoadAndTrack(QPainter& dc, const MapState& s)
{
    if (s.m_bRoadLoaded) {
        dc.setPen(SolidPen(kRoadColour, 4));
        DrawPolyline(dc, s, s.m_pRoadPoints, s.m_nRoadCount);
    }
    if (s.m_bGpsTrackOn == 1)
        DrawTrack(dc, s, s);
}

void DrawGpsMarker(QPainter& dc, QPoint at)
{
    dc.setPen(SolidPen(kGpsColour, 3));
    dc.setBrush(kGpsColour);
    dc.drawEllipse(QRect(at.x() - 3, at.y() - 3, 6, 6));
}

void DrawTrack(QPainter& dc, const ViewState& view, const GpsDisplayState& gps)
{
    dc.setPen(SolidPen(kGpsColour, 4));
    DrawPolyline(dc, view, gps.m_pTrackPoints, gps.m_nTrackCount);
}
