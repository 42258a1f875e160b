// NMEA 0183 sentences as a GPS receiver sends them: which line is the
// recommended-minimum (RMC) sentence, its fields, and its two coordinates in
// GPS units.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <QStringView>
#include <cstdint>

// A position in GPS units, ten-thousandths of an arc minute (1/600 000
// degree): x is the longitude (east positive), y minus the latitude (north
// negative), so that north is up on a map whose y grows downwards.
struct GpsPosition {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const GpsPosition&, const GpsPosition&) = default;
};

namespace NmeaParser {

// True when the text before the first comma is "$", a two-letter talker and
// "RMC": $GPRMC, $GNRMC, $GLRMC, $GARMC, $BDRMC … but not a maker's own $P….
bool IsRmcSentence(QStringView line);

// The bytes of a line from its last '$' on: a sentence starts at a '$'
// wherever it comes, whatever went before it on the line (a doubled '$', a
// blank, a stray byte, a receiver's binary packet). The whole line when it
// holds no '$'.
QByteArrayView SentenceOfLine(QByteArrayView line);

// True only when the line carries a checksum ("*" and two hex digits) that
// does not match the bytes between its "$" and the "*". A line without one
// is not wrong.
bool ChecksumIsWrong(QByteArrayView line);

// Whether an RMC line may give a fix: its checksum holds or, without one, its
// fields reach past the longitude's hemisphere letter (the comma after it is
// there). A line cut short before that comma may have lost the letter, and
// with it the hemisphere.
bool RmcIsComplete(QByteArrayView line);

// The text between the nth and the (n+1)th comma; empty when the line has
// fewer than n + 1 commas.
QString RmcField(QStringView line, int n);
QString RmcLatitude(QStringView line);   // field 3, ddmm.mmmm
QString RmcLongitude(QStringView line);  // field 5, dddmm.mmmm

// Degrees and minutes (dddmm.mmmm) to GPS units, negated when asked. Minutes
// count with four decimals: more are cut, missing ones are zeros.
int32_t FieldToUnits(QStringView field, bool negate);
// ddd mm mmmm as one integer (dddmmmmmm) to GPS units; −v gives the negative.
int32_t DegMinToUnits(int32_t v);

// The position of an RMC line, its hemisphere letters honoured: "S" gives a
// positive y, "W" a negative x. Any other letter counts as north or east.
GpsPosition RmcPosition(QStringView line);

// The seconds of the day of an RMC sentence's time field (hhmmss or
// hhmmss.sss); NaN when it holds none.
double RmcSecondsOfDay(QStringView line);
// The date and time of an RMC sentence in UTC, from its time field and its
// date field (ddmmyy; years 80 to 99 are the 1900s); invalid when either is
// missing or is no time or date.
QDateTime RmcDateTime(QStringView line);

// The sentence a receiver sends for a position: "$GPRMC" with status "A", the
// time of day, the position with its hemisphere letters, speed in knots and
// course in degrees, and its checksum; no line end.
QByteArray RmcSentence(GpsPosition position, int secondsOfDay, double knots = 0, double course = 0);

}  // namespace NmeaParser
