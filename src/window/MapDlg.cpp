#include "window/MapDlg.h"

#include "ResourceIds.h"
#include "window/CommandLine.h"
#include "window/UiMenus.h"
#include "base/Resources.h"
#include "widgets/UiComboBox.h"
#include "widgets/UiCommandBar.h"
#include "widgets/UiDialog.h"
#include "widgets/UiMapSurface.h"
#include "widgets/UiQtTexts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

namespace {

// The command bar's height: room for the large toolbar pictures.
constexpr int kCommandBarHeight = 40;
// The small toolbar: for a window narrower than 251 pixels when it opens, and
// after a resize for one narrower than the large set's 480.
constexpr int kSmallToolbarBelowAtStart = 251;
constexpr int kSmallToolbarBelowOnResize = 480;


// Template of the map window, in dialog units.
const QSize kMapTemplate(147, 158);

enum class ControlKind { Combo, Button, Static };

struct ControlSpec {
    int id;
    ControlKind kind;
    QRect units;       // x, y, w, h; a combo's height is its edit part
    const char* text;  // UTF-8
};

const ControlSpec kTopBar[] = {
    {IDC_PLACE_TYPE, ControlKind::Combo, {0, 11, 49, 11}, ""},
    {IDC_PLACE_NAME, ControlKind::Combo, {47, 11, 77, 11}, ""},
    {IDC_PLACE_OK, ControlKind::Button, {123, 0, 16, 11}, "OK"},
    {IDC_PLACE_TYPE_CAPTION, ControlKind::Static, {0, 0, 49, 11}, "Loại địa danh"},
    {IDC_PLACE_NAME_CAPTION, ControlKind::Static, {49, 0, 75, 11}, "Tên địa danh"},
    {IDC_STREET_CAPTION, ControlKind::Static, {0, 0, 37, 11}, "Tên đường"},
    {IDC_STREET, ControlKind::Combo, {37, 0, 102, 11}, ""},
    {IDC_FROM_TO_LABEL, ControlKind::Static, {0, 0, 23, 11}, ""},
    {IDC_ROUTE_TYPE, ControlKind::Combo, {23, 0, 41, 11}, ""},
    {IDC_ROUTE_NAME, ControlKind::Combo, {63, 0, 61, 11}, ""},
    {IDC_ROUTE_OK, ControlKind::Button, {123, 0, 16, 11}, "OK"},
    {IDC_AVOID_CAPTION, ControlKind::Static, {0, 0, 19, 11}, "Tắc"},
    {IDC_AVOID_STREET, ControlKind::Combo, {19, 0, 105, 11}, ""},
    {IDC_STATUS, ControlKind::Static, {0, 143, 139, 10}, ""},
    {IDC_GPS_STATUS, ControlKind::Static, {0, 144, 113, 10}, "Kinh độ: 10551.2148 - Vĩ độ: 1051.2148"},
};

}  // namespace

CMapDlg::CMapDlg(QWidget* parent) : QWidget(parent), m_filterDlg(m_showCategory), m_aboutDlg()
{
    InitResources();
    InstallVietnameseQtTexts();
    ShowMapNameInTitle();
    setWindowIcon(QIcon(QStringLiteral(":/icons/app.png")));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_pClient = new UiMapSurface(this);
    m_pMainMenu = new CommandBar(this);
    layout->addWidget(m_pClient, 1);
    layout->addWidget(m_pMainMenu, 0);
    m_pClient->onPresent = [this] { PresentSurface(); };
    m_pClient->onSize = [this](int w, int h) { OnSize(0, w, h); };
    m_pClient->onPointerDown = [this](QPoint p, bool hold) {
        m_bHoldGesture = hold;
        OnLButtonDown(0, p);
        m_bHoldGesture = false;
    };
    m_pClient->onPointerMove = [this](QPoint p) { OnMouseMove(0, p); };
    m_pClient->onPointerUp = [this](QPoint p) { OnLButtonUp(0, p); };
    m_pClient->onWheel = [this](QPoint p, int steps) { OnMouseWheel(p, steps); };
    m_pMainMenu->onCommand = [this](int id) { OnCommand(id, BN_CLICKED); };
    CreateControls();
    m_tickerTimer.setInterval(100);
    connect(&m_tickerTimer, &QTimer::timeout, this, [this] { OnTimer(ID_TICKER_TIMER); });
    connect(&m_gpsTimer, &QTimer::timeout, this, [this] { GpsUpdate(); });
    m_gpsSetupDlg.m_routeToDrive = [this] { return RouteToDrive(); };
    // A track is one drive: from the start of reception on.
    m_gpsSetupDlg.m_onReceptionStart = [this] { ClearTrack(); };
    qApp->installEventFilter(this);
    m_pMainMenu->setFixedHeight(kCommandBarHeight);
    setMinimumSize(kMinWindowWidth, kMinWindowHeight);
    SetClientSize(m_nClientWidth, m_nClientHeight);
}

