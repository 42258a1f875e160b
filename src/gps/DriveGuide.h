// Guidance a driver can follow, around the turn arrows of Navigation.h: the
// next turn ahead and its distance along the route, what is left to drive
// and for how long, arrival, leaving the route (which calls for a new one)
// and the sentences to speak. Distances are in metres through the map's
// SCALE, so they mean the same on every map.
#pragma once

#include "gps/Navigation.h"
#include "map/MapData.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

struct RouteResult;

// Metres in one map unit of this map.
double MetresPerMapUnit(const MapData& map);

// "150 m" to the nearest 10 m below 1 km, "1,2 km" from there on.
QString DistanceText(double metres);

// Where a position lies on a route (travelled from its last point to point
// 0): the nearest leg i, joining point i + 1 to point i (on a tie the one
// nearer the start), the foot of the perpendicular on it, how far the
// position is from it and how much of the route is left from the foot, in
// map units.
struct RouteProgress {
    int leg = 0;
    MapPoint foot;
    double offRoute = 0;
    double remaining = 0;
};
std::optional<RouteProgress> ProgressOnRoute(const RouteResult& route, MapPoint g);

// The next junction ahead at which the route turns (30 degrees and more in
// the bearings of the arrows), the turn's code, the street taken there and
// the distance to it along the route in map units; its junction is route
// point `point`.
struct NextTurn {
    int point = 0;
    int code = kStraightOn;
    QString street;
    double distance = 0;
};
std::optional<NextTurn> NextTurnAhead(const MapData& map, const RouteResult& route, const RouteProgress& at);

// What one update pass while navigating shows and says.
struct GuidancePass {
    std::optional<Guidance> arrow; // the arrow and street to draw; none: leave the last one
    QString distance;              // beside the arrow: to the next turn, or to the end without one
    QString status;                // the status line
    QStringList spoken;            // sentences for speech, in order
    bool arrived = false;          // guidance ends
    bool reroute = false;          // a new route is to be searched from here now
};

// The state of guidance along one route: the off-route count, the last
// re-route and the sentences already spoken.
class DriveGuide {
public:
    static constexpr double kTurnShownMetres = 300;
    static constexpr double kEarlyCallMetres = 150; // the early sentence comes before this
    static constexpr double kTurnCallMetres = 50;
    static constexpr double kArrivalMetres = 25;
    static constexpr double kOffRouteMetres = 40;
    static constexpr int kOffRouteFixes = 3;
    static constexpr qint64 kRerouteIntervalMs = 10000;
    static constexpr double kSlowestKmh = 5;
    static constexpr double kAssumedKmh = 30;

    // A new route to follow: nothing of it is spoken yet, and no search for
    // another is held against it.
    void NewRoute();
    // The search for a new route found none: the status line says so until
    // the position is back on the route.
    void RerouteFailed();

    // One pass with a valid position g, the receiver's speed over ground in
    // knots and a steady clock in milliseconds. fromWay and toWay are the
    // names of the route's ends, as the arrows show them.
    GuidancePass Step(const MapData& map, const RouteResult& route, const QString& fromWay, const QString& toWay,
                      MapPoint g, double knots, qint64 nowMs);

private:
    // Counts fixes off the route; true when a search is due.
    bool RerouteDue(bool offRoute, qint64 nowMs);
    void CallTurn(const NextTurn& turn, double metres, QStringList& spoken);

    int m_nOffRouteFixes = 0;
    std::optional<qint64> m_lastSearchMs;
    bool m_bSearchFailed = false;
    bool m_bArrived = false;
    int m_nEarlyCalled = -1; // the junction point whose early sentence was spoken
    int m_nTurnCalled = -1;  // and whose turn sentence was
};

// The sentence for a turn: "Sau 200 mét, rẽ trái vào Phố Huế" before it
// (metres rounded to 50), "Rẽ trái vào Phố Huế" at it; a turn back is
// "Quay đầu" with no street.
QString TurnSentence(int code, const QString& street, std::optional<double> metresBefore);

// "Còn 2,4 km · 6 phút": what is left and the minutes it takes at the
// receiver's speed, or at 30 km/h when that is under 5 km/h.
QString RemainingText(double metres, double knots);

struct AvoidState;
struct RoutePickState;

// Searches a new route to the picked destination from the street of ways
// nearest to g, as navigation picks its start, with the avoid lists in force.
// Found: the route is replaced and the pick's start is that street. Not
// found: route and pick stay as they are.
bool RouteFromHere(MapData& map, const AvoidState& avoid, RouteResult& route, RoutePickState& pick,
                   const std::vector<int>& ways, MapPoint g);

// Where the sentences of guidance go to be spoken.
class GuidanceVoice {
public:
    virtual ~GuidanceVoice() = default;
    virtual void Say(const QString& sentence) = 0;
};
