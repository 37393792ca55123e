#pragma once

#include <cstdint>
#include <string>

#include "attributes/AttributeNameCheck.h"
#include "mobr/datalink.h"
#include "mobrdchk/DlgDataCheck.h"
#include "mobrdlg/ZqDialog.h"

// Base of the small editors of the width, colour and font pages: one entry
// of an edit copy (or the values of an entry about to be added), a name edit
// 1401 checked by CAttributeNameCheck, a caption that follows the mode, and
// the fields of the derived editor checked after the name. The editor only
// reads the copy; on OK it holds the result, which the page writes.
class CAttributeEditDlg : public CZqDialog, public CZqDataLink {
    Q_OBJECT
public:
    enum class Mode { New, Modify };
    static constexpr int kNameEdit = 1401;

    int RunDialog(int* result) override;
    void* GetPageWindow() override;

    Mode mode() const { return mode_; }
    // The entry being modified (0 in new mode).
    int entry() const { return entry_; }
    // The trimmed name, valid after OK.
    const std::string& name() const { return name_; }

    // The captions, help topic and name messages of one editor.
    struct Texts {
        int captionNew = 0;
        int captionModify = 0;
        int helpTopic = 0;
        CAttributeNameCheck::Messages names;
    };
    // The host's name lookup of the edited table.
    using FindName = std::int32_t (*)(void* table, const char* name);

protected:
    CAttributeEditDlg(const char* layoutName, const Texts& texts, FindName find, void* table, int entry, Mode mode,
                      QWidget* parent);

    // The edit copy the editor reads.
    void* table() const { return table_; }

    // Puts the entry's values (defaults in new mode) into the controls.
    virtual void initFields() = 0;
    // Checks and takes the fields after the name; false (after refuse) keeps
    // the dialog open.
    virtual bool takeFields() = 0;

    bool OnInitDialog() override;
    void OnHelp() override;
    void OnOK() override;

    // Shows message `id` (with `argument`), focuses `field`, returns false.
    bool refuse(int id, int field, const char* argument = nullptr);

    CDlgDataCheck check_;

private:
    Texts texts_;
    void* table_;
    CAttributeNameCheck names_;
    int entry_;
    Mode mode_;
    std::string name_;
};
