#include "app/MapDlg.h"

#include "app/Settings.h"
#include "map/MapFileReader.h"
#include "platform/UiWaitCursor.h"

#include <QThread>

void CMapDlg::LoadSettings()
{
    m_bCfgPending = 0;
    SettingsValues values;
    if (!ReadSettingsFile(QString::fromLatin1(kSettingsReadPath), values))
        return;
    m_bCfgRead = 1;
    if (values.versionRejected)
        return;
    m_strCfgMapUrl = values.mapUrl.value_or(m_strCfgMapUrl);
    m_strCfgComType = values.comType.value_or(m_strCfgComType);
    m_strCfgBitRate = values.bitRate.value_or(m_strCfgBitRate);
    m_strInfoFilePath = values.infoFilePath.value_or(m_strInfoFilePath);
    m_nMyPlaceCount = values.myPlaceCount.value_or(m_nMyPlaceCount);
    if (m_strCfgMapUrl.size() < 2)
        return;
    WaitCursor wait;
    if (LoadMapFile(*this, m_strCfgMapUrl, m_nMyPlaceCount)) {
        wait.Restore();
        QThread::msleep(1);
        m_strMapPath = m_strCfgMapUrl;
        InitViewAfterLoad();
    } else {
        m_strMapPath.clear();
    }
}

void CMapDlg::SaveSettings()
{
    WriteSettingsFile(QString::fromLatin1(kSettingsWritePath),
                      SettingsFileBytes(m_strMapPath, m_gpsSetupDlg.m_strPort, m_gpsSetupDlg.m_strBaud,
                                        m_strInfoFilePath, m_nMyPlaceCount));
}