void CMapDlg::SetClientSize(int width, int height)
{
    resize(width, height + kCommandBarHeight);
    OnSize(0, width, height);
}

void CMapDlg::SetWindowSize(QSize size)
{
    // The whole window fits the screen it opens on: no command is off it.
    if (const QScreen* where = screen())
        size = size.boundedTo(where->availableGeometry().size());
    SetClientSize(size.width(), size.height() - kCommandBarHeight);
}

CMapDlg::~CMapDlg()
{
    qApp->removeEventFilter(this);
}

void CMapDlg::CreateControls()
{
    for (const ControlSpec& row : kTopBar) {
        QWidget* control = nullptr;
        const QString text = QString::fromUtf8(row.text);
        switch (row.kind) {
        case ControlKind::Combo: {
            auto* combo = new CComboBox(true, m_pClient);
            combo->onNotify = [this, id = row.id](int code) { OnCommand(id, code); };
            combo->onNothingFound = [this](const QString& typed) { ShowNothingFound(typed); };
            control = combo;
            break;
        }
        case ControlKind::Button: {
            auto* button = new QPushButton(text, m_pClient);
            connect(button, &QPushButton::clicked, this, [this, id = row.id] { OnCommand(id, BN_CLICKED); });
            control = button;
            break;
        }
        case ControlKind::Static: {
            auto* label = new QLabel(text, m_pClient);
            label->setAutoFillBackground(true);
            control = label;
            break;
        }
        }
        control->setObjectName(QString::number(row.id));
        control->hide();
        m_controls[row.id] = control;
    }
}

bool CMapDlg::OnInitDialog()
{
    CreateMenuBar();
    ResetMapState();
    if (m_bCfgPending)
        LoadSettings();
    if (!m_strStartMap.isEmpty())
        OpenMapAtStart(m_strStartMap);
    if (m_bMapLoaded)
        EnableMapCommands();
    return true;
}

void CMapDlg::CreateMenuBar()
{
    m_pMainMenu->AddMenu(QStringLiteral("Hệ thống"), SystemMenuEntries(),
                         QStringLiteral("Mở bản đồ, GPS, lọc địa danh, thoát"));
    m_pMainMenu->AddMenu(QStringLiteral("Tiện ích"), UtilityMenuEntries(),
                         QStringLiteral("Đo cự ly, tìm kiếm, hiển thị GPS, dẫn đường"));
    ChooseToolbar(m_nClientWidth, kSmallToolbarBelowAtStart);
    ShowVoiceCommand();
}

void CMapDlg::ChooseToolbar(int width, int minWidth)
{
    const bool small = width < minWidth;
    const QSize picture = small ? QSize(16, 15) : QSize(32, 32);
    if (m_pMainMenu->ToolbarPictureSize() == picture)
        return;
    // Both sets name their buttons alike, in the order of the pictures.
    const QStringList tips = {QStringLiteral("Phóng to"), QStringLiteral("Thu nhỏ"), QStringLiteral("Xóa"),
                              QStringLiteral("Tìm đường phố"), QStringLiteral("Tìm đường đi ngắn")};
    if (small) {
        m_pMainMenu->SetToolbar(QStringLiteral(":/toolbar/small.png"), picture,
                                {ID_TB_ZOOM_IN_S, ID_TB_ZOOM_OUT_S, ID_TB_CLEAR_S, ID_TB_FIND_STREET_S, ID_TB_ROUTE_S},
                                tips);
    } else {
        m_pMainMenu->SetToolbar(QStringLiteral(":/toolbar/large.png"), picture,
                                {ID_TB_ZOOM_IN_L, ID_TB_ZOOM_OUT_L, ID_TB_CLEAR_L, ID_TB_FIND_STREET_L, ID_TB_ROUTE_L},
                                tips);
    }
}

void CMapDlg::ShowMapNameInTitle()
{
    // As desktop programs name the file they hold open.
    const QString program = QStringLiteral("Korvane");
    setWindowTitle(m_strMapPath.isEmpty() ? program
                                          : QFileInfo(m_strMapPath).fileName() + QStringLiteral(" — ") + program);
}

void CMapDlg::EnableMapCommands()
{
    for (int id : {ID_FIND_PLACE, ID_MEASURE, ID_GPS_SETUP, ID_LOAD_ROAD, ID_FILTER_PLACES, ID_REFRESH, ID_FIND_STREET,
                   ID_FIND_BUS, ID_SHORTEST_PATH, ID_AVOID_ROUTE})
        m_pMainMenu->EnableCommand(id, true);
}

