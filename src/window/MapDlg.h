// The map window: it owns the whole state of the running program (the map,
// the view, search, route and GPS state), draws the map into its window
// surface, and receives every command, control notification and pointer
// event. Its member functions live in one source file per concern.
#pragma once

#include "gps/DriveGuide.h"
#include "view/MapState.h"
#include "window/AboutDlg.h"
#include "window/GpsPointDlg.h"
#include "window/GpsSetupDlg.h"
#include "window/PlaceEditDlg.h"
#include "window/PlaceFilterDlg.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QLabel>
#include <QPoint>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <map>

class CComboBox;
class CommandBar;
class UiMapSurface;

class CMapDlg : public QWidget, public MapState {
    Q_OBJECT
public:
    explicit CMapDlg(QWidget* parent = nullptr);
    ~CMapDlg() override;

    // Start-up: menu bar, reset, settings (which may load the last map), then
    // the start map when one is set.
    bool OnInitDialog();

    // --- command table (MapDlgCommands.cpp)
    // Every menu, toolbar and control notification arrives here.
    void OnCommand(int id, int code);
    // Keyboard handling before dispatch; true when the key was consumed.
    bool PreTranslateMessage(int key);
    // The street a name typed into a list box stands for: the name itself
    // when a street is called so, else the first entry the list narrowed to
    // the text shows; empty when no entry matches.
    QString TypedStreetName(int list, const QString& typed) const;
    // The status line says that the typed text matches no entry, until the
    // list it was typed into closes.
    void ShowNothingFound(const QString& typed);

    // --- shell (MapDlg.cpp)
    void CreateMenuBar();
    void EnableMapCommands();
    // The window's title: the name of the map in use, then the program's.
    void ShowMapNameInTitle();
    void OnSize(int type, int cx, int cy);
    // Sizes the window so that its client area (above the command bar) is
    // width × height.
    void SetClientSize(int width, int height);
    // Sizes the whole window, menu bar and toolbar included, within the
    // screen's available area.
    void SetWindowSize(QSize size);
    void OnInitMenuPopup() {}
    void OnInfo();
    void OnExit();
    void OnOK();
    // Escape: measuring, the top bar and its mode (a search, route or avoid
    // pick) end.
    void EndCurrentMode();
    void OnCloseMap();
    void OnRefresh();
    // The mouse wheel: steps > 0 zoom in, < 0 out, about the pointer.
    void OnMouseWheel(QPoint point, int steps);
    // Marks the whole client area for repainting: OnPaint runs before the next
    // presentation.
    void Invalidate();
    // Runs a pending repaint now (what the next presentation would do).
    void UpdateWindow();
    CommandBar* MenuBar() const { return m_pMainMenu; }
    QWidget* GetDlgItem(int id) const;
    CComboBox* Combo(int id) const;
    void ShowControl(int id, bool show);
    void SetControlText(int id, const QString& text);
    QString ControlText(int id) const;
    bool IsControlVisible(int id) const;
    // Data exchange of the six combo texts: true = controls → members.
    void UpdateData(bool saveAndValidate);
    // The picture on the window.
    const QImage& WindowSurface() const;
    const QImage& BackBuffer() const { return m_dcBack; }
    bool IsClosed() const { return m_bClosed; }

    // --- settings (MapDlgSettings.cpp)
    void LoadSettings();
    // The user's default place file, when it exists and no other was named.
    void UseDefaultPlaceFileIfNone();
    void SaveSettings();
    // Loads a map while the window initialises and sets up the view.
    void OpenMapAtStart(const QString& path);

    // --- map files (map/MapDlgMap.cpp)
    enum class MapLoad { Loaded, CannotOpen, NotAMap };
    // Reads the map at path in place of the one in use. A file that cannot be
    // opened or holds no map records leaves the map in use as it is.
    MapLoad ReplaceMap(const QString& path);
    void OnOpenMap();
    QString BrowseMapFile();
    QString BrowseRoadFile();
    QString BrowseInfoFile();
    // The places of a place-information file join the map's places.
    void LoadInfoFile(const QString& path);
    void OnLoadInfo();
    void InitViewAfterLoad();

    // --- view (view/MapDlgView.cpp)
    void OnZoomIn();
    void OnZoomOut();
    void ZoomAt(double px, double py, double factor, bool zoomIn);
    void UpdateVisibleWays();
    void OnPaint();
    void ShowStatusText(const QString& text);
    void OnTimer(int id);

