#include "view/Renderer.h"

#include "view/MapState.h"
#include "view/MeasureLine.h"
#include "view/Overlays.h"
#include "view/ScaleBar.h"
#include "view/Viewport.h"

#include <QFontMetrics>
#include <QPolygon>
#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace {

const std::array<QColor, 8> kDistrictColours = {
    QColor(255, 170, 70), QColor(18, 222, 137),  QColor(255, 255, 0), QColor(255, 3, 242),
    QColor(243, 172, 204), QColor(72, 245, 160), QColor(255, 179, 0), QColor(18, 222, 137)};
const QColor kHaNoiColour(255, 0, 0);
const QColor kRiverPenColour(67, 79, 91);
const QColor kParkColour(108, 222, 104);
const QColor kStreetColour(255, 255, 255);
const QColor kArrowColour(255, 0, 0);

// Every polygon passes through a buffer of 300 pixel points.
constexpr int kPolygonBuffer = 300;

// How far an arrowhead reaches from its tip, with room to spare.
constexpr double kArrowReach = 16;

// The part of the pixel segment A + t (dx, dy), t in [0, 1], that lies within
// reach of the window, as [from, to]; from > to when none does.
std::pair<double, double> VisibleStretch(const ViewState& v, double ax, double ay, double dx, double dy)
{
    double from = 0, to = 1;
    const auto clip = [&](double p, double q) {
        // p·t ≤ q must hold.
        if (p == 0)
            return q >= 0;
        const double t = q / p;
        if (p < 0)
            from = std::max(from, t);
        else
            to = std::min(to, t);
        return true;
    };
    const double r = kArrowReach;
    if (!clip(-dx, ax + r) || !clip(dx, v.m_nClientWidth + r - ax) || !clip(-dy, ay + r) ||
        !clip(dy, v.m_nClientHeight + r - ay))
        return {1, 0};
    return {from, to};
}

void FillPolygon(QPainter& dc, const ViewState& v, const std::vector<MapPoint>& points, int last, QPolygon& buffer)
{
    if (last <= 0)
        return;
    const int n = std::min(last + 1, kPolygonBuffer);
    buffer.resize(n);
    for (int i = 0; i < n; ++i)
        buffer[i] = MapToScreen(v, points[i]);
    dc.drawPolygon(buffer);
}

void DrawPolygonName(QPainter& dc, const ViewState& v, const std::vector<MapPoint>& points, int last,
                     const QString& name)
{
    if (!(v.m_dScale > 0.4) || last < 2)
        return;
    // Anchored at the second-to-last point of the outline, in the default
    // text colour whatever outline pen is selected.
    const QPoint at = MapToScreen(v, points[last - 2]);
    const QPen outline = dc.pen();
    dc.setPen(Qt::black);
    dc.setFont(DefaultFont(v.m_nDisplayFactor));
    DrawTextAt(dc, at.x(), at.y(), name);
    dc.setPen(outline);
}

void DrawDistricts(QPainter& dc, const MapState& s, QPolygon& buffer)
{
    dc.setPen(Qt::NoPen);
    dc.setBrush(kDistrictColours[0]);
    for (int j = 0; j <= s.m_nDistrictLast; ++j) {
        if (j > 0 && s.m_strDistrictName[j] != s.m_strDistrictName[j - 1]) {
            const bool haNoi = s.m_strDistrictName[j] == QLatin1StringView("Ha Noi");
            dc.setBrush(haNoi ? kHaNoiColour : kDistrictColours[j % 8]);
        }
        FillPolygon(dc, s, s.m_pDistrictPoints[j], s.m_nDistrictPointLast[j], buffer);
    }
}

void DrawRivers(QPainter& dc, const MapState& s)
{
    dc.setPen(SolidPen(kRiverPenColour, 1));
    for (int r = 0; r <= s.m_nRiverLast; ++r) {
        const std::vector<MapPoint>& P = s.m_pRiverPoints[r];
        for (int j = 0; j < s.m_nRiverPointLast[r]; ++j)
            DrawWaySegment(dc, s, P[j], P[j + 1], QString());
    }
}

