#include "platform/UiModal.h"

#include <QAction>
#include <QDialog>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>

namespace {

class InteractiveSeam : public ModalSeam {
public:
    int RunDialog(QDialog& dialog) override { return dialog.exec(); }

    QString OpenFileName(QWidget* parent, const QString& defaultExtension, const QString& initialPath,
                         const QString& filter) override
    {
        QFileDialog dialog(parent, QString(), initialPath, filter + " (" + filter + ")");
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setDefaultSuffix(defaultExtension.mid(1));
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    }

    QString SaveFileName(QWidget* parent, const QString& defaultExtension, const QString& initialPath,
                         const QString& filter) override
    {
        QFileDialog dialog(parent, QString(), initialPath, filter.isEmpty() ? QString() : filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(defaultExtension);
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    }

    void MessageBox(QWidget* parent, const QString& text) override
    {
        QMessageBox::information(parent, QStringLiteral("Korvane"), text);
    }

    int PopupMenu(QMenu& menu, QPoint globalPosition) override
    {
        const QAction* chosen = menu.exec(globalPosition);
        return chosen ? chosen->data().toInt() : 0;
    }
};

ModalSeam* g_seam = nullptr;

}  // namespace

ModalSeam& Modal()
{
    static InteractiveSeam interactive;
    return g_seam ? *g_seam : interactive;
}

void SetModal(ModalSeam* seam) { g_seam = seam; }