void CMapDlg::OnSize(int, int cx, int cy)
{
    m_nClientHeight = cy;
    m_nClientWidth = cx;
    m_nDisplayFactor = DisplayFactorFor(cx);
    QImage& surface = m_pClient->Surface();
    if (surface.size() != QSize(cx, cy)) {
        surface = QImage(std::max(cx, 1), std::max(cy, 1), QImage::Format_RGB32);
        surface.fill(palette().color(QPalette::Window));
    }
    for (const ControlSpec& row : kTopBar)
        m_controls[row.id]->setGeometry(DialogUnitsToPixels(row.units, kMapTemplate, QSize(cx, cy)));
    // A resize after start-up shows the toolbar that fits the new width.
    if (!m_pMainMenu->ToolbarIds().empty())
        ChooseToolbar(cx, kSmallToolbarBelowOnResize);
    if (m_bMapLoaded && !(m_dBaseScale > 0) && cx > 0 && cy > 0)
        FitViewToMap(*this, *this);  // loaded while the window had no area
    else
        UpdateVisibleWays();
    Invalidate();
}

void CMapDlg::OnMouseWheel(QPoint point, int steps)
{
    for (int i = 0; i < std::abs(steps); ++i)
        ZoomAbout(*this, *this, point.x(), point.y(), 1.5, steps > 0);
    Invalidate();
}

void CMapDlg::OnInfo()
{
    m_aboutDlg.DoModal();
}

void CMapDlg::OnExit()
{
    OnOK();
}

void CMapDlg::OnOK()
{
    m_dcBack = QImage();
    SaveSettings();
    EndDialog();
}

void CMapDlg::EndDialog()
{
    // Reception ends with the program: the reader joined, the port closed.
    if (m_gpsSetupDlg.m_bRunning)
        m_gpsSetupDlg.OnStop();
    m_bClosed = true;
    m_tickerTimer.stop();
    close();
}

void CMapDlg::closeEvent(QCloseEvent* event)
{
    // The caption's close button is the dialog's OK: the settings are saved.
    if (!m_bClosed)
        OnOK();
    event->accept();
}

bool CMapDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return QWidget::eventFilter(watched, event);
    auto* widget = static_cast<QWidget*>(watched);
    if (widget != this && !isAncestorOf(widget))
        return QWidget::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Escape) {
        // Escape never ends the program: a stray key would lose the run's
        // settings. The close button and "Thoát" end it, saving them.
        EndCurrentMode();
        return true;
    }
    return PreTranslateMessage(key) || QWidget::eventFilter(watched, event);
}

void CMapDlg::EndCurrentMode()
{
    if (m_bMeasureMode == 1)
        OnMeasureDistance();  // which turns measuring off
    CloseTopBar();
}

void CMapDlg::OnCloseMap()
{
    ResetMapState();
    EnableMapCommands();
    Invalidate();
}

void CMapDlg::OnRefresh()
{
    if (m_bMapLoaded)
        OnClearSearch();
}

void CMapDlg::Invalidate()
{
    m_bInvalid = true;
    m_pClient->update();
}

void CMapDlg::UpdateWindow()
{
    if (m_bInvalid) {
        m_bInvalid = false;
        OnPaint();
    }
}

void CMapDlg::PresentSurface()
{
    UpdateWindow();
}

const QImage& CMapDlg::WindowSurface() const
{
    return m_pClient->Surface();
}

QWidget* CMapDlg::GetDlgItem(int id) const
{
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

CComboBox* CMapDlg::Combo(int id) const
{
    return qobject_cast<CComboBox*>(GetDlgItem(id));
}

void CMapDlg::ShowControl(int id, bool show)
{
    if (QWidget* control = GetDlgItem(id))
        control->setVisible(show);
}

bool CMapDlg::IsControlVisible(int id) const
{
    const QWidget* control = GetDlgItem(id);
    return control && !control->isHidden();
}

void CMapDlg::SetControlText(int id, const QString& text)
{
    QWidget* control = GetDlgItem(id);
    if (auto* combo = qobject_cast<CComboBox*>(control))
        combo->SetWindowText(text);
    else if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
    else if (auto* button = qobject_cast<QPushButton*>(control))
        button->setText(text);
}

QString CMapDlg::ControlText(int id) const
{
    const QWidget* control = GetDlgItem(id);
    if (auto* combo = qobject_cast<const CComboBox*>(control))
        return combo->GetWindowText();
    if (auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (auto* button = qobject_cast<const QPushButton*>(control))
        return button->text();
    return {};
}

void CMapDlg::UpdateData(bool saveAndValidate)
{
    const std::pair<int, QString*> exchanged[] = {
        {IDC_ROUTE_NAME, &m_strFromToName}, {IDC_PLACE_TYPE, &m_strTypeText},  {IDC_PLACE_NAME, &m_strNameText},
        {IDC_ROUTE_TYPE, &m_strFromToType}, {IDC_STREET, &m_strStreetText}, {IDC_AVOID_STREET, &m_strAvoidText}};
    for (const auto& [id, text] : exchanged) {
        if (saveAndValidate)
            *text = ControlText(id);
        else
            SetControlText(id, *text);
    }
}

void CMapDlg::RestoreFromBackBuffer()
{
    if (m_dcBack.isNull())
        return;
    QPainter dc(&m_pClient->Surface());
    dc.drawImage(0, 0, m_dcBack);
    m_pClient->update();
}
