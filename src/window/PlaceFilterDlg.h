// The place filter: one check box per category that switches the drawing and
// picking of that category's places. A click takes effect at once, however
// the dialog is closed afterwards.
#pragma once

#include "places/Categories.h"
#include "widgets/UiDialog.h"

#include <QCheckBox>
#include <map>

class CPlaceFilterDlg : public CDialog {
    Q_OBJECT
public:
    // The flags live with the map window so they outlive each showing.
    explicit CPlaceFilterDlg(CategoryFlags& showCategory, QWidget* parent = nullptr);

    CategoryFlags& m_showCategory;
    QCheckBox* Box(int id) const;

protected:
    void OnInitDialog() override;

private:
    void OnBoxClicked(int code, QCheckBox* box);

    std::map<int, QCheckBox*> m_boxes;  // by control ID
};
