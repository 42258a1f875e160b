#include "gps/SimulatedDrive.h"

#include "gps/GpsDisplay.h"
#include "gps/Navigation.h"
#include "gps/Nmea.h"
#include "base/Trace.h"
#include "map/Geometry.h"

#include <QRegularExpression>
#include <cmath>
#include <ctime>

double SimulationSpeed(const QString& portText)
{
    static const QRegularExpression kNumber(QStringLiteral("(\\d+(?:[.,]\\d+)?)\\s*(?:km/h)?\\s*$"));
    const QRegularExpressionMatch match = kNumber.match(portText);
    bool ok = false;
    const double kmh = match.hasMatch() ? match.captured(1).replace(u',', u'.').toDouble(&ok) : 0;
    return ok && kmh > 0 && kmh <= 2000 ? kmh : SimulatedDrive::kDefaultKmh;
}

SimulatedDrive::SimulatedDrive(DriveRoute route, SourceClock clock) : m_route(std::move(route)), m_clock(std::move(clock))
{
}

bool SimulatedDrive::Open(const QString& portText, uint32_t)
{
    if (m_route.points.size() < 2 || !(m_route.mapScale > 0)) {
        Trace("SimulatedDrive::Open - no route to drive");
        return false;
    }
    const double kmh = SimulationSpeed(portText);
    const double metresPerUnit = m_route.mapScale * 0.001;
    m_unitsPerSecond = kmh / 3.6 / metresPerUnit;
    m_knots = kmh / 1.852;
    m_length = 0;
    for (size_t i = 1; i < m_route.points.size(); ++i)
        m_length += PointDistance(m_route.points[i - 1], m_route.points[i]);
    m_start = m_clock();
    m_sent = 0;
    return true;
}

MapPoint SimulatedDrive::PointAlong(double distance, double* course) const
{
    const std::vector<MapPoint>& p = m_route.points;
    for (size_t i = 1; i < p.size(); ++i) {
        const double leg = PointDistance(p[i - 1], p[i]);
        if (course)
            *course = std::fmod(450 - Bearing(p[i - 1].x, p[i - 1].y, p[i].x, p[i].y), 360);
        if (distance <= leg && leg > 0) {
            const double f = distance / leg;
            return {p[i - 1].x + int32_t(std::lround((p[i].x - p[i - 1].x) * f)),
                    p[i - 1].y + int32_t(std::lround((p[i].y - p[i - 1].y) * f))};
        }
        distance -= leg;
    }
    return p.back();
}

void SimulatedDrive::ProcessEvent()
{
    // One sentence for each whole second driven; a late drain catches up
    // with at most a minute.
    const int due = static_cast<int>(m_clock() - m_start);
    for (int k = 0; m_sent <= due && k < 60; ++k, ++m_sent) {
        double course = 0;
        const double driven = m_sent * m_unitsPerSecond;
        const MapPoint gps = MapToGps(PointAlong(driven, &course), m_route.calibration);
        const int secondOfDay = int(std::time(nullptr) % 86400) + m_sent - due;
        const double knots = driven < m_length ? m_knots : 0;  // standing at the destination
        ProcessBytes(NmeaParser::RmcSentence({gps.x, gps.y}, secondOfDay, knots, course) + "\r\n");
    }
}