void DrawParksAndLakes(QPainter& dc, const MapState& s, QPolygon& buffer)
{
    // The river pen stays selected: parks get a thin outline.
    dc.setBrush(kParkColour);
    for (int p = 0; p <= s.m_nParkLast; ++p) {
        FillPolygon(dc, s, s.m_pParkPoints[p], s.m_nParkPointLast[p], buffer);
        DrawPolygonName(dc, s, s.m_pParkPoints[p], s.m_nParkPointLast[p], s.m_strParkName[p]);
    }
    dc.setPen(Qt::NoPen);
    dc.setBrush(kLakeColour);
    for (int l = 0; l <= s.m_nLakeLast; ++l) {
        FillPolygon(dc, s, s.m_pLakePoints[l], s.m_nLakePointLast[l], buffer);
        DrawPolygonName(dc, s, s.m_pLakePoints[l], s.m_nLakePointLast[l], s.m_strLakeName[l]);
    }
}

void DrawLabels(QPainter& dc, const MapState& s)
{
    dc.setPen(Qt::black);
    for (int i = 0; i <= s.m_nTextLast; ++i) {
        const QPoint at = MapToScreen(s, s.m_ptText[i]);
        if (!(at.x() > 0 && at.x() < s.m_nClientWidth && at.y() > 0 && at.y() < s.m_nClientHeight))
            continue;
        // The height is 3 × the truncated size: 3 pixels at the least.
        const double size = s.m_nTextSize[i] / s.m_dBaseScale * s.m_dScale;
        if (!(size >= 1 && size < 1e6))
            continue;
        const int h = 3 * static_cast<int>(size);
        dc.setFont(CellHeightFont(QStringLiteral("Arial"), h, QFont::ExtraBold));
        DrawTextAt(dc, at.x(), at.y(), s.m_strText[i]);
    }
}

void DrawStreets(QPainter& dc, const MapState& s)
{
    // Widths are held to what a window can show.
    const auto penWidth = [](double w) { return static_cast<int>(std::clamp(w, 0.0, 100000.0)); };
    const double w = std::trunc(s.m_nDisplayFactor / s.m_dBaseScale * s.m_dScale * 0.35);
    dc.setPen(SolidPen(kStreetColour, penWidth(w)));
    const bool wide = s.m_dScale > 1.5 * s.m_dBaseScale;
    for (int i : s.m_visibleWays) {
        if (wide)
            dc.setPen(SolidPen(kStreetColour, penWidth(w * s.m_nWayWidth[i])));
        const std::vector<MapPoint>& P = s.m_pWayPoints[i];
        for (int j = 0; j < s.m_nWayPointLast[i]; ++j)
            DrawWaySegment(dc, s, P[j], P[j + 1], s.m_strWayDirection[i]);
    }
}

}  // namespace

void DrawWaySegment(QPainter& dc, const ViewState& view, MapPoint a, MapPoint b, const QString& code)
{
    const QPoint pa = MapToScreen(view, a);
    const QPoint pb = MapToScreen(view, b);
    dc.drawLine(pa, pb);
    if (code == QLatin1StringView("1") || code == QLatin1StringView("99"))
        DrawDirectionArrows(dc, view, pa, pb, code);
}

