// Pointer handling of the map window: tap-and-hold opens the context menu, a
// drag pans the map, a tap names the street or place under it, and in the
// route and avoid modes a tap picks an end point or toggles what to avoid.
#include "window/MapDlg.h"

#include "ResourceIds.h"
#include "window/UiMenus.h"
#include "widgets/UiMapSurface.h"
#include "widgets/UiModal.h"
#include "view/Overlays.h"
#include "view/Picking.h"
#include "view/ViewFit.h"

#include <QMenu>

namespace {

const QColor kWayHighlight(255, 130, 0);
const QColor kLabelBackground(200, 250, 150);
const QColor kCalloutColour(255, 0, 0);
const QColor kAvoidRemovedNode(6, 87, 172);
const QColor kBandColour(6, 8, 17);
const QColor kRubberBandColour(0, 0, 150);

void DrawLabelText(QPainter& dc, int x, int y, const QString& text, int displayFactor)
{
    dc.save();
    dc.setFont(DefaultFont(displayFactor));
    dc.setBackgroundMode(Qt::OpaqueMode);
    dc.setBackground(kLabelBackground);
    dc.setPen(Qt::black);
    DrawTextAt(dc, x, y, text);
    dc.restore();
}

}  // namespace

bool CMapDlg::SHRecognizeGesture(QPoint)
{
    return m_bHoldGesture;
}

void CMapDlg::OnLButtonDown(int, QPoint point)
{
    m_bPenDown = 1;
    if (SHRecognizeGesture(point)) {
        QMenu menu(this);
        FillMenu(menu, ContextMenuEntries());
        const int chosen = Modal().PopupMenu(menu, m_pClient->mapToGlobal(QPoint(point.x(), point.y() + 26)));
        // The closed menu uncovers the map: repainted from the back buffer,
        // which also ends this pointer-down.
        OnPaint();
        m_ptDown = point;
        if (chosen != 0)
            OnCommand(chosen, BN_CLICKED);
        return;
    }
    // The paint handler validates the window and, with the pen down, only
    // copies the clean map back.
    m_bInvalid = false;
    OnPaint();
    m_bCaptured = true;
    m_ptDown = point;
    m_nDragDX = m_nDragDY = 0;

    if (m_bRoutePick) {
        m_strFromToType = QStringLiteral("Đường");
        const bool start = m_bPickFrom != 0;
        const int way = PickNearestWay(point, start, start ? m_ptFromTap : m_ptToTap, start ? m_segFrom[0] : m_segTo[0],
                                       start ? m_segFrom[1] : m_segTo[1]);
        if (way >= 0) {
            (start ? m_strFromWay : m_strToWay) = m_strWayName[way];
            m_strFromToName = m_strWayName[way];
            RestoreFromBackBuffer();
            QPainter dc(&m_pClient->Surface());
            const QPoint from = MapToScreen(*this, m_ptFromTap);
            DrawFlag(dc, from.x(), from.y(), kStartFlagColour);
            if (!start) {
                const QPoint to = MapToScreen(*this, m_ptToTap);
                DrawFlag(dc, to.x(), to.y(), kEndFlagColour);
            }
        }
        UpdateData(false);
    }

    m_nDragOriginX = m_nOriginX;
    m_nDragOriginY = m_nOriginY;
    m_dcSnapshot = m_pClient->Surface().copy();
    m_pClient->update();
}

void CMapDlg::OnMouseMove(int, QPoint point)
{
    if (!m_bCaptured)
        return;
    if (m_bMeasureMode) {
        QPainter dc(&m_pClient->Surface());
        dc.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        dc.setPen(SolidPen(kRubberBandColour, 2 * m_nDisplayFactor));
        if (m_ptRubberEnd != point) {
            if (!m_ptRubberEnd.isNull())
                dc.drawLine(m_ptDown, m_ptRubberEnd);
            dc.drawLine(m_ptDown, point);
            m_ptRubberEnd = point;
        }
        dc.end();
        ShowMeasuredDistance(point);
        m_pClient->update();
        return;
    }
    const double inv = 1 / m_dScale;
    m_nDragDX = TruncateToInt32((m_ptDown.x() - point.x()) * inv);
    m_nDragDY = TruncateToInt32((m_ptDown.y() - point.y()) * inv);
    if (std::abs(m_nDragDX) > 2 || std::abs(m_nDragDY) > 2) {
        m_nOriginX = m_nDragOriginX + m_nDragDX;
        m_nOriginY = m_nDragOriginY + m_nDragDY;
        QImage& window = m_pClient->Surface();
        const QImage moved = m_dcSnapshot;
        QPainter dc(&window);
        dc.fillRect(window.rect(), kBandColour);
        dc.drawImage(point - m_ptDown, moved);
        m_bDragged = 1;
        m_pClient->update();
    }
}

