#include "Commands.h"
#include "Importer.h"

int RunImport(const QStringList& args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Makes a map file from an OpenStreetMap extract (.osm XML or .pbf).\n"
                       "Streets for cars become WAY records and the road graph (only the part in which every "
                       "road node can be reached from every other); bus routes, waterways, lakes, the sea, parks, "
                       "land use, places and place names become the other records."));
    parser.addPositionalArgument(QStringLiteral("input"), QStringLiteral("The OpenStreetMap extract."));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("The map file to write (written whole or not at all)."),
                                    QStringLiteral("map"));
    const QCommandLineOption box(
        QStringLiteral("box"),
        QStringLiteral("The map's area as west,south,east,north in degrees, or \"bounds\" for the area the extract "
                       "was cut to. Features reaching beyond it are cut at its edge. Default: the extent of the "
                       "streets."),
        QStringLiteral("box"));
    const QCommandLineOption leaveOut(
        QStringLiteral("leave-out"),
        QStringLiteral("Minor features to leave out, comma-separated: small-places (bus stops, parking, ATMs, "
                       "places without a name), service (service roads), bus (bus routes), districts."),
        QStringLiteral("list"));
    const QCommandLineOption fit(
        QStringLiteral("fit"),
        QStringLiteral("Make the map fit whatever the extract: leave out minor features in the order above, then "
                       "shrink the area around its middle (or --center) until the map fits, and say what was kept."));
    const QCommandLineOption center(
        QStringLiteral("center"),
        QStringLiteral("With --fit: the point, as longitude,latitude in degrees, that the area shrinks around."),
        QStringLiteral("lon,lat"));
    const QCommandLineOption simplify(
        QStringLiteral("simplify"),
        QStringLiteral("Drop points closer than this many metres to a straight line between their neighbours "
                       "(default 0.5; 0 keeps every point)."),
        QStringLiteral("metres"), QStringLiteral("0.5"));
    parser.addOptions({output, box, leaveOut, fit, center, simplify});
    int exitCode = kExitOk;
    if (!ParseCommand(parser, args, QStringLiteral("import"), 1, exitCode))
        return exitCode;

    ImportOptions options;
    QString error;
    bool simplifyOk = false;
    options.simplifyMetres = parser.value(simplify).toDouble(&simplifyOk);
    if (!parser.isSet(output)) {
        error = QStringLiteral("no map file to write: give -o MAP");
    } else if (!simplifyOk || options.simplifyMetres < 0.0) {
        error = QStringLiteral("--simplify takes a number of metres, 0 or more");
    } else if (parser.value(box) == QLatin1String("bounds")) {
        options.boxFromBounds = true;
    } else if (parser.isSet(box)) {
        GeoBox area;
        if (ParseBox(parser.value(box), area, error))
            options.box = area;
    }
    if (error.isEmpty())
        ParseLeaveOut(parser.value(leaveOut), options.leaveOut, error);
    if (error.isEmpty() && parser.isSet(center)) {
        GeoPoint point;
        if (!parser.isSet(fit))
            error = QStringLiteral("--center is the point --fit shrinks the area around: give --fit as well");
        else if (ParseLonLat(parser.value(center), point, error))
            options.center = point;
    }
    if (!error.isEmpty()) {
        Err() << "korvane-tool import: " << error << "\n";
        return kExitUsage;
    }
    options.fit = parser.isSet(fit);

    ImportReport report;
    const QString input = parser.positionalArguments().constFirst();
    if (!ImportOsmFile(input, parser.value(output), options, report, error)) {
        Err() << "korvane-tool import: " << error << "\n";
        return kExitFailed;
    }
    for (const QString& note : report.notes)
        Err() << "note: " << note << "\n";
    for (const QString& warning : report.warnings)
        Err() << "warning: " << warning << "\n";
    Err().flush();
    Out() << "wrote " << parser.value(output) << "\n";
    for (const QString& line : report.summary)
        Out() << "  " << line << "\n";
    return kExitOk;
}
