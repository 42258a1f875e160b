// Identifiers of the program's commands, controls, menus, dialogs and timer.
#pragma once

// Menu bar (menu 129), "Hệ thống".
inline constexpr int ID_OPEN_MAP = 32774;
inline constexpr int ID_LOAD_INFO = 32860;
inline constexpr int ID_GPS_SETUP = 32835;
inline constexpr int ID_SAVE_ROAD = 32852;
inline constexpr int ID_LOAD_ROAD = 32853;
inline constexpr int ID_VOICE_GUIDANCE = 32870;
inline constexpr int ID_FILTER_PLACES = 32778;
inline constexpr int ID_INFO = 32780;
inline constexpr int ID_CLOSE_MAP = 32857;
inline constexpr int ID_EXIT = 32781;
// "Tiện ích".
inline constexpr int ID_MEASURE = 32787;
inline constexpr int ID_FIND_PLACE = 32825;
inline constexpr int ID_FIND_STREET = 32792;
inline constexpr int ID_FIND_BUS = 32864;
inline constexpr int ID_SHORTEST_PATH = 32794;
inline constexpr int ID_AVOID_ROUTE = 32859;
inline constexpr int ID_SHOW_GPS = 32837;
inline constexpr int ID_NAVIGATE = 32861;
inline constexpr int ID_REFRESH = 32858;
// Context menu (menu 315).
inline constexpr int ID_MARK = 32865;
inline constexpr int ID_INSERT_PLACE = 32832;
inline constexpr int ID_EDIT_PLACE = 32833;
inline constexpr int ID_INSERT_GPS = 32836;
// Toolbar buttons: small set (332) and large set (334).
inline constexpr int ID_TB_ZOOM_IN_S = 32838;
inline constexpr int ID_TB_ZOOM_IN_L = 32840;
inline constexpr int ID_TB_ZOOM_OUT_S = 32839;
inline constexpr int ID_TB_ZOOM_OUT_L = 32841;
inline constexpr int ID_TB_CLEAR_S = 32842;
inline constexpr int ID_TB_CLEAR_L = 32843;
inline constexpr int ID_TB_FIND_STREET_S = 32844;
inline constexpr int ID_TB_FIND_STREET_L = 32845;
inline constexpr int ID_TB_ROUTE_S = 32846;
inline constexpr int ID_TB_ROUTE_L = 32848;

// "Đo cự ly" is checked by position: the first item of the second menu.
inline constexpr int kUtilityMenuIndex = 1;
inline constexpr int kMeasureItemPosition = 0;

inline constexpr int IDR_MAIN_MENU = 129;
inline constexpr int IDR_CONTEXT_MENU = 315;
inline constexpr int IDR_TOOLBAR_SMALL = 332;
inline constexpr int IDR_TOOLBAR_LARGE = 334;

// Dialog templates.
inline constexpr int IDD_MAP = 102;
inline constexpr int IDD_FILTER = 137;
inline constexpr int IDD_ABOUT = 153;
inline constexpr int IDD_PLACE_EDIT = 316;
inline constexpr int IDD_GPS_SETUP = 320;
inline constexpr int IDD_GPS_POINT = 322;

// Top-bar and status controls of the map window.
inline constexpr int IDC_PLACE_TYPE = 1004;
inline constexpr int IDC_PLACE_NAME = 1012;
inline constexpr int IDC_PLACE_OK = 1014;
inline constexpr int IDC_PLACE_TYPE_CAPTION = 1016;
inline constexpr int IDC_PLACE_NAME_CAPTION = 1015;
inline constexpr int IDC_STREET_CAPTION = 1022;
inline constexpr int IDC_STREET = 1021;
inline constexpr int IDC_FROM_TO_LABEL = 1011;
inline constexpr int IDC_ROUTE_TYPE = 1020;
inline constexpr int IDC_ROUTE_NAME = 1009;
inline constexpr int IDC_ROUTE_OK = 1010;
inline constexpr int IDC_AVOID_CAPTION = 1050;
inline constexpr int IDC_AVOID_STREET = 1017;
inline constexpr int IDC_STATUS = 1008;
inline constexpr int IDC_GPS_STATUS = 1051;

// Notification codes.
inline constexpr int BN_CLICKED = 0;
inline constexpr int CBN_DROPDOWN = 7;
inline constexpr int CBN_CLOSEUP = 8;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

// The route-length ticker's timer.
inline constexpr int ID_TICKER_TIMER = 203;
