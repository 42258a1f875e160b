// Place-information files: the user's own places (and the update log of
// changed map places), kept apart from the map so that they survive a change
// of map. A file is a run of records with no header and no end mark; each
// record is a line "x,y", a line of one tab and the category code, a line of
// two tabs and the name, and an empty line, every line ended by CR LF.
#pragma once

#include "map/MapData.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>

// The user's file unless another one was chosen, and the update log.
inline constexpr const char* kDefaultUserPlacesFile = "\\My Documents\\MyKorvaneInf.kvf";
inline constexpr const char* kUpdateLogFile = "/UpdateMap.txt";

// The files only ever grow. A file beyond this many bytes, far beyond any
// real use (some 20 000 places of the longest names), is refused with a trace
// line rather than read in part: a part would lose the places after it at the
// next rewrite. The bound keeps the reading of the worst file of the limit,
// half a million of the smallest records, within a few tenths of a second.
inline constexpr qint64 kMaxPlaceFileBytes = 2 * 1024 * 1024;

// Whether the file at path is larger than the program reads. Such a file is
// never written: an appended record would not be read either, and a rewrite
// would lose the places it holds.
bool PlaceFileTooLarge(const QString& path);
// What the user is told about such a file.
QString PlaceFileTooLargeText(const QString& path);

// Reads a whole place-information file; false when it cannot be opened or is
// too large.
bool ReadPlaceFile(const QString& path, QByteArray& out);

// Calls f for each line (its bytes, CR LF excluded) and the offset where it
// starts. A line is seen only when CR LF follows it: text after the last CR
// LF is no line, and a CR LF at the very first byte ends none.
void ForEachPlaceFileLine(QByteArrayView block, const std::function<void(QByteArrayView line, qsizetype at)>& f);

// Appends the places of the file at path to the map's PLACE records, the
// arrays growing as needed. Returns the number of names read (the user places
// a file written by the program holds), or −1 when the file cannot be read
// (nothing changes then).
int LoadInfoFile(MapData& map, const QString& path);

// Appends the places of a place-information file's bytes; returns the number
// of names read.
int LoadInfoBytes(MapData& map, QByteArrayView block);

// The bytes of one record, the name on one line (OneLineText) and cut to 99
// bytes between characters.
QByteArray PlaceRecordBytes(MapPoint where, int category, const QString& name);

// Appends one record at the end of the file, creating it when absent and never
// truncating it. The record goes out in one write: a crash leaves all of it
// or none. False when the file cannot be written or is too large.
bool AppendPlaceRecord(const QString& path, MapPoint where, int category, const QString& name);

// Gives every record whose point is `where` the new name and category. The
// other records stay byte for byte; the file is replaced atomically, so it is
// always the old file or the new one, whole. False when the file cannot be
// read or written; true (and nothing written) when no record is at `where`.
bool RewritePlaceRecord(const QString& path, MapPoint where, int category, const QString& name);

// Whether the file holds a record at `where`.
bool HasPlaceRecordAt(const QString& path, MapPoint where);
