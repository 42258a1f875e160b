// An editable drop-down combo box as the map window's top bar uses it: it
// reports its list opening (drop-down) and closing (close-up), keeps its list
// sorted when asked, and finds entries by prefix.
#pragma once

#include <QComboBox>
#include <functional>

class CComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit CComboBox(bool sorted, QWidget* parent = nullptr);

    // Adds an entry, in sorted position for a sorted box; returns its index.
    int AddString(const QString& text);
    void InsertString(int index, const QString& text);
    void ResetContent();
    int GetCount() const { return count(); }
    QString GetLBText(int index) const { return itemText(index); }
    int GetCurSel() const { return currentIndex(); }
    // The first entry that begins with text, ignoring letter case, or −1.
    int FindString(const QString& text) const;
    QString GetWindowText() const { return currentText(); }
    void SetWindowText(const QString& text);
    void ShowDropDown(bool show);

    // Called with the notification code (drop-down or close-up).
    std::function<void(int code)> onNotify;

    void showPopup() override;
    void hidePopup() override;

private:
    bool m_sorted;
    bool m_open = false;
};
