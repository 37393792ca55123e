#pragma once

// Runs attribute list pages inside a property sheet on edit copies of the
// reference host's default figure 0, with the UI driver acting as the person.

#include <memory>
#include <string>
#include <vector>

#include "HostFixture.h"
#include "frame/HostApi.h"
#include "mobrdlg/ZqPropertyPage.h"
#include "mobrdlg/ZqPropertySheet.h"
#include "mobrdlg/ZqResources.h"
#include "mobrdlg/ZqUiDriver.h"

class ListPageHarness : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        static const long resources = ZqLoadResourceFile(MOBR_RESOURCE_FILE);
        ASSERT_NE(resources, 0);
        pens_ = hostapi::aatFigEditPenInfo(0);
        widths_ = hostapi::aatFigEditWidInfo(0);
        colours_ = hostapi::aatFigEditColInfo(0);
        penColours_ = hostapi::aatFigEditPenExInfo(0);
        fonts_ = hostapi::aatFigEditFntInfo(0);
        ASSERT_TRUE(pens_ && widths_ && colours_ && penColours_ && fonts_);
    }

    void TearDown() override
    {
        driver_.reset();
        hostapi::aatFigRestoreFntInfo(0, fonts_, 1);
        hostapi::aatFigRestorePenExInfo(0, penColours_, 1);
        hostapi::aatFigRestoreColInfo(0, colours_, 1);
        hostapi::aatFigRestoreWidInfo(0, widths_, 1);
        hostapi::aatFigRestorePenInfo(0, pens_, 1);
        HostFixture::TearDown();
    }

    // Runs a sheet holding `pages` (in that order) with `script`, the journal
    // emptied first; returns the sheet's modal result. The script's actions
    // must all have run.
    int runSheet(const std::vector<CZqPropertyPage*>& pages, ZqUiScript script)
    {
        CZqPropertySheet sheet(std::string("Attributes"));
        sheet.ShowHelpButton(true);
        for (CZqPropertyPage* page : pages) sheet.AddPage(page);
        driver_ = std::make_unique<CZqUiDriver>(std::move(script));
        mobrhost::journalClear();
        const int result = sheet.DoModal();
        for (const auto& error : driver_->transcript().errors()) ADD_FAILURE() << error.message;
        return result;
    }

    const ZqUiTranscript& transcript() const { return driver_->transcript(); }
    std::vector<int> messageIds() const
    {
        std::vector<int> ids;
        for (const auto& m : transcript().messages()) ids.push_back(m.messageId);
        return ids;
    }
    const ZqControlState& readAt(size_t index) const { return transcript().reads().at(index).state; }
    // The names of the host calls made while the sheet ran, among `names`.
    static std::vector<std::string> callsAmong(const std::vector<std::string>& names)
    {
        std::vector<std::string> calls;
        for (const auto& entry : mobrhost::journalEntries()) {
            for (const auto& name : names) {
                if (entry.name == name) calls.push_back(entry.name);
            }
        }
        return calls;
    }
    // The argument lists of every call of `name`.
    static std::vector<std::vector<std::string>> argsOf(const std::string& name)
    {
        std::vector<std::vector<std::string>> args;
        for (const auto& entry : mobrhost::journalEntries(name)) args.push_back(entry.args);
        return args;
    }

    void* pens_ = nullptr;
    void* widths_ = nullptr;
    void* colours_ = nullptr;
    void* penColours_ = nullptr;
    void* fonts_ = nullptr;
    std::unique_ptr<CZqUiDriver> driver_;
};
