#pragma once

#include <vector>

#include "mobr/datalink.h"
#include "mobr/export.h"
#include "mobrdlg/ZqField.h"

// The data-link operations of a page or dialog answered from its field
// table: integers (SetPageInt, SetPageShort) for every field but reals and
// texts, doubles for reals, texts for text fields. Values are kept in the
// field set, so they can be handed in and read back whether or not the
// controls exist yet. A class overrides an operation only for what the table
// does not hold (lists, host copies).
class MOBR_API CZqFieldLink : public CZqDataLink {
public:
    explicit CZqFieldLink(std::vector<ZqField> fields = {});

    int SetPageInt(int item, int value) override;
    int GetPageInt(int item, int* value) override;
    int SetPageShort(int item, short value) override;
    int GetPageShort(int item, short* value) override;
    int SetPageDouble(int item, double value) override;
    int GetPageDouble(int item, double* value) override;
    int SetPageString(int item, const char* text) override;
    int GetPageString(int item, char* buffer, int size) override;

    // The table and the values (for the controls, the scenario runner and tests).
    CZqFieldSet& fieldSet() { return fields_; }
    const CZqFieldSet& fieldSet() const { return fields_; }

protected:
    // A value handed in was taken (after conversion and the receipt rule);
    // a page whose controls exist shows it here.
    virtual void OnFieldReceived(const ZqField& field);

private:
    int receiveWhole(int item, double value);
    const ZqField* wholeField(int item) const;

    CZqFieldSet fields_;
};
