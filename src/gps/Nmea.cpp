#include "gps/Nmea.h"

#include "map/TextLines.h"

#include <QVarLengthArray>
#include <algorithm>
#include <cmath>
#include <limits>

namespace NmeaParser {

namespace {

constexpr int kMinuteDecimals = 4;

bool IsTalkerLetter(QChar c)
{
    return c >= u'A' && c <= u'Z';
}

// "$P…" starts a maker's own sentence ($PGRMC is one of Garmin's), never a
// talker's.
bool IsTalker(QChar first, QChar second)
{
    return first != u'P' && IsTalkerLetter(first) && IsTalkerLetter(second);
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

}  // namespace

bool IsRmcSentence(QStringView line)
{
    return line.size() > 6 && line[6] == u',' && line[0] == u'$' && IsTalker(line[1], line[2]) && line[3] == u'R' &&
           line[4] == u'M' && line[5] == u'C';
}

namespace {

// The checksum a line carries after its "*"; -1 when it carries none.
int SentChecksum(QByteArrayView line, qsizetype star)
{
    if (star < 0 || star + 2 >= line.size())
        return -1;
    const int high = HexDigit(line[star + 1]);
    const int low = HexDigit(line[star + 2]);
    return high < 0 || low < 0 ? -1 : high << 4 | low;
}

// The exclusive or of the bytes between the "$" and the "*".
int ComputedChecksum(QByteArrayView line, qsizetype star)
{
    unsigned char sum = 0;
    for (qsizetype i = line.startsWith('$') ? 1 : 0; i < star; ++i)
        sum ^= static_cast<unsigned char>(line[i]);
    return sum;
}

}  // namespace

QByteArrayView SentenceOfLine(QByteArrayView line)
{
    const qsizetype dollar = line.lastIndexOf('$');
    return dollar < 0 ? line : line.sliced(dollar);
}

bool ChecksumIsWrong(QByteArrayView line)
{
    const qsizetype star = line.indexOf('*');
    const int sent = SentChecksum(line, star);
    return sent >= 0 && sent != ComputedChecksum(line, star);
}

bool RmcIsComplete(QByteArrayView line)
{
    // Seven commas: the one after the longitude's hemisphere letter is the
    // seventh.
    constexpr qsizetype kCommasPastHemisphere = 7;
    const qsizetype star = line.indexOf('*');
    const int sent = SentChecksum(line, star);
    return sent >= 0 ? sent == ComputedChecksum(line, star) : line.count(',') >= kCommasPastHemisphere;
}

namespace {

// "ddmm.mmmm" (or "dddmm.mmmm") of a coordinate in GPS units, without sign.
QByteArray DegreesMinutes(int64_t units, int degreeDigits)
{
    units = units < 0 ? -units : units;
    const int64_t degrees = units / 600000;
    const int64_t minutes = units % 600000;  // ten-thousandths of a minute
    return QByteArray::number(degrees).rightJustified(degreeDigits, '0') +
           QByteArray::number(minutes / 10000).rightJustified(2, '0') + '.' +
           QByteArray::number(minutes % 10000).rightJustified(4, '0');
}

}  // namespace

QByteArray RmcSentence(GpsPosition position, int secondsOfDay, double knots, double course)
{
    const int day = ((secondsOfDay % 86400) + 86400) % 86400;
    QByteArray body = "GPRMC," + QByteArray::number(day / 3600).rightJustified(2, '0') +
                      QByteArray::number(day / 60 % 60).rightJustified(2, '0') +
                      QByteArray::number(day % 60).rightJustified(2, '0') + ".00,A," +
                      DegreesMinutes(position.y, 2) + (position.y > 0 ? ",S," : ",N,") +
                      DegreesMinutes(position.x, 3) + (position.x < 0 ? ",W," : ",E,") +
                      QByteArray::number(knots, 'f', 1) + ',' + QByteArray::number(course, 'f', 1) + ",010124,,,A";
    unsigned char sum = 0;
    for (const char c : body)
        sum ^= static_cast<unsigned char>(c);
    return '$' + body + '*' + QByteArray::number(sum, 16).toUpper().rightJustified(2, '0');
}

QString RmcField(QStringView line, int n)
{
    qsizetype start = 0;
    for (int i = 0; i < n; ++i) {
        const qsizetype comma = line.indexOf(QChar(u','), start);
        if (comma < 0)
            return {};
        start = comma + 1;
    }
    const qsizetype end = line.indexOf(QChar(u','), start);
    return end < 0 ? QString() : line.mid(start, end - start).toString();
}

QString RmcLatitude(QStringView line)
{
    return RmcField(line, 3);
}

QString RmcLongitude(QStringView line)
{
    return RmcField(line, 5);
}

int32_t FieldToUnits(QStringView field, bool negate)
{
    // The field without its point and with exactly four decimals of minutes:
    // 10551.2148 → 105512148, 1051.21485 → 10512148, 1051 → 10510000.
    const qsizetype dot = field.indexOf(QChar(u'.'));
    const QStringView whole = dot < 0 ? field : field.first(dot);
    const QStringView decimals = dot < 0 ? QStringView() : field.sliced(dot + 1);
    QVarLengthArray<QChar, 24> digits(whole.begin(), whole.end());
    bool inDecimals = true;
    for (int i = 0; i < kMinuteDecimals; ++i) {
        inDecimals = inDecimals && i < decimals.size() && decimals[i] >= u'0' && decimals[i] <= u'9';
        digits.append(inDecimals ? decimals[i] : QChar(u'0'));
    }
    // Held off the lowest value so that its negation exists.
    int32_t value = std::max(ToInt(QStringView(digits.data(), digits.size())), -std::numeric_limits<int32_t>::max());
    if (negate)
        value = -value;
    return DegMinToUnits(value);
}

int32_t DegMinToUnits(int32_t v)
{
    return v % 1000000 + v / 1000000 * 600000;
}

double RmcSecondsOfDay(QStringView line)
{
    const QString time = RmcField(line, 1);
    if (time.size() < 6)
        return NAN;
    bool ok = false;
    const double hhmmss = time.toDouble(&ok);
    if (!ok || !(hhmmss >= 0 && hhmmss < 240000))
        return NAN;  // no time of day (and no number an int could hold)
    const int whole = static_cast<int>(hhmmss);
    return whole / 10000 * 3600 + whole / 100 % 100 * 60 + whole % 100 + (hhmmss - whole);
}

QDateTime RmcDateTime(QStringView line)
{
    const double seconds = RmcSecondsOfDay(line);
    const QString ddmmyy = RmcField(line, 9);
    bool ok = ddmmyy.size() == 6;
    const int value = ok ? ddmmyy.toInt(&ok) : 0;
    const int yy = value % 100;
    const QDate date(yy < 80 ? 2000 + yy : 1900 + yy, value / 100 % 100, value / 10000);
    if (!ok || !date.isValid() || std::isnan(seconds))
        return {};
    if (!QTime::fromString(RmcField(line, 1).left(6), QStringLiteral("HHmmss")).isValid())
        return {};  // a clock reading such as 126000 is no time
    return QDateTime(date, QTime(0, 0), Qt::UTC).addMSecs(std::llround(seconds * 1000));
}

GpsPosition RmcPosition(QStringView line)
{
    const bool west = RmcField(line, 6) == u"W";
    const bool south = RmcField(line, 4) == u"S";
    return {FieldToUnits(RmcLongitude(line), west), FieldToUnits(RmcLatitude(line), !south)};
}


}  // namespace NmeaParser
