#pragma once

// CONTRACT DRAFT (completed by the dialog library's owner; may be extended).

#include <memory>
#include <string>
#include <vector>

#include <QDialog>

#include "mobr/export.h"
#include "mobrdlg/ZqWindow.h"

class CZqControls;

// Modal results of DoModal.
enum ZqModalResult : int {
    ZQ_RESULT_OK = 1,
    ZQ_RESULT_CANCEL = 2,
    ZQ_RESULT_NOT_CREATED = -1,   // the layout could not be loaded
    ZQ_RESULT_CLOSED_OPENING = 3, // the dialog ended itself in OnInitDialog
};

// A dialog built from a layout of the resource module (a Qt Designer .ui file
// of that name). Texts handed to and read from controls are in the host code
// page (raw bytes); conversion happens only at the widget.
class MOBR_API CZqDialog : public QDialog, public CZqWindow {
    Q_OBJECT
public:
    explicit CZqDialog(const char* layoutName, QWidget* parent = nullptr);
    ~CZqDialog() override;

    // Runs the dialog modally (or through the installed UI driver) and returns
    // 1, 2, -1 or 3, or whatever EndDialog was given.
    int DoModal();
    // Creates the dialog modeless and shows it; false when the layout is missing.
    bool Create(const char* layoutName, QWidget* parent = nullptr);
    // Ends a modal dialog with `result` (also allowed inside OnInitDialog).
    void EndDialog(int result);

    const std::string& layoutName() const;
    QWidget* rootWidget() const override;

private:
    std::unique_ptr<CZqControls> controls_;
    std::string layoutName_;
    int result_ = 0;
};
