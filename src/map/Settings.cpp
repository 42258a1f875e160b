#include "map/Settings.h"

#include "map/TextLines.h"
#include "base/DevicePath.h"
#include "base/TextCodec.h"

#include <QBuffer>
#include <QFile>

namespace {

// The value of a key is the line with the key's length cut off, so a key is
// only useful at the start of its line.
QString ValueAfter(const QString& line, int keyLength)
{
    return line.mid(keyLength);
}

}  // namespace

bool ReadSettingsFile(const QString& path, SettingsValues& values)
{
    QByteArray block;
    if (!ReadFileBlock(path, kMaxSettingsBytes, block))
        return false;
    ReadSettingsBytes(block, values);
    return true;
}

void ReadSettingsBytes(QByteArrayView block, SettingsValues& values)
{
    LineScanner lines(block);
    QByteArrayView bytes;
    bool versionAccepted = false;
    while (lines.Next(bytes)) {
        // Values are paths: kept as they stand, never composed.
        const QString line = DecodeText(bytes);
        if (line.contains(QLatin1StringView("MapVer"))) {
            if (ValueAfter(line, 7) != QLatin1StringView("1.2")) {
                values.versionRejected = true;
                return;
            }
            versionAccepted = true;
        }
        if (versionAccepted) {
            if (line.contains(QLatin1StringView("MapURL")))
                values.mapUrl = ValueAfter(line, 7);
            if (line.contains(QLatin1StringView("ComType")))
                values.comType = ValueAfter(line, 8);
            if (line.contains(QLatin1StringView("BitRate")))
                values.bitRate = ValueAfter(line, 8);
            if (line.contains(QLatin1StringView("URLInforFile")))
                values.infoFilePath = ValueAfter(line, 13);
            if (line.contains(QLatin1StringView("NumMyPlace")))
                values.myPlaceCount = ToInt(ValueAfter(line, 11));
            if (line.contains(QLatin1StringView("VoiceGuide")))
                values.voiceGuidance = ToInt(ValueAfter(line, 11)) != 0;
        }
        if (line.contains(QLatin1StringView("end")))
            break;
    }
}

QByteArray SettingsFileBytes(const QString& mapPath, const QString& port, const QString& baud,
                             const QString& infoFilePath, int myPlaceCount, bool voiceGuidance)
{
    QByteArray bytes;
    QBuffer file(&bytes);
    file.open(QIODevice::WriteOnly);
    // Paths are written whole: a path cut to the line limit would name
    // another file at the next start. A value stays on its own line.
    for (const QString& line : {QStringLiteral("MapVer 1.2"), "MapURL " + mapPath, "ComType " + port,
                                "BitRate " + baud, "URLInforFile " + infoFilePath,
                                "NumMyPlace " + QString::number(myPlaceCount),
                                "VoiceGuide " + QString::number(voiceGuidance ? 1 : 0), QStringLiteral("end")}) {
        file.write(EncodeText(OneLineText(line)));
        WriteNewLine(file);
    }
    WriteNewLine(file);
    return bytes;
}

bool WriteSettingsFile(const QString& path, const QByteArray& bytes)
{
    QByteArray content = bytes;
    QFile old(NativePath(path));
    if (old.open(QIODevice::ReadOnly)) {
        const QByteArray previous = old.readAll();
        if (previous.size() > content.size())
            content += previous.mid(content.size());
    }
    return WriteFileBlock(path, content);
}
