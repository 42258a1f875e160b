// Zoom, the paint cycle and the status-line ticker of the map window.
#include "window/MapDlg.h"

#include "ResourceIds.h"
#include "widgets/UiMapSurface.h"
#include "view/Overlays.h"
#include "view/Renderer.h"

#include <QLabel>

void CMapDlg::UpdateVisibleWays()
{
    ::UpdateVisibleWays(*this, *this);
}

void CMapDlg::ZoomAt(double px, double py, double factor, bool zoomIn)
{
    ::ZoomAt(*this, *this, px, py, factor, zoomIn);
    Invalidate();
}

void CMapDlg::OnZoomIn()
{
    ZoomAt(m_nClientWidth / 2, m_nClientHeight / 2, 1.5, true);
}

void CMapDlg::OnZoomOut()
{
    ZoomAt(m_nClientWidth / 2, m_nClientHeight / 2, 1.5, false);
}

void CMapDlg::OnPaint()
{
    QImage& window = m_pClient->Surface();
    if (m_strMapPath.isEmpty() && !m_bRoadLoaded) {
        // No map and no road: the window's plain background and the hint.
        window.fill(palette().color(QPalette::Window));
        QPainter dc(&window);
        DrawNoMapHint(dc, m_nClientWidth, m_nClientHeight, m_nDisplayFactor);
    } else if (m_bPenDown) {
        // A pointer-down only needs the clean map back.
        RestoreFromBackBuffer();
        m_bPenDown = 0;
    } else {
        DrawResult drawn;
        m_dcBack = RenderMapImage(*this, &drawn);
        QPainter dc(&window);
        dc.drawImage(0, 0, m_dcBack);
        if (m_bRoutePick && m_ptFromTap.x != 0) {
            const QPoint from = MapToScreen(*this, m_ptFromTap);
            DrawFlag(dc, from.x(), from.y(), kStartFlagColour);
            if (m_bPickFrom == 0) {
                const QPoint to = MapToScreen(*this, m_ptToTap);
                DrawFlag(dc, to.x(), to.y(), kEndFlagColour);
            }
        }
        dc.end();
        if (!drawn.routeMessage.isEmpty())
            ShowStatusText(drawn.routeMessage);
    }
    DrawWindowOverlays();
    m_strNameText.clear();
    m_pClient->update();
}

void CMapDlg::DrawWindowOverlays()
{
    // Like every overlay, these mark the map: none without one.
    if (m_strMapPath.isEmpty())
        return;
    QPainter dc(&m_pClient->Surface());
    const int w = m_nClientWidth, h = m_nClientHeight;
    // The single place a search found, at the centre where the search put it.
    if (m_bSearchResult == 1 && !m_bPetrolResult && !m_bAtmResult && !m_strSearchName.isEmpty() &&
        !IsAllNames(m_strSearchName) && m_nFoundCategory != -1) {
        dc.setFont(DefaultFont(m_nDisplayFactor));
        dc.setBackgroundMode(Qt::OpaqueMode);
        dc.setBackground(QColor(200, 250, 150));
        dc.setPen(Qt::black);
        DrawTextAt(dc, w / 2, h / 2 + 12, m_strFoundLabel);
        DrawSquareMarker(dc, w / 2, h / 2, 20, QColor(255, 0, 0));
        m_bSearchResult = 0;
    }
    // A street chosen from the route list becomes the picked start or end.
    if (m_bStreetPicked) {
        if (m_nSelectedWays > 0 && m_bRoutePick) {
            const int way = m_selectedWays[0];
            const int last = m_nWayPointLast[way];
            if (last >= 0) {
                const bool start = m_bPickFrom != 0;
                const MapPoint p = m_pWayPoints[way][start ? 0 : last];
                (start ? m_ptFromTap : m_ptToTap) = p;
                (start ? m_segFrom : m_segTo) = {p, p};
                const QPoint at = MapToScreen(*this, p);
                DrawFlag(dc, at.x(), at.y(), start ? kStartFlagColour : kEndFlagColour);
                m_strFromToName = m_strWayName[way];
                SetControlText(IDC_ROUTE_NAME, m_strFromToName);
            }
        }
        m_bStreetPicked = 0;
    }
}

void CMapDlg::ShowStatusText(const QString& text)
{
    m_strTicker = QString(14, QLatin1Char(' ')) + text;
    m_nTickerPos = static_cast<int>(m_strTicker.size());
    if (!m_tickerTimer.isActive())
        m_tickerTimer.start();
    ShowControl(IDC_STATUS, true);
}

void CMapDlg::OnTimer(int id)
{
    // Navigation's status holds the line until the map state is reset.
    if (id != ID_TICKER_TIMER || m_bRouteShown != 1 || m_strTicker.isEmpty() || !m_strNavStatus.isEmpty())
        return;
    SetControlText(IDC_STATUS, m_strTicker.right(m_nTickerPos));
    if (m_nTickerPos <= 1)
        m_nTickerPos = static_cast<int>(m_strTicker.size());
    else
        --m_nTickerPos;
}
