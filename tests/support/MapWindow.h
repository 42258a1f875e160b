// Opens the map window as a user would see it: shown on the offscreen
// platform at 480 × 640 (or another client size), initialised, with pending
// paints run on request.
#pragma once

#include "window/MapDlg.h"

#include <QTest>
#include <memory>

inline std::unique_ptr<CMapDlg> OpenMapWindow(int width = 480, int height = 640)
{
    auto dlg = std::make_unique<CMapDlg>();
    dlg->SetClientSize(width, height);
    dlg->show();
    dlg->OnInitDialog();
    dlg->UpdateWindow();
    return dlg;
}

// The colour of a window-surface pixel as RGB.
inline QRgb PixelAt(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFF;
}
inline QRgb Rgb(int r, int g, int b)
{
    return qRgb(r, g, b) & 0xFFFFFF;
}
