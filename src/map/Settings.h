// The settings file: the map in use, the GPS port and rate, the
// place-information file and the number of user places, remembered between
// runs in "\My Documents\korvane.cfg".
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

inline constexpr const char* kSettingsReadPath = "\\My Documents\\korvane.cfg";
inline constexpr const char* kSettingsWritePath = "/My Documents/korvane.cfg";
inline constexpr qint64 kMaxSettingsBytes = 10000;

// What a settings file holds. A value is present only when its key was read
// after an accepted version line.
struct SettingsValues {
    bool versionRejected = false;  // a MapVer line with another version stopped the reading
    std::optional<QString> mapUrl;
    std::optional<QString> comType;
    std::optional<QString> bitRate;
    std::optional<QString> infoFilePath;
    std::optional<int> myPlaceCount;
    std::optional<bool> voiceGuidance;  // spoken guidance chosen; on when the file does not say
};

// Reads the settings at a device or native path; false when the file cannot
// be opened.
bool ReadSettingsFile(const QString& path, SettingsValues& values);

// Reads settings from the bytes of the file, of which ReadSettingsFile reads
// at most kMaxSettingsBytes.
void ReadSettingsBytes(QByteArrayView block, SettingsValues& values);

// The bytes the program writes: the six values, then whether guidance is
// spoken ("VoiceGuide 1" or "VoiceGuide 0", a line older readers pass over),
// then "end" and an empty line, CR LF each.
QByteArray SettingsFileBytes(const QString& mapPath, const QString& port, const QString& baud,
                             const QString& infoFilePath, int myPlaceCount, bool voiceGuidance = true);

// Writes the bytes over the start of the file, keeping any longer old tail
// (the reader stops at "end" and never reaches it). The file is replaced
// atomically; false when it cannot be written.
bool WriteSettingsFile(const QString& path, const QByteArray& bytes);