void CMapDlg::OnLButtonUp(int, QPoint point)
{
    if (!m_bCaptured)
        return;
    m_bCaptured = false;
    if (m_bMeasureMode) {
        // A move of 2 pixels or less is a shaky tap, not a drag.
        const bool tap = m_ptRubberEnd.isNull() || PointDistance(m_ptDown, point) <= 2;
        if (!m_ptRubberEnd.isNull()) {
            QPainter dc(&m_pClient->Surface());
            dc.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            dc.setPen(SolidPen(kRubberBandColour, 2 * m_nDisplayFactor));
            dc.drawLine(m_ptDown, m_ptRubberEnd);
            m_ptRubberEnd = QPoint();
            m_pClient->update();
        }
        if (tap)
            AddMeasurePoint(m_ptDown);
        return;
    }
    if (m_bDragged) {
        m_nOriginX = m_nDragOriginX = m_nDragOriginX + m_nDragDX;
        m_nOriginY = m_nDragOriginY = m_nDragOriginY + m_nDragDY;
        UpdateVisibleWays();
        Invalidate();
        m_dcSnapshot = QImage();
        m_bDragged = 0;
        return;
    }
    if (m_bAvoidPick && !m_bRoutePick) {
        TapAvoidElement(point);
        return;
    }
    if (!m_bRoutePick)
        TapWayOrPlace(point);
}

void CMapDlg::HighlightWay(QPainter& dc, int way)
{
    dc.setPen(SolidPen(kWayHighlight, 3));
    QPolygon line;
    for (int j = 0; j <= m_nWayPointLast[way]; ++j)
        line << MapToScreen(*this, m_pWayPoints[way][j]);
    dc.drawPolyline(line);
}

void CMapDlg::DrawWayLabel(QPainter& dc, QPoint at, const QString& name)
{
    const QString text = QLatin1Char(' ') + name + QLatin1Char(' ');
    const int width = 6 * m_nDisplayFactor * static_cast<int>(text.size());
    int left = at.x() - width + 5;
    if (left < 0) {
        left = at.x() + 5;
        DrawCallout(dc, at.x() + 5, at.y() + 5, 1, 5, kCalloutColour);
    } else {
        DrawCallout(dc, at.x() - 5, at.y() + 5, 2, 5, kCalloutColour);
    }
    DrawLabelText(dc, left, at.y() + 5, text, m_nDisplayFactor);
}

void CMapDlg::TapWayOrPlace(QPoint point)
{
    RestoreFromBackBuffer();
    int kind = 0;
    QPoint hit;
    const int found = HitTestWayOrPlace(point, kind, hit);
    if (found < 0)
        return;
    QPainter dc(&m_pClient->Surface());
    if (kind == kHitWay) {
        HighlightWay(dc, found);
        if (m_strWayName[found].size() > 1)
            DrawWayLabel(dc, hit, m_strWayName[found]);
    } else if (PlaceLabelShown(*this, found)) {
        const QString label = PlaceLabel(m_nPlaceCategory[found], m_strPlaceName[found]);
        const int x = hit.x() - 6 * m_nDisplayFactor * static_cast<int>(label.size());
        DrawLabelText(dc, x < 0 ? hit.x() : x, hit.y() + 12, label, m_nDisplayFactor);
        DrawSquareMarker(dc, hit.x(), hit.y(), 20, QColor(255, 0, 0));
    }
    m_pClient->update();
}

void CMapDlg::TapAvoidElement(QPoint point)
{
    RestoreFromBackBuffer();
    MapPoint tapWorld;
    int node1 = 0, node2 = 0;
    const int way = PickAvoidElement(point, tapWorld, node1, node2);
    if (way < 0 || node1 <= 0 || node2 <= 0)
        return;
    QPainter dc(&m_pClient->Surface());
    dc.setBrush(Qt::NoBrush);
    const auto circle = [&](int node, const QColor& colour) {
        if (const auto p = NodeOnScreen(*this, node)) {
            dc.setPen(SolidPen(colour, 3));
            dc.drawEllipse(QRect(p->x() - 5, p->y() - 5, 10, 10));
        }
    };
    const auto segment = [&](int a, int b, const QColor& colour) {
        const auto pa = NodeOnScreen(*this, a), pb = NodeOnScreen(*this, b);
        if (pa && pb) {
            dc.setPen(SolidPen(colour, 3));
            dc.drawLine(*pa, *pb);
        }
    };
    if (node1 == node2) {
        const AvoidToggle done = ToggleNode(node1);
        if (done != AvoidToggle::Refused)
            circle(node1, done == AvoidToggle::Added ? Qt::black : kAvoidRemovedNode);
    } else {
        SetControlText(IDC_AVOID_STREET, m_strWayName[way]);
        HighlightWay(dc, way);
        if (m_strWayName[way].size() > 1)
            DrawWayLabel(dc, point, m_strWayName[way]);
        const AvoidToggle done = ToggleSegment(node1, node2);
        if (done != AvoidToggle::Refused)
            segment(node1, node2, done == AvoidToggle::Added ? Qt::black : Qt::white);
    }
    for (int k = 1; k <= NodesInUse(); ++k)
        circle(m_avoidNodes[k], Qt::black);
    for (int k = 1; k <= PairsInUse(); ++k)
        segment(m_avoidSegments[2 * k - 1], m_avoidSegments[2 * k], Qt::black);
    m_pClient->update();
}

int CMapDlg::HitTestWayOrPlace(QPoint point, int& kind, QPoint& hit)
{
    return ::HitTestWayOrPlace(*this, point, kind, hit);
}

int CMapDlg::PickNearestWay(QPoint point, bool pickStart, MapPoint& tapWorld, MapPoint& segStart, MapPoint& segEnd)
{
    return ::PickNearestWay(*this, point, pickStart, tapWorld, segStart, segEnd);
}

int CMapDlg::PickAvoidElement(QPoint point, MapPoint& tapWorld, int& node1, int& node2)
{
    return ::PickAvoidElement(*this, point, tapWorld, node1, node2);
}
