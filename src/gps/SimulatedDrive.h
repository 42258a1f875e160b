// A drive along the route on show, simulated for trying and showing
// navigation without a receiver: from the route's start to its destination at
// a steady speed, one RMC sentence a second, placed through the map's GPS
// calibration.
#pragma once

#include "gps/GpsSource.h"
#include "gps/SourceClock.h"
#include "map/MapData.h"

#include <vector>

// The route to drive, in travel order, and what turns its map units into
// GPS units and kilometres.
struct DriveRoute {
    std::vector<MapPoint> points;
    MapData calibration;  // only the GPSINF values are used
    double mapScale = 0;  // kilometres per million map units
};

class SimulatedDrive : public GpsSource {
public:
    static constexpr double kDefaultKmh = 30;

    SimulatedDrive(DriveRoute route, SourceClock clock = SteadySeconds);

    // The port text is the simulation's entry, with a speed in km/h after it
    // when the user typed one. False, with a trace line, without a route.
    bool Open(const QString& portText, uint32_t baud) override;
    void ProcessEvent() override;
    void Close() override {}

    // The point reached after a distance in map units along the route (its
    // destination once the route is driven).
    MapPoint PointAlong(double distance, double* course = nullptr) const;

private:
    DriveRoute m_route;
    SourceClock m_clock;
    double m_unitsPerSecond = 0;
    double m_knots = 0;
    double m_length = 0;  // of the route, map units
    double m_start = 0;
    int m_sent = 0;  // seconds of the drive sent so far
};

// The speed a simulation entry's text asks for, in km/h.
double SimulationSpeed(const QString& portText);
