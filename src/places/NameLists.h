// The names the program's lists offer, taken from the map's records.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// The street list: one entry per run of consecutive records of one name, as
// a street stored as several records appears once; the first record always
// gives an entry. Records 0..last.
QStringList StreetListNames(const std::vector<QString>& wayNames, int last);

// The bus-route, avoid and place-name lists: each non-empty name in order,
// unless a name listed before it begins with it, whatever the letter case
// (so "Hotel" after "Hotel Central" is left out).
QStringList ListedNames(const QStringList& names);

// Records first..last of a name table, for ListedNames.
QStringList NameRange(const std::vector<QString>& names, int first, int last);