void DrawDirectionArrows(QPainter& dc, const ViewState& view, QPoint a, QPoint b, const QString& code)
{
    const double L = std::trunc(PointDistance(a, b));
    if (L <= 25)
        return;
    const bool busRoute = code == QLatin1StringView("99");
    // Street arrows appear only from five times the base scale; bus-route
    // arrows at every scale.
    if (view.m_dScale < 5.0 * view.m_dBaseScale && !busRoute)
        return;
    if (!(31.0 / L < 1))
        return;
    const double ax = a.x(), ay = a.y(), dx = b.x() - ax, dy = b.y() - ay;
    // Arrow k has its tip 25k − 4 pixels from A; the last one is the last k
    // with 25k + 6 short of L. Only the arrows near the window are drawn, so a
    // segment reaching far beyond it costs no more than one inside it.
    const auto [from, to] = VisibleStretch(view, ax, ay, dx, dy);
    if (from > to)
        return;
    const double kLast = std::max(1.0, std::ceil((L - 6) / 25) - 1);
    const double kFrom = std::max(1.0, std::floor((from * L - kArrowReach) / 25));
    const double kTo = std::min(kLast, std::ceil((to * L + kArrowReach) / 25));
    const double theta = std::atan2(dy, dx);
    const double alpha = 16 * 3.14 / 180;
    const QPointF w1(int(10 * std::cos(theta + alpha)), int(10 * std::sin(theta + alpha)));
    const QPointF w2(int(10 * std::cos(theta - alpha)), int(10 * std::sin(theta - alpha)));
    const QPen previous = dc.pen();
    dc.setPen(SolidPen(kArrowColour, 1));
    for (double k = kFrom; k <= kTo; ++k) {
        const double f = (25 * k - 10) / L;
        const double bx = std::trunc(dx * f + ax), by = std::trunc(dy * f + ay);
        const double d = std::hypot(bx - b.x(), by - b.y());
        const QPointF tip(d > 0 ? std::trunc(bx - (bx - b.x()) * 6 / d) : bx,
                          d > 0 ? std::trunc(by - (by - b.y()) * 6 / d) : by);
        dc.drawLine(tip, tip - w1);
        dc.drawLine(tip - w2, tip);
    }
    dc.setPen(previous);
}

DrawResult DrawMap(QPainter& dc, MapState& s)
{
    DrawResult result;
    QPolygon buffer;
    buffer.reserve(kPolygonBuffer);
    dc.setRenderHint(QPainter::Antialiasing, false);
    dc.setBackgroundMode(Qt::TransparentMode);
    dc.fillRect(0, 0, s.m_nClientWidth, s.m_nClientHeight, kBackgroundColour);
    if (!s.m_strMapPath.isEmpty()) {
        DrawDistricts(dc, s, buffer);
        DrawRivers(dc, s);
        DrawParksAndLakes(dc, s, buffer);
        DrawLabels(dc, s);
        DrawStreets(dc, s);
        DrawScaleBar(dc, s);
        result.routeMessage = DrawMapOverlays(dc, s);
        DrawMeasureLine(dc, s);
    }
    DrawRoadAndTrack(dc, s);
    if (s.m_strMapPath.isEmpty())
        DrawNoMapHint(dc, s.m_nClientWidth, s.m_nClientHeight, s.m_nDisplayFactor);
    return result;
}

void DrawNoMapHint(QPainter& dc, int width, int height, int displayFactor)
{
    const QString hint = QStringLiteral("Chưa mở bản đồ. Mở một bản đồ: Hệ thống → Mở bản đồ");
    QFont font = DefaultFont(displayFactor);
    // One line: the font shrinks until the hint fits a narrow window.
    while (font.pixelSize() > 6 && QFontMetrics(font).horizontalAdvance(hint) > width - 8)
        font.setPixelSize(font.pixelSize() - 1);
    dc.save();
    dc.setFont(font);
    dc.setPen(Qt::black);
    dc.drawText(QRect(0, 0, width, height), Qt::AlignCenter | Qt::TextSingleLine, hint);
    dc.restore();
}

QImage RenderMapImage(MapState& s, DrawResult* result)
{
    QImage image(std::max(s.m_nClientWidth, 1), std::max(s.m_nClientHeight, 1), QImage::Format_RGB32);
    image.fill(kLakeColour);
    QPainter dc(&image);
    const DrawResult drawn = DrawMap(dc, s);
    if (result)
        *result = drawn;
    return image;
}
