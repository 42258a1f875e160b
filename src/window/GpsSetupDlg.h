// The GPS set-up: choose the receiver's port and rate, start and stop
// reception, watch the raw sentences and the two coordinate fields, and pick
// the two display options. Reception keeps running after the dialog closes;
// the map window reads positions through LatestRmcLine.
#pragma once

#include "gps/GpsReader.h"
#include "gps/GpsSource.h"
#include "gps/ReceiverPorts.h"
#include "gps/SimulatedDrive.h"
#include "widgets/UiDialog.h"

#include <QTimer>
#include <functional>
#include <memory>

class CComboBox;
class QCheckBox;
class QLineEdit;
class QPushButton;

class CGpsSetupDlg : public CDialog {
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 100;
    // What the dialog and the map window's status line say of a lost source.
    static const QString kSourceLostText;

    explicit CGpsSetupDlg(QWidget* parent = nullptr);
    ~CGpsSetupDlg() override;

    // The latest RMC line received; empty while stopped.
    QString LatestRmcLine() const;
    // Whether the source in use has gone; reception resumes by itself when
    // it comes back.
    bool IsSourceLost() const;

    void UpdateButtons();
    // Opens the source a port text names and starts the reader; false, and
    // nothing held, when it cannot be used.
    bool StartReception(const QString& portText, const QString& baudText);
    // The same with a source made already.
    bool StartReception(std::unique_ptr<GpsSource> source, const QString& portText, const QString& baudText);
    void OnStart();  // "Khởi động"
    void OnStop();   // "Ngừng": the reader joined, then the port closed
    void OnContinuous();
    void OnFollowRoad();
    // One pass of the display loop: the latest line and the two fields.
    void RefreshDisplay();
    bool IsRefreshing() const { return m_displayTimer.isActive(); }

    int m_bFixSeen = 0;  // a position has been shown; never cleared
    std::unique_ptr<GpsSource> m_pSerial;
    std::unique_ptr<GpsReader> m_pReader;  // after m_pSerial: it goes first
    int m_bContinuous = 0;
    int m_bFollowRoad = 0;
    int m_bRunning = 0;

    QCheckBox* m_btnFollowRoad;
    QPushButton* m_btnStart;
    QPushButton* m_btnStop;
    CComboBox* m_cbBaud;
    CComboBox* m_cbPort;
    QCheckBox* m_btnContinuous;
    QLineEdit* m_edField3;
    QLineEdit* m_edField5;
    QLineEdit* m_edSentence;

    // The texts of the two combo boxes, taken by OK.
    QString m_strBaud = QStringLiteral("4800");
    QString m_strPort = QStringLiteral("COM8: Serial 8");

    ReceiverFolders m_receiverFolders;
    // The route the simulated drive follows, from the map window.
    std::function<DriveRoute()> m_routeToDrive;
    // Called each time reception starts: a new drive begins.
    std::function<void()> m_onReceptionStart;
    QString m_strLogPath;  // the log last chosen through "Tệp NMEA…"

protected:
    void OnInitDialog() override;
    void accept() override;  // OK
    // The caption's close button is the dialog's OK, as on the map window;
    // Escape is its Cancel.
    void closeEvent(QCloseEvent* event) override;

private:
    void FillPortList();
    void OnPortCloseUp();
    // The display loop: a timer on the user-interface thread, which owns the
    // widgets.
    void StartDisplayThread();

    QTimer m_displayTimer;
};