    // --- pointer (view/MapDlgPointer.cpp)
    void OnLButtonDown(int flags, QPoint point);
    void OnMouseMove(int flags, QPoint point);
    void OnLButtonUp(int flags, QPoint point);
    int HitTestWayOrPlace(QPoint point, int& kind, QPoint& hit);
    int PickNearestWay(QPoint point, bool pickStart, MapPoint& tapWorld, MapPoint& segStart, MapPoint& segEnd);
    int PickAvoidElement(QPoint point, MapPoint& tapWorld, int& node1, int& node2);
    // The platform's tap-and-hold decision for the pointer-down in progress.
    bool SHRecognizeGesture(QPoint point);

    // --- measuring (view/MapDlgMeasure.cpp)
    void OnMeasureDistance();
    // Sets the mode together with the check mark of "Đo cự ly".
    void SetMeasureMode(int on);

    // --- categories, filter and reset (places/MapDlgPlaces.cpp)
    void OnFilterPlaces();
    void ResetMapState();

    // --- the user's own places (places/MapDlgPlaceEdit.cpp)
    void OnInsertPlace();
    void OnEditPlace();
    int FindPlaceAt(int x, int y) const;
    MapPoint NearestStreetPoint(int x, int y) const;

    // --- search (places/MapDlgSearch.cpp)
    void HideTopBar();
    // Escape in the top bar: the bar closes and its mode ends.
    void CloseTopBar();
    void OnFindPlace();
    void OnPlaceNameDropDown();
    void OnPlaceTypeCloseUp();
    void OnSearchPlace();
    void OnFindStreet();
    void OnToolFindStreet();
    void OnFindBusRoute();
    void OnStreetCloseUp();
    void SelectStreet(const QString& name);
    void SelectBusRoute(const QString& name);
    void OnClearSearch();

    // --- route commands (route/MapDlgRoute.cpp)
    void OnShortestPath();
    void OnToolShortestPath();
    void OnRouteTypeCloseUp();
    void OnRouteNameDropDown();
    void OnRouteNameCloseUp();
    void OnRouteOk();
    void OnAvoidRoute();
    void OnAvoidStreetCloseUp();
    void OnMark();

    // --- GPS (gps/MapDlgGps.cpp)
    static constexpr int kGpsUpdateMs = 1000;
    void OnGpsSetup();
    // Steps of the set-up once a position was seen: the track, the menu
    // commands, the view on the position, the update pass.
    void TurnGpsDisplayOn();
    // Reception started from the command line, as if Start had been pressed
    // with continuous display and road following ticked.
    void StartGpsAtLaunch(const QString& portText);
    // The route on show, for the simulated drive.
    DriveRoute RouteToDrive() const;
    // "Hiển thị GPS": the view centres on the position, on the map or off it.
    void OnShowGps();
    // Centres on the position; one off the map only when evenOffMap, else
    // the status line says it is off the map.
    void ShowGpsPosition(bool evenOffMap);
    // Within the map's extent (anywhere while no map is open).
    bool IsOnMap(MapPoint p) const;
    // Starts the one-second update pass (restarting it when it runs); the
    // track goes on.
    void StartGpsUpdateThread();
    // One pass: the latest position moved, kept in view, drawn and recorded.
    void GpsUpdate();
    bool IsGpsUpdating() const { return m_gpsTimer.isActive(); }
    void OnInsertGpsPoint();

    // --- navigation (gps/MapDlgNavigate.cpp)
    void OnNavigate();
    // The arrow and street of the guidance, with a distance beside them.
    void DrawGuidance(int code, const QString& text, const QString& distance = {});
    // "Hướng dẫn bằng giọng nói": spoken guidance on or off.
    void OnVoiceGuidance();
    // Where the sentences of guidance are spoken; none: they are not.
    void SetVoice(GuidanceVoice* voice);
    // No voice to speak with: the command is unticked and disabled, with the
    // reason as its status tip.
    void VoiceUnavailable(const QString& reason);

    // --- road files (gps/MapDlgRoad.cpp)
    void OnSaveRoad();
    // Writes the track, as GPX when the path names a .gpx file; false when it
    // cannot be written.
    bool WriteRoadFile(const QString& path);
    // "Đã lưu …" on the status line, over the GPS line for a few seconds.
    static constexpr int kSavedTrackMessageMs = 5000;
    void ShowSavedTrack(const QString& text);
    void OnLoadRoad();
    bool ReadRoadFile(const QString& path);
    // The points of a GPX file as the road; a message when it gives none.
    bool ReadGpxRoad(const QString& path);
    // A road file beyond the bounds the program reads is not drawn: the user
    // is told.
    void RefuseLargeRoad(const QString& path);
    // A road in GPS units placed on the map, the view fitted to it.
    void ShowRoad(const std::vector<MapPoint>& roadGps);

