#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "mobrdlg/ZqLinkDialog.h"

class CZqFieldBinder;
class CUserOpApplyLog;
class QGroupBox;

// The pattern every option page follows: a child dialog of the options
// dialog (not a property page), built from its layout when the dialog opens
// and kept until it closes, so that every page can be checked, written back
// and reported even when its tab was never shown. Its fields are declared
// once in the page's table; the base reads and writes them, checks them in
// declaration order and writes the report lines from the live controls.
//
// Pages fed by an option block (data id 30001) describe the block once in
// blockLayout(); SetPageData and GetPageData then copy it in and out.
class CUserOpPage : public CZqLinkDialog {
    Q_OBJECT
public:
    static constexpr int kItemBlock = 30001;

    // One field of an option block: its byte offset, the control of its
    // field, and whether it is a double (else a 32-bit integer).
    struct BlockSlot {
        int offset;
        int control;
        bool real;
    };

    CUserOpPage(const char* layoutName, int titleId, int helpTopic, std::vector<ZqField> fields);
    ~CUserOpPage() override;

    // The tab's text, host code page.
    const std::string& title() const { return title_; }
    int helpTopic() const { return helpTopic_; }
    // OnInitDialog ran: the controls show the values and the page may write back.
    bool isInitialised() const { return initialised_; }

    // Runs OnInitDialog once the options dialog has put the page into its
    // tab area (a page that owns its values reads the host here); false
    // when the page could not be built.
    bool initialise();
    // Where Ctrl+Tab and its kin go while the focus is on this page, and
    // where the page's Enter, Escape and help go.
    using KeyPreview = std::function<bool(int key, Qt::KeyboardModifiers modifiers)>;
    void setSheetHooks(KeyPreview tabKeys, std::function<void(int command)> sheetCommand);

    // 1 when every checked field is valid; else 0 after the first invalid
    // field showed its message and took the focus.
    int CheckPageData() override;
    // Pages that own their values write them to the host (only once
    // initialised); every refused setter goes into `log`.
    virtual void ApplyToHost(CUserOpApplyLog& log);
    // Appends the page's part of the settings report: its title, then each
    // group of its layout with its items, as the controls show them now.
    virtual void WriteSettingReport(std::vector<std::string>& lines);

    // Block-fed pages: the block handed in (a pointer to blockBytes() bytes)
    // and the block built from the page's values (at most blockBytes()).
    int SetPageData(int item, std::intptr_t value) override;
    int GetPageData(int item, void* buffer, int size) override;
    int blockBytes() const;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    void OnHelp() override;
    void OnOK() override;
    void OnCancel() override;

    // Steps of OnInitDialog, in this order; each does nothing by default.
    virtual void readHost();
    virtual void fillLists();
    virtual void afterShow();
    // The option block's fields; empty for a page that owns its values.
    virtual const std::vector<BlockSlot>& blockLayout() const;

    CZqFieldBinder& binder() { return *binder_; }
    // Stores a value the host gave, by the field's receipt rule.
    void receive(int control, double value);
    double valueOf(int control) const;
    // Fills a drop-down list with strings first .. first + count - 1.
    void fillFromStrings(int control, int firstString, int count);

private:
    void writeGroupReport(const QGroupBox& group, std::vector<std::string>& lines) const;

    std::string title_;
    int helpTopic_;
    bool initialised_ = false;
    std::unique_ptr<CZqFieldBinder> binder_;
    KeyPreview tabKeys_;
    std::function<void(int)> sheetCommand_;
};
