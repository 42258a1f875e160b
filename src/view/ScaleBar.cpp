#include "view/ScaleBar.h"

#include "view/MapState.h"
#include "view/Overlays.h"

#include <QFontMetrics>
#include <cmath>

namespace {

constexpr int kMargin = 6;
// The status lines begin at 143 of the window template's 158 units.
constexpr double kStatusLinesTop = 143.0 / 158.0;

QString LengthLabel(double metres)
{
    // Round lengths are whole metres, and whole kilometres from 1 km on.
    const auto whole = static_cast<qint64>(metres);
    return whole >= 1000 ? QStringLiteral("%1 km").arg(whole / 1000) : QStringLiteral("%1 m").arg(whole);
}

} // namespace

ScaleBar ChooseScaleBar(double metresPerPixel, int maxPixels)
{
    ScaleBar bar;
    if (!(metresPerPixel > 0) || !std::isfinite(metresPerPixel) || maxPixels < 1)
        return bar;
    const double longest = metresPerPixel * maxPixels;
    if (longest < 1)
        return bar;
    const double decade = std::pow(10.0, std::floor(std::log10(longest)));
    for (const double step : {5.0, 2.0, 1.0}) {
        if (step * decade <= longest) {
            bar.metres = step * decade;
            break;
        }
    }
    bar.pixels = static_cast<int>(std::lround(bar.metres / metresPerPixel));
    bar.label = LengthLabel(bar.metres);
    return bar;
}

double MetresPerPixel(const MapState& s)
{
    // One map unit is SCALE / 1000 metres.
    return s.m_dMapScale * 0.001 / s.m_dScale;
}

void DrawScaleBar(QPainter& dc, const MapState& s)
{
    const ScaleBar bar = ChooseScaleBar(MetresPerPixel(s), s.m_nClientWidth / 4);
    if (bar.pixels < 1)
        return;
    const int f = s.m_nDisplayFactor;
    const int left = kMargin * f / 2 + 2;
    const int foot = static_cast<int>(s.m_nClientHeight * kStatusLinesTop) - 3 * f;
    const int tick = 4 * f;
    dc.save();
    // Black on a white halo reads on every colour of the map.
    for (const auto& [colour, width] : {std::pair{QColor(Qt::white), f + 2}, std::pair{QColor(Qt::black), f}}) {
        dc.setPen(QPen(colour, width, Qt::SolidLine, Qt::SquareCap));
        dc.drawLine(left, foot, left + bar.pixels, foot);
        dc.drawLine(left, foot, left, foot - tick);
        dc.drawLine(left + bar.pixels, foot, left + bar.pixels, foot - tick);
    }
    const QFont font = DefaultFont(f);
    dc.setFont(font);
    dc.setPen(Qt::black);
    DrawTextAt(dc, left + 2 * f, foot - tick - QFontMetrics(font).height(), bar.label);
    dc.restore();
}
