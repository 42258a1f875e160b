#include "Commands.h"
#include "Geometry.h"
#include "Importer.h"

#include <QFileInfo>

namespace {

QString Where(const MapData& m, double x, double y)
{
    double latitude = 0.0, longitude = 0.0;
    MapPointToDegrees(m, x, y, latitude, longitude);
    return DegreesText(latitude, longitude);
}

} // namespace

int RunInfo(const QStringList& args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Describes a map file: record counts, extent, centre, scale, GPS calibration, its "
                       "area in degrees and its east-west/north-south distortion. On a road file (.kvt) or a "
                       "GPX file: its points, length, duration (from the fix times a GPX file holds) and "
                       "bounding box."));
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The map file (.kvp), road file (.kvt) or "
                                                                        "GPX file (.gpx)."));
    int exitCode = kExitOk;
    if (!ParseCommand(parser, args, QStringLiteral("info"), 1, exitCode))
        return exitCode;
    const QString path = parser.positionalArguments().constFirst();
    if (IsTrackPath(path))
        return DescribeTrack(path);
    MapData m;
    if (!LoadMapForCommand(m, path, QStringLiteral("info")))
        return kExitFailed;
    const double kmPerUnit = m.m_dMapScale * 0.000001;
    QTextStream& out = Out();
    out << "map: " << path << " (" << QFileInfo(path).size() << " bytes)\n";
    out << "streets: " << m.m_nWayLast + 1 << " WAY records, " << NameRuns(m.m_strWayName, m.m_nWayLast)
        << " street names, " << m.m_nNodeLast << " road nodes\n";
    out << "districts " << m.m_nDistrictLast + 1 << ", bus records " << m.m_nBusLast + 1 << " ("
        << NameRuns(m.m_strBusName, m.m_nBusLast) << " routes), rivers " << m.m_nRiverLast + 1 << ", lakes "
        << m.m_nLakeLast + 1 << ", parks " << m.m_nParkLast + 1 << ", places " << m.m_nPlaceLast + 1 << ", labels "
        << m.m_nTextLast + 1 << "\n";
    out << "extent: " << m.m_nResWidth << " x " << m.m_nResHeight << " map units, about "
        << QString::number(m.m_nResWidth * kmPerUnit, 'f', 2) << " x "
        << QString::number(m.m_nResHeight * kmPerUnit, 'f', 2) << " km; centre " << m.m_nCenterX << "," << m.m_nCenterY
        << "\n";
    out << "scale: " << m.m_dMapScale << " (one map unit is " << QString::number(m.m_dMapScale / 1000.0, 'f', 4)
        << " m)\n";
    out << "calibration: rotation " << m.m_dGpsRotation << ", " << m.m_dGpsUnitsPerMapUnit
        << " GPS units per map unit, origin " << m.m_nGpsOriginX << "," << m.m_nGpsOriginY << " (GPS units)\n";
    out << "area: north-west " << Where(m, 0, 0) << ", south-east " << Where(m, m.m_nResWidth, m.m_nResHeight) << "\n";
    const Distortion distortion = DistortionOf(m);
    out << DistortionText(distortion) << "\n";
    if (const QString warning = DistortionWarning(distortion); !warning.isEmpty())
        out << "warning: " << warning << "\n";
    return kExitOk;
}
