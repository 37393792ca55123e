#pragma once

// Base of the attribute sheet's tests: a fresh reference host with default
// figure 0, the module's resource file loaded once, the edit copies of figure
// 0 a fixture asks for taken before every test and thrown away after it, and
// the UI driver acting as the person in a property sheet or a dialog.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "DriverHarness.h"
#include "frame/HostApi.h"
#include "mobrdlg/ZqPropertyPage.h"
#include "mobrdlg/ZqPropertySheet.h"

class AttributeTestHarness : public DriverHarness {
protected:
    // The edit copies of figure 0 a fixture can ask for; combine with `|`.
    enum Copy : unsigned {
        kPenCopy = 1u << 0,
        kWidthCopy = 1u << 1,
        kColourCopy = 1u << 2,
        kPenColourCopy = 1u << 3,
        kFontCopy = 1u << 4,
        kTipCopy = 1u << 5,
        kCharExCopy = 1u << 6,
    };
    // Whether runSheet empties the journal before the sheet runs (Keep lets
    // a test count calls made while setting up or across several runs).
    enum class Journal { Clear, Keep };
    // Whether the sheets runSheet builds show a help button.
    enum class HelpButton { Shown, Hidden };

    explicit AttributeTestHarness(unsigned copies = 0, Journal journal = Journal::Clear,
                                  HelpButton help = HelpButton::Shown)
        : copies_(copies), journal_(journal), help_(help)
    {
    }

    void SetUp() override
    {
        DriverHarness::SetUp();
        if (HasFatalFailure()) return;
        if (copies_ & kPenCopy) pens_ = hostapi::aatFigEditPenInfo(0);
        if (copies_ & kWidthCopy) widths_ = hostapi::aatFigEditWidInfo(0);
        if (copies_ & kColourCopy) colours_ = hostapi::aatFigEditColInfo(0);
        if (copies_ & kPenColourCopy) penColours_ = hostapi::aatFigEditPenExInfo(0);
        if (copies_ & kFontCopy) fonts_ = hostapi::aatFigEditFntInfo(0);
        if (copies_ & kTipCopy) tips_ = hostapi::aatFigEditTipInfo(0);
        if (copies_ & kCharExCopy) charEx_ = hostapi::aatFigEditCharExInfo(0);
        const std::pair<Copy, void*> taken[] = {{kPenCopy, pens_},     {kWidthCopy, widths_},
                                                {kColourCopy, colours_}, {kPenColourCopy, penColours_},
                                                {kFontCopy, fonts_},   {kTipCopy, tips_},
                                                {kCharExCopy, charEx_}};
        for (const auto& [copy, handle] : taken) {
            ASSERT_TRUE(!(copies_ & copy) || handle) << "edit copy " << copy << " was refused";
        }
    }

    // Throws every copy taken away, newest first; the host fixture then
    // reports any copy a test left open.
    void TearDown() override
    {
        driver_.reset();  // a driver may hold widgets that read the copies
        if (charEx_) hostapi::aatFigRestoreCharExInfo(0, charEx_, 1);
        if (tips_) hostapi::aatFigRestoreTipInfo(0, tips_, 1);
        if (fonts_) hostapi::aatFigRestoreFntInfo(0, fonts_, 1);
        if (penColours_) hostapi::aatFigRestorePenExInfo(0, penColours_, 1);
        if (colours_) hostapi::aatFigRestoreColInfo(0, colours_, 1);
        if (widths_) hostapi::aatFigRestoreWidInfo(0, widths_, 1);
        if (pens_) hostapi::aatFigRestorePenInfo(0, pens_, 1);
        DriverHarness::TearDown();
    }

    // Runs a sheet holding `pages` (in that order, the first one shown) with
    // `script`; returns the sheet's modal result. Every script action must
    // have run: the driver's errors fail the test.
    int runSheet(const std::vector<CZqPropertyPage*>& pages, ZqUiScript script)
    {
        CZqPropertySheet sheet(std::string("Attributes"));
        if (help_ == HelpButton::Shown) sheet.ShowHelpButton(true);
        for (CZqPropertyPage* page : pages) sheet.AddPage(page);
        drive(std::move(script));
        if (journal_ == Journal::Clear) mobrhost::journalClear();
        const int result = sheet.DoModal();
        expectNoDriverErrors();
        return result;
    }

    void* pens_ = nullptr;
    void* widths_ = nullptr;
    void* colours_ = nullptr;
    void* penColours_ = nullptr;
    void* fonts_ = nullptr;
    void* tips_ = nullptr;
    void* charEx_ = nullptr;

private:
    const unsigned copies_;
    const Journal journal_;
    const HelpButton help_;
};
