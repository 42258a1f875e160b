// Rewrites one of the files the program replaces, over and over, until it is
// killed. The kill tests start it, kill it at a random moment and check that
// the file is then the old one or the new one, whole.
//
//   rewrite_child places FILE NAME_A NAME_B
//       gives the user's record at (1, 1) the two names in turn
#include "map/PlaceInfoFile.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 5 || args[1] != QLatin1String("places")) {
        std::fprintf(stderr, "usage: rewrite_child places FILE NAME_A NAME_B\n");
        return 2;
    }
    std::printf("writing\n");
    std::fflush(stdout);
    for (bool first = true;; first = !first)
        RewritePlaceRecord(args[2], MapPoint{1, 1}, 28, first ? args[3] : args[4]);
}
