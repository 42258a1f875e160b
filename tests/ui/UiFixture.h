// A map window on a small hand-made city whose view the tests control: one
// map unit per pixel at three times the base scale unless a test says else.
#pragma once

#include "ResourceIds.h"
#include "widgets/UiComboBox.h"
#include "widgets/UiCommandBar.h"
#include "support/DeviceRoot.h"
#include "support/MapBuilder.h"
#include "support/MapWindow.h"
#include "support/ScriptedModal.h"

#include <gtest/gtest.h>

class UiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dlg = OpenMapWindow();
        MapBuilder map(*dlg, 2000, 2000);
        Build(map);
        map.Finish();
        dlg->InitViewAfterLoad();
        SetView(0, 0, 1.0, 1.0 / 3);
    }
    // The city: override to build another.
    virtual void Build(MapBuilder& map)
    {
        map.Way("Phố Huế", {{0, 100}, {200, 100}, {400, 100}});
        map.Way("Phố Huế", {{400, 100}, {470, 160}});
        map.Way("Hàng Bài", {{200, 100}, {200, 500}}, "1");
        map.Place("Bạch Mai", {300, 300}, 1);
        map.Place("Vietcombank", {100, 400}, 27);
        map.Place("Vietcombank", {350, 550}, 27);
        map.Place("Vietcombank", {50, 50}, 3);
        map.Text("Hồ Tây", {380, 200}, 3);
    }
    void SetView(int32_t originX, int32_t originY, double scale, double baseScale)
    {
        dlg->m_nOriginX = originX;
        dlg->m_nOriginY = originY;
        dlg->m_dScale = scale;
        dlg->m_dBaseScale = baseScale;
        dlg->UpdateVisibleWays();
        Repaint();
    }
    void Repaint()
    {
        dlg->Invalidate();
        dlg->UpdateWindow();
    }
    QRgb Window(int x, int y) const { return PixelAt(dlg->WindowSurface(), x, y); }
    int CountColour(const QRect& area, QRgb colour) const
    {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += Window(x, y) == colour;
        return n;
    }
    void Tap(QPoint p)
    {
        dlg->OnLButtonDown(0, p);
        dlg->OnLButtonUp(0, p);
    }
    void Drag(QPoint from, QPoint to)
    {
        dlg->OnLButtonDown(0, from);
        dlg->OnMouseMove(0, to);
        dlg->OnLButtonUp(0, to);
    }

    TempDeviceRoot root;
    ScriptedModal modal;
    std::unique_ptr<CMapDlg> dlg;
};
