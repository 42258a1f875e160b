#include "window/UiMenus.h"

#include "ResourceIds.h"

std::vector<MenuEntry> SystemMenuEntries()
{
    return {
        {ID_OPEN_MAP, "Mở bản đồ", false, {}},
        {ID_LOAD_INFO, "Nạp thông tin", false, {}},
        {},
        {0, "GPS", false,
         {{ID_GPS_SETUP, "Cấu hình GPS", false, {}},
          {ID_SAVE_ROAD, "Lưu đường", true, {}},
          {ID_LOAD_ROAD, "Nạp đường", false, {}},
          {ID_VOICE_GUIDANCE, "Hướng dẫn bằng giọng nói", false, {}}}},
        {},
        {ID_FILTER_PLACES, "Lọc địa danh", true, {}},
        {},
        {ID_INFO, "Thông tin", false, {}},
        {ID_CLOSE_MAP, "Đóng bản đồ", false, {}},
        {ID_EXIT, "Thoát", false, {}},
    };
}

std::vector<MenuEntry> UtilityMenuEntries()
{
    return {
        {ID_MEASURE, "Đo cự ly", true, {}},
        {},
        {0, "Tìm kiếm", false,
         {{ID_FIND_PLACE, "Tìm địa danh", true, {}},
          {ID_FIND_STREET, "Tìm đường", true, {}},
          {},
          {ID_FIND_BUS, "Tìm tuyến  xe Buýt", true, {}},
          {},
          {ID_SHORTEST_PATH, "Tìm đường đi ngắn", true, {}},
          {ID_AVOID_ROUTE, "Tìm đường tránh", true, {}}}},
        {},
        {ID_SHOW_GPS, "Hiển thị GPS", true, {}},
        {ID_NAVIGATE, "Dẫn đường", true, {}},
        {},
        {ID_REFRESH, "Làm tươi", true, {}},
    };
}

std::vector<MenuEntry> ContextMenuEntries()
{
    return {
        {ID_MARK, "Đánh dấu", false, {}},
        {ID_INSERT_PLACE, "Chèn địa danh", false, {}},
        {ID_EDIT_PLACE, "Sửa địa danh", false, {}},
        {ID_INSERT_GPS, "Chèn GPS", false, {}},
    };
}
