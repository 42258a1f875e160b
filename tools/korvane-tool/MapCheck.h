// Checking a map file against what the reader takes from it: every limit
// broken, every line it would ignore, WAY records the map view never shows
// (their ends too close together), and road-graph faults (nodes off the
// streets, links to nowhere, nodes no route can reach or leave).
#pragma once

#include <QByteArrayView>
#include <QString>

#include <vector>

struct MapProblem {
    int line = 0; // from 1; 0 when the problem is the file as a whole
    QString message;
};

std::vector<MapProblem> CheckMapText(QByteArrayView text);
