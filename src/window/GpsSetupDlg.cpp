#include "window/GpsSetupDlg.h"

#include "ResourceIds.h"
#include "gps/GpsSources.h"
#include "gps/Nmea.h"
#include "map/TextLines.h"
#include "widgets/UiComboBox.h"
#include "widgets/UiModal.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Dialog 320 in dialog units.
const QSize kTemplate(134, 140);

// The template gives each combo box the height of its open list (65 units);
// its closed box is as tall as an edit.
constexpr int kComboHeight = 12;

}  // namespace

const QString CGpsSetupDlg::kSourceLostText = QStringLiteral("Mất tín hiệu GPS");

CGpsSetupDlg::CGpsSetupDlg(QWidget* parent) : CDialog(kTemplate, parent)
{
    setWindowTitle(QStringLiteral("Cấu hình GPS"));
    const auto control = [this](auto* widget, int id, const QRect& units) {
        widget->setObjectName(QString::number(id));
        Place(widget, units);
        return widget;
    };
    m_cbPort = control(new CComboBox(true, this), 1045, QRect(8, 8, 70, kComboHeight));
    m_cbBaud = control(new CComboBox(false, this), 1046, QRect(82, 8, 45, kComboHeight));
    for (const char* rate : {"1200", "2400", "4800", "9600", "14400", "38400", "57600", "115200"})
        m_cbBaud->AddString(QString::fromLatin1(rate));
    m_edSentence = control(new QLineEdit(this), 1007, QRect(10, 34, 114, 15));
    Place(new QLabel(QStringLiteral("Kinh độ"), this), QRect(11, 51, 32, 8));
    Place(new QLabel(QStringLiteral("Vĩ độ"), this), QRect(71, 51, 27, 8));
    // Each field under its own label: the longitude (field 5) under "Kinh độ".
    m_edField5 = control(new QLineEdit(this), 1035, QRect(10, 60, 54, 14));
    m_edField3 = control(new QLineEdit(this), 1034, QRect(70, 60, 54, 14));
    m_btnStart = control(new QPushButton(QStringLiteral("Khởi động"), this), 1036, QRect(10, 78, 50, 14));
    m_btnStop = control(new QPushButton(QStringLiteral("Ngừng"), this), 1037, QRect(74, 78, 50, 14));
    m_btnStop->setEnabled(false);
    m_btnContinuous = control(new QCheckBox(QStringLiteral("Hiển thị liên tục"), this), 1044, QRect(34, 109, 74, 10));
    m_btnFollowRoad = control(new QCheckBox(QStringLiteral("Bám GPS theo đường"), this), 1047, QRect(34, 120, 80, 10));
    m_cbPort->onNotify = [this](int code) {
        if (code == CBN_CLOSEUP)
            OnPortCloseUp();
    };
    connect(m_btnStart, &QPushButton::clicked, this, &CGpsSetupDlg::OnStart);
    connect(m_btnStop, &QPushButton::clicked, this, &CGpsSetupDlg::OnStop);
    connect(m_btnContinuous, &QCheckBox::clicked, this, &CGpsSetupDlg::OnContinuous);
    connect(m_btnFollowRoad, &QCheckBox::clicked, this, &CGpsSetupDlg::OnFollowRoad);
    m_displayTimer.setInterval(kRefreshMs);
    connect(&m_displayTimer, &QTimer::timeout, this, &CGpsSetupDlg::RefreshDisplay);
}

CGpsSetupDlg::~CGpsSetupDlg()
{
    OnStop();
}

QString CGpsSetupDlg::LatestRmcLine() const
{
    return m_pSerial ? m_pSerial->LatestRmcLine() : QString();
}

bool CGpsSetupDlg::IsSourceLost() const
{
    return m_pSerial && m_pSerial->IsLost();
}

void CGpsSetupDlg::OnInitDialog()
{
    FillPortList();
    m_cbPort->SetWindowText(m_strPort);
    m_cbBaud->SetWindowText(m_strBaud);
    UpdateButtons();
    m_btnFollowRoad->setChecked(m_bFollowRoad == 1);
    m_btnContinuous->setChecked(m_bContinuous == 1);
    // OK paused the display; shown again while receiving, it shows what
    // arrives rather than what had arrived when it closed.
    if (m_bRunning)
        StartDisplayThread();
}

