#pragma once

#include <vector>

#include "mobr/export.h"
#include "mobrdlg/ZqDialog.h"
#include "mobrdlg/ZqFieldLink.h"

// A dialog that a host (or a page of the module) drives through the data
// link: its fields answer the data-link operations from their table, and
// RunDialog runs it modally.
class MOBR_API CZqLinkDialog : public CZqDialog, public CZqFieldLink {
    Q_OBJECT
public:
    CZqLinkDialog(const char* layoutName, std::vector<ZqField> fields, QWidget* parent = nullptr);

    // Runs the dialog; an exception that ended it (a failed host call) is
    // logged and the dialog counts as "could not be shown" (-1).
    int RunDialog(int* result) override;
    void* GetPageWindow() override;
};
