// A device root with a map in it, the settings file of that root, and the
// map window opened there: what the shell and settings tests start from.
#pragma once

#include "support/DeviceRoot.h"
#include "support/MapFileText.h"
#include "support/MapWindow.h"
#include "support/ScriptedModal.h"

#include "ResourceIds.h"
#include "widgets/UiCommandBar.h"

#include <gtest/gtest.h>

// The commands that start greyed; all but the last three are enabled by a
// map load or Close map.
inline const std::vector<int> kMapCommands = {ID_FIND_PLACE,    ID_MEASURE,     ID_FILTER_PLACES,
                                              ID_REFRESH,       ID_FIND_STREET, ID_FIND_BUS,
                                              ID_SHORTEST_PATH, ID_AVOID_ROUTE};
inline const std::vector<int> kGpsCommands = {ID_SAVE_ROAD, ID_SHOW_GPS, ID_NAVIGATE};

class AppTest : public ::testing::Test {
protected:
    static constexpr const char* kSettingsFile = "My Documents/korvane.cfg";

    TempDeviceRoot root;
    ScriptedModal modal;

    // A 6 × 4 block city, 600 × 400 map units centred on (300, 200).
    QString WriteCity(const QString& relative, int columns = 6, int rows = 4)
    {
        root.Write(relative, CityGrid(columns, rows).Bytes());
        return root.Path(relative);
    }
    void WriteSettings(const QByteArray& bytes) { root.Write(kSettingsFile, bytes); }
    QByteArray CfgBytes() const { return root.Read(kSettingsFile); }

    static QByteArray ExpectedSettings(const QString& mapPath, int myPlaces = 0, const QString& infoFile = {})
    {
        return "MapVer 1.2\r\nMapURL " + mapPath.toUtf8() + "\r\nComType COM8: Serial 8\r\nBitRate 4800\r\n" +
               "URLInforFile " + infoFile.toUtf8() + "\r\nNumMyPlace " + QByteArray::number(myPlaces) +
               "\r\nVoiceGuide 1\r\nend\r\n\r\n";
    }

    static void ExpectCommands(const CMapDlg& dlg, const std::vector<int>& ids, bool enabled)
    {
        for (int id : ids)
            EXPECT_EQ(dlg.MenuBar()->IsCommandEnabled(id), enabled) << id;
    }
};
