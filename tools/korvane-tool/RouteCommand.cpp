#include "Commands.h"

#include "view/MapState.h"
#include "route/ShortestPath.h"
#include "view/Picking.h"
#include "view/Viewport.h"

namespace {

struct Pick {
    int way = -1;
    MapPoint tap, a, b;
};

// Picks the street segment nearest to p as a tap at p would: the view is
// centred on p at one pixel per map unit and widened until a street is in
// sight.
Pick PickAt(MapState& s, MapPoint p, bool start)
{
    Pick pick;
    const int32_t extent = std::max(s.m_nResWidth, s.m_nResHeight);
    for (double scale = 1.0;; scale /= 2.0) {
        s.m_dScale = scale;
        s.m_nOriginX = static_cast<int32_t>(p.x - (s.m_nClientWidth / 2) / scale);
        s.m_nOriginY = static_cast<int32_t>(p.y - (s.m_nClientHeight / 2) / scale);
        UpdateVisibleWays(s, s);
        pick.way = PickNearestWay(s, MapToScreen(s, p), start, pick.tap, pick.a, pick.b);
        if (pick.way >= 0 || std::min(s.m_nClientWidth, s.m_nClientHeight) / scale > 4.0 * extent)
            return pick;
    }
}

} // namespace

int RunRoute(const QStringList& args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Finds the shortest route between two points of a map file with the program's own search. "
                       "Each point is moved to the nearest street, as a tap on the map would. Prints the length "
                       "in kilometres, the streets passed and the route's points from start to end."));
    parser.addPositionalArgument(QStringLiteral("map"), QStringLiteral("The map file (.kvp)."));
    const QCommandLineOption from(QStringLiteral("from"), QStringLiteral("Start, in map units."),
                                  QStringLiteral("X,Y"));
    const QCommandLineOption to(QStringLiteral("to"), QStringLiteral("End, in map units."), QStringLiteral("X,Y"));
    parser.addOptions({from, to});
    int exitCode = kExitOk;
    if (!ParseCommand(parser, args, QStringLiteral("route"), 1, exitCode))
        return exitCode;
    MapPoint start, end;
    if (!ParseMapPoint(parser.value(from), start) || !ParseMapPoint(parser.value(to), end)) {
        Err() << "korvane-tool route: --from and --to must be X,Y in map units\n";
        return kExitUsage;
    }
    MapState s;
    if (!LoadMapForCommand(s, parser.positionalArguments().constFirst(), QStringLiteral("route")))
        return kExitFailed;
    const Pick first = PickAt(s, start, true);
    const Pick last = PickAt(s, end, false);
    if (first.way < 0 || last.way < 0) {
        Err() << "korvane-tool route: the map has no street to start or end on\n";
        return kExitFailed;
    }
    RouteResult route;
    if (!FindShortestRoute(s, AvoidState(), route, first.tap, first.a, first.b, last.tap, last.a, last.b,
                           s.m_strWayName[first.way], s.m_strWayName[last.way])) {
        Err() << "korvane-tool route: no route from " << first.tap.x << "," << first.tap.y << " to " << last.tap.x
              << "," << last.tap.y << "\n";
        return kExitFailed;
    }
    QTextStream& out = Out();
    out << "length: " << QString::number(route.m_dRouteLength * s.m_dMapScale * 0.000001, 'f', 3) << " km\n";
    out << "streets: " << route.m_strRouteText << "\n";
    out << "points:";
    for (int i = route.m_nRouteLast; i >= 0; --i)
        out << " " << route.m_routePoints[i].x << "," << route.m_routePoints[i].y;
    out << "\n";
    return kExitOk;
}
