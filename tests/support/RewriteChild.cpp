// Rewrites one of the files the program replaces, over and over, until it is
// killed. The kill tests start it, kill it at a random moment and check that
// the file is then the old one or the new one, whole.
//
//   rewrite_child MODE FILE VALUE_A VALUE_B
//
// writes the file with the two values in turn, as MODE says:
//   places    the user's record at (1, 1) named VALUE_A, then VALUE_B
//   settings  the settings file naming the map VALUE_A, then VALUE_B
//   road      the road file of RoadTrack(VALUE_A), then RoadTrack(VALUE_B)
//
// A mode is one function that rewrites the file with one value. The child
// needs no Qt application object, so it is ready within milliseconds.
#include "RoadTrack.h"
#include "map/Settings.h"
#include "gps/RoadFile.h"
#include "map/PlaceInfoFile.h"

#include <QString>
#include <cstdio>
#include <cstring>

namespace {

void RewritePlaces(const QString& file, const QString& name)
{
    RewritePlaceRecord(file, MapPoint{1, 1}, 28, name);
}

void RewriteSettings(const QString& file, const QString& map)
{
    WriteSettingsFile(file, SettingsFileBytes(map, QStringLiteral("COM8: Serial 8"), QStringLiteral("4800"), {}, 0));
}

void RewriteRoad(const QString& file, const QString& count)
{
    const std::vector<MapPoint> track = RoadTrack(count.toInt());
    WriteRoadFile(file, track, int(track.size()));
}

struct Mode {
    const char* name;
    void (*rewrite)(const QString& file, const QString& value);
};

constexpr Mode kModes[] = {{"places", RewritePlaces}, {"settings", RewriteSettings}, {"road", RewriteRoad}};

}  // namespace

int main(int argc, char** argv)
{
    for (const Mode& mode : kModes) {
        if (argc != 5 || std::strcmp(argv[1], mode.name) != 0)
            continue;
        const QString file = QString::fromLocal8Bit(argv[2]);
        const QString values[] = {QString::fromLocal8Bit(argv[3]), QString::fromLocal8Bit(argv[4])};
        std::printf("writing\n");
        std::fflush(stdout);
        for (int i = 0;; i = 1 - i)
            mode.rewrite(file, values[i]);
    }
    std::fprintf(stderr, "usage: rewrite_child places|settings|road FILE VALUE_A VALUE_B\n");
    return 2;
}
