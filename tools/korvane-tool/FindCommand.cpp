#include "Commands.h"

#include "places/NameLists.h"
#include "places/NameMatch.h"

namespace {

// The list the window would show for the option given, whole and sorted.
QStringList ListNames(const MapData& m, bool bus, bool places)
{
    if (bus)
        return SortedVietnamese(ListedNames(NameRange(m.m_strBusName, 0, m.m_nBusLast)));
    if (places)
        return SortedVietnamese(ListedNames(NameRange(m.m_strPlaceName, 0, m.m_nPlaceLast)));
    return SortedVietnamese(StreetListNames(m.m_strWayName, m.m_nWayLast));
}

} // namespace

int RunFind(const QStringList& args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Prints the street names of a map file that match a text as the program's street list "
                       "does while it is typed: with or without diacritics, any word of the name, best first, "
                       "one name a line."));
    parser.addPositionalArgument(QStringLiteral("map"), QStringLiteral("The map file (.kvp)."));
    parser.addPositionalArgument(QStringLiteral("text"), QStringLiteral("The text typed, e.g. \"pho hue\"."));
    const QCommandLineOption bus(QStringLiteral("bus"), QStringLiteral("Bus-route names instead of streets."));
    const QCommandLineOption places(QStringLiteral("places"),
                                    QStringLiteral("Place names (every category) instead of streets."));
    parser.addOptions({bus, places});
    int exitCode = kExitOk;
    if (!ParseCommand(parser, args, QStringLiteral("find"), 2, exitCode))
        return exitCode;
    if (parser.isSet(bus) && parser.isSet(places)) {
        Err() << "korvane-tool find: --bus and --places name different lists; give one\n";
        return kExitUsage;
    }
    MapData m;
    if (!LoadMapForCommand(m, parser.positionalArguments().at(0), QStringLiteral("find")))
        return kExitFailed;
    const QStringList names = ListNames(m, parser.isSet(bus), parser.isSet(places));
    std::vector<FoldedName> folded;
    folded.reserve(names.size());
    for (const QString& name : names)
        folded.emplace_back(name);
    for (int i : NarrowNames(folded, parser.positionalArguments().at(1)))
        Out() << names[i] << "\n";
    return kExitOk;
}
