#include "window/MapDlg.h"

#include "map/Settings.h"
#include "widgets/UiWaitCursor.h"

#include <QThread>

void CMapDlg::LoadSettings()
{
    m_bCfgPending = 0;
    SettingsValues values;
    if (!ReadSettingsFile(QString::fromLatin1(kSettingsReadPath), values))
        return;
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
    // A start map replaces the settings' map: OnInitDialog opens it.
    if (values.versionRejected || m_strCfgMapUrl.size() < 2 || !m_strStartMap.isEmpty())
        return;
    OpenMapAtStart(m_strCfgMapUrl);
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
