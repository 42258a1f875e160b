// Every modal interaction (dialogs, file dialogs, message boxes, popup menus)
// runs through one seam, so tests can script the user's answers without a
// display.
#pragma once

#include <QPoint>
#include <QSize>
#include <QString>

#include <memory>

class QDialog;
class QFileDialog;
class QMenu;
class QWidget;

// A file dialog's filter is a list of named patterns separated by ";;", as
// Qt writes them: "Tệp đường (*.kvt);;Tệp GPX (*.gpx)". The default
// extension is that of the first; a save dialog takes the extension of the
// filter the user picks.
class ModalSeam {
public:
    virtual ~ModalSeam() = default;
    // Runs an initialised dialog; returns its result code (IDOK, IDCANCEL…).
    virtual int RunDialog(QDialog& dialog) = 0;
    // The chosen path, or an empty text on Cancel.
    virtual QString OpenFileName(QWidget* parent, const QString& defaultExtension, const QString& initialPath,
                                 const QString& filter) = 0;
    // The caption names what is saved; empty: the dialog's own.
    virtual QString SaveFileName(QWidget* parent, const QString& defaultExtension, const QString& initialPath,
                                 const QString& filter, const QString& caption) = 0;
    virtual void MessageBox(QWidget* parent, const QString& text) = 0;
    // Shows a popup menu at a global position; the chosen command ID or 0.
    virtual int PopupMenu(QMenu& menu, QPoint globalPosition) = 0;
};

// The file dialog the interactive seam runs: Qt's own (the same on every
// desktop), its texts in Vietnamese.
std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, bool save, const QString& defaultExtension,
                                            const QString& initialPath, const QString& filter,
                                            const QString& caption = {});

// Holds the file dialog to the available size. On a screen too narrow for all
// of it (a handheld's), the side bar of places and the buttons that change
// the view give way: the file list, the name and the buttons are what
// choosing a file needs.
void FitFileDialogTo(QFileDialog& dialog, QSize available);

// The seam in force: the interactive one unless a test installed its own.
ModalSeam& Modal();
// Installs a seam (nullptr restores the interactive one).
void SetModal(ModalSeam* seam);
