#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "attributes/AttributeNameCheck.h"
#include "mobrdlg/ZqLinkDialog.h"

class CZqFieldBinder;

// Base of the small editors of the width, colour and font pages: one entry
// of an edit copy (or the values of an entry about to be added), a name edit
// 1401 checked by CAttributeNameCheck, a caption that follows the mode, and
// the fields of the derived editor (its field table) checked after the
// name. The editor only reads the copy; on OK it holds the result, which the
// page writes.
class CAttributeEditDlg : public CZqLinkDialog {
    Q_OBJECT
public:
    enum class Mode { New, Modify };
    static constexpr int kNameEdit = 1401;

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
    CAttributeEditDlg(const char* layoutName, std::vector<ZqField> fields, const Texts& texts, FindName find,
                      void* table, int entry, Mode mode, QWidget* parent);
    ~CAttributeEditDlg() override;

    // The edit copy the editor reads.
    void* table() const { return table_; }

    // Hands the entry's values into the field table (defaults in new mode
    // are the table's) and fills what the table does not hold.
    virtual void initFields() = 0;
    // The fields were attached and show their values.
    virtual void fieldsShown() {}
    // Checks what the table does not, after the table's fields; false (after
    // refuse) keeps the dialog open.
    virtual bool takeFields() { return true; }
    // The binding of the table to the controls (null before OnInitDialog).
    CZqFieldBinder* binder() const { return binder_.get(); }

    bool OnInitDialog() override;
    void OnHelp() override;
    void OnOK() override;

    // Shows message `id` (with `argument`), focuses `field`, returns false.
    bool refuse(int id, int field, const char* argument = nullptr);

private:
    std::unique_ptr<CZqFieldBinder> binder_;
    Texts texts_;
    void* table_;
    CAttributeNameCheck names_;
    int entry_;
    Mode mode_;
    std::string name_;
};
