#include "window/MapDlg.h"

#include "map/PlaceInfoFile.h"
#include "map/Settings.h"
#include "base/DevicePath.h"
#include "widgets/UiWaitCursor.h"

#include <QFileInfo>
#include <QThread>

void CMapDlg::LoadSettings()
{
    m_bCfgPending = 0;
    SettingsValues values;
    const bool read = ReadSettingsFile(QString::fromLatin1(kSettingsReadPath), values);
    if (!read) {
        UseDefaultPlaceFileIfNone();
        return;
    }
    m_bCfgRead = 1;
    // Each value is kept as its line was read, also when a later version
    // line stops the reading.
    m_strCfgMapUrl = values.mapUrl.value_or(m_strCfgMapUrl);
    m_strCfgComType = values.comType.value_or(m_strCfgComType);
    m_strCfgBitRate = values.bitRate.value_or(m_strCfgBitRate);
    m_strInfoFilePath = values.infoFilePath.value_or(m_strInfoFilePath);
    m_nMyPlaceCount = values.myPlaceCount.value_or(m_nMyPlaceCount);
    m_bVoiceGuidance = values.voiceGuidance.value_or(m_bVoiceGuidance);
    ShowVoiceCommand();
    UseDefaultPlaceFileIfNone();
    // A start map replaces the settings' map: OnInitDialog opens it.
    if (values.versionRejected || m_strCfgMapUrl.size() < 2 || !m_strStartMap.isEmpty())
        return;
    OpenMapAtStart(m_strCfgMapUrl);
}

void CMapDlg::UseDefaultPlaceFileIfNone()
{
    const QString defaultFile = QString::fromLatin1(kDefaultUserPlacesFile);
    if (m_strInfoFilePath.isEmpty() && QFileInfo::exists(NativePath(defaultFile)))
        m_strInfoFilePath = defaultFile;
}

void CMapDlg::OpenMapAtStart(const QString& path)
{
    WaitCursor wait;
    if (ReplaceMap(path) == MapLoad::Loaded) {
        wait.Restore();
        QThread::msleep(1);
        m_strMapPath = path;
        if (!m_strInfoFilePath.isEmpty())
            LoadInfoFile(m_strInfoFilePath);
        InitViewAfterLoad();
    } else {
        m_strMapPath.clear();
    }
}

void CMapDlg::SaveSettings()
{
    WriteSettingsFile(QString::fromLatin1(kSettingsWritePath),
                      SettingsFileBytes(m_strMapPath, m_gpsSetupDlg.m_strPort, m_gpsSetupDlg.m_strBaud,
                                        m_strInfoFilePath, m_nMyPlaceCount, m_bVoiceGuidance));
}