void CGpsSetupDlg::FillPortList()
{
    m_cbPort->ResetContent();
    for (const QString& entry : SerialPortEntries() + ReceiverPortEntries(m_receiverFolders))
        m_cbPort->AddString(entry);
    // The other sources follow the ports, in their own order.
    for (const QString& entry : OtherSourceEntries())
        m_cbPort->InsertString(m_cbPort->GetCount(), entry);
}

void CGpsSetupDlg::UpdateButtons()
{
    m_btnStart->setEnabled(!m_bRunning);
    m_btnStop->setEnabled(m_bRunning);
    if (!m_bRunning || m_bFixSeen) {
        m_btnFollowRoad->setEnabled(m_bRunning);
        m_btnContinuous->setEnabled(m_bRunning);
    }
}

bool CGpsSetupDlg::StartReception(const QString& portText, const QString& baudText)
{
    return StartReception(MakeGpsSource(portText, m_routeToDrive), portText, baudText);
}

bool CGpsSetupDlg::StartReception(std::unique_ptr<GpsSource> source, const QString& portText, const QString& baudText)
{
    if (m_bRunning)
        return true;
    const auto baud = static_cast<uint32_t>(std::max(ToInt(baudText), 0));
    // A port that cannot be used is closed at once: the dialog stays stopped
    // and holds nothing another program might want.
    if (!source->Open(portText, baud))
        return false;
    m_pSerial = std::move(source);
    m_pReader = std::make_unique<GpsReader>(m_pSerial.get());
    m_pReader->Start();
    m_bRunning = 1;
    if (m_onReceptionStart)
        m_onReceptionStart();
    return true;
}

void CGpsSetupDlg::OnStart()
{
    if (m_bRunning || !StartReception(m_cbPort->GetWindowText(), m_cbBaud->GetWindowText()))
        return;
    m_btnStop->setEnabled(true);
    m_btnStart->setEnabled(false);
    StartDisplayThread();
}

void CGpsSetupDlg::OnPortCloseUp()
{
    // "Tệp NMEA…" stands for a log the user chooses now.
    const int chosen = m_cbPort->GetCurSel();
    if (chosen < 0 || m_cbPort->GetLBText(chosen) != kLogEntry)
        return;
    const QString log = Modal().OpenFileName(this, QStringLiteral(".nmea"), m_strLogPath,
                                             QStringLiteral("Nhật ký NMEA (*.nmea *.log *.txt)"));
    m_cbPort->SetWindowText(log.isEmpty() ? m_strPort : log);
    if (!log.isEmpty())
        m_strLogPath = log;
}

void CGpsSetupDlg::OnStop()
{
    m_btnStop->setEnabled(false);
    m_btnStart->setEnabled(true);
    m_bRunning = 0;
    m_displayTimer.stop();
    if (m_pReader)
        m_pReader->Stop();
    m_pReader.reset();
    if (m_pSerial)
        m_pSerial->Close();
    m_pSerial.reset();
}

void CGpsSetupDlg::OnContinuous()
{
    m_bContinuous = m_btnContinuous->isChecked() ? 1 : 0;
}

void CGpsSetupDlg::OnFollowRoad()
{
    m_bFollowRoad = m_btnFollowRoad->isChecked() && m_bFixSeen ? 1 : 0;
}

void CGpsSetupDlg::StartDisplayThread()
{
    m_displayTimer.start();
}

void CGpsSetupDlg::RefreshDisplay()
{
    const QString line = IsSourceLost() ? kSourceLostText : m_pSerial ? m_pSerial->LatestLine() : QString();
    if (!line.isEmpty() && line != m_edSentence->text()) {
        m_edSentence->setText(line);
        m_edSentence->setCursorPosition(0);  // a long sentence shows its start
    }
    const QString rmc = LatestRmcLine();
    if (!NmeaParser::IsRmcSentence(rmc))
        return;
    const QString longitude = NmeaParser::RmcLongitude(rmc);
    const QString latitude = NmeaParser::RmcLatitude(rmc);
    m_edField5->setText(longitude);
    m_edField3->setText(latitude);
    if (longitude.size() > 1 && latitude.size() > 1) {
        m_btnFollowRoad->setEnabled(true);
        m_btnContinuous->setEnabled(true);
        m_bFixSeen = 1;
    }
}

void CGpsSetupDlg::accept()
{
    m_displayTimer.stop();
    m_strPort = m_cbPort->GetWindowText();
    m_strBaud = m_cbBaud->GetWindowText();
    CDialog::accept();
}

void CGpsSetupDlg::closeEvent(QCloseEvent* event)
{
    if (isVisible())
        accept();
    event->accept();
}