    // Sub-dialogs, alive as long as the window.
    CPlaceFilterDlg m_filterDlg;
    CAboutDlg m_aboutDlg;
    CPlaceEditDlg m_placeEditDlg;
    CGpsSetupDlg m_gpsSetupDlg;  // owns reception while it runs
    CGpsPointDlg m_gpsPointDlg;

    // Settings values.
    QString m_strCfgMapUrl;
    QString m_strCfgComType;
    QString m_strCfgBitRate;
    QString m_strInfoFilePath;
    int m_bCfgRead = 0;
    int m_bCfgPending = 0;
    // A map opened at start-up instead of the settings file's (the command
    // line's, or an installed program's first map); empty: the settings decide.
    QString m_strStartMap;
    bool m_bCfgPortOffered = false;  // the GPS set-up has shown the file's port and rate
    // Spoken guidance as the user chose it, and the reason it cannot be
    // spoken (empty while it can).
    int m_bVoiceGuidance = 1;
    QString m_strVoiceUnavailable;

    // Texts exchanged with combo boxes 1009, 1004, 1012, 1020, 1021, 1017.
    QString m_strFromToName;
    QString m_strTypeText;
    QString m_strNameText;
    QString m_strFromToType;
    QString m_strStreetText;
    QString m_strAvoidText;

    // Pointer state.
    QPoint m_ptDown;
    int m_bPenDown = 0;
    int m_bDragged = 0;
    QPoint m_ptRubberEnd;
    bool m_bCaptured = false;
    bool m_bHoldGesture = false;

    // Status-line ticker.
    QString m_strTicker;
    int m_nTickerPos = 0;

    // Category captions, index = code − 1.
    std::array<QString, kCategoryCount> m_categoryNames;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    // The latest RMC line: none, a void fix, or a position in GPS and map units.
    enum class FixState { None, Void, Valid };
    struct Fix {
        FixState state = FixState::None;
        QString line, latitude, longitude;  // the line and its fields 3 and 5
        MapPoint gps, map;
    };
    Fix LatestFix() const;
    void CentreOnGps();
    // The guidance of an update pass while navigating.
    void NavigationStep();
    // A new route from the position to the same destination, in place of
    // the one on show.
    void RerouteFromHere();
    void ShowArrival();
    // The status line while navigating; the route's length ticker waits.
    void SetNavigationStatus(const QString& text);
    void Speak(const QStringList& sentences);
    // The check mark and the enabling of "Hướng dẫn bằng giọng nói".
    void ShowVoiceCommand();
    // The toolbar set for a client width: the small set below minWidth.
    void ChooseToolbar(int width, int minWidth);
    void ShowMeasuredDistance(QPoint to);
    // A tap while measuring: one more point of the line, its whole length shown.
    void AddMeasurePoint(QPoint tap);
    // Searches behind OnSearchPlace, and the shared steps of the name modes.
    void SearchPlace();
    void SearchLabel();
    void CentreOn(MapPoint p, double scale, int widthDivisor);
    void EnterNameSearch(bool streets);
    void FillStreetNames(CComboBox* list);
    // Pointer-up of an ordinary tap and of a tap in the avoid mode.
    void TapWayOrPlace(QPoint point);
    void TapAvoidElement(QPoint point);
    void HighlightWay(QPainter& dc, int way);
    void DrawWayLabel(QPainter& dc, QPoint at, const QString& name);
    void PresentSurface();
    void DrawWindowOverlays();
    void EndDialog();
    // Copies the back buffer onto the window.
    void RestoreFromBackBuffer();

    CommandBar* m_pMainMenu = nullptr;
    UiMapSurface* m_pClient = nullptr;
    std::map<int, QWidget*> m_controls;
    QImage m_dcBack;      // the last fully drawn map, client size
    QImage m_dcSnapshot;  // the window as it was at pointer-down
    QTimer m_tickerTimer;
    QTimer m_gpsTimer;     // the GPS update pass
    QTimer m_launchTimer;  // waits for the first fix of a reception started at launch
    DriveGuide m_driveGuide;
    QElapsedTimer m_navClock;  // the re-route rate runs on it
    GuidanceVoice* m_pVoice = nullptr;
    bool m_bInvalid = true;
    bool m_bClosed = false;
    bool m_bSaveOnClose = true;
    bool m_bNothingFoundShown = false;  // the status line says a typed text matched nothing

    friend class MapDlgTestAccess;
};
