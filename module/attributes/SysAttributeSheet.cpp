#include "attributes/SysAttributeSheet.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "attributes/CPageSysAttribute1.h"
#include "attributes/CPageSysAttribute2.h"
#include "attributes/CPageSysAttribute3.h"
#include "attributes/CPageSysAttribute4.h"
#include "attributes/CPageSysAttribute5.h"
#include "attributes/CPageSysAttribute6.h"
#include "attributes/RecolourPass.h"
#include "frame/HostApi.h"
#include "frame/ModuleLog.h"
#include "mobr/Bytes.h"
#include "mobr/host_blocks.h"
#include "mobrdlg/ZqPropertySheet.h"

namespace {

constexpr int32_t kCommit = 0;
constexpr int32_t kDiscard = 1;
constexpr int32_t kReadBlock = 114;
constexpr int32_t kFigureNumber = 82;
constexpr int32_t kDrawOrderKind = 3;

std::intptr_t handle(void* copy) { return reinterpret_cast<std::intptr_t>(copy); }

}  // namespace

CSysAttributeSheet::CSysAttributeSheet() = default;

CSysAttributeSheet::~CSysAttributeSheet()
{
    // Nothing is left to end after run(); this covers an object never run.
    exitSteps();
}

bool CSysAttributeSheet::exponentOf(double distance, int* exponent)
{
    // Zero, negatives and NaN would never reach 1 by multiplying by ten.
    if (!std::isfinite(distance) || distance <= 0.0) return false;
    int e = 0;
    if (distance > 1.0) {
        while (distance > 1.0) {
            distance /= 10.0;
            --e;
        }
    } else {
        while (distance < 1.0) {
            distance *= 10.0;
            ++e;
        }
    }
    *exponent = e;
    return true;
}

double CSysAttributeSheet::distanceOf(int exponent)
{
    char text[32];
    std::snprintf(text, sizeof text, "1.0E%d", exponent);
    return 1.0 / std::strtod(text, nullptr);
}

int CSysAttributeSheet::run()
{
    try {
        runSteps();
    } catch (...) {
        // A host function missing or a failure of the dialog library: the
        // exit steps below still end whatever is held.
        logCaughtException("system attribute sheet");
    }
    exitSteps();
    return 0;
}

void CSysAttributeSheet::runSteps()
{
    if (!readHost()) return;
    buildSheet();
    if (!handValues()) return;

    hostapi::ClearPenNameStringList();
    hostapi::ClearWidthNameStringList();
    hostapi::ClearColorNameStringList();
    const int result = runSheet();
    if (result == -1 || result == 3) {
        hostapi::aapLcom_mwar(kWarnNotShown);
        return;
    }
    const bool ok = result == 1;
    if (ok && !applyRenames()) return;
    if (!endCopies(ok ? kCommit : kDiscard)) return;
    hostapi::aasPeekDispatch(0);
    if (ok) {
        if (!writeFigureValues()) return;
        if (page1_->GetRecolourFlag()) CRecolourPass(figure_).run();
        refreshDisplays();
    }
    hostapi::aatAtrDisp(-2);
}

bool CSysAttributeSheet::takeCopy(CopyIndex index, void* (*edit)(short))
{
    void* copy = edit(figure_);
    if (!copy) return false;
    copies_[index] = Copy{copy, true};
    return true;
}

bool CSysAttributeSheet::readHost()
{
    hostapi::aatSysInfCFigno(kFigureNumber, &figure_);
    if (!takeCopy(kPens, hostapi::aatFigEditPenInfo)) return false;
    // The order table covers the pens; their count is the copy's second word.
    int32_t unused = 0;
    orderTable_ = hostapi::as_MakeTable(static_cast<char*>(copies_[kPens].handle) + 4, &unused);
    if (!orderTable_) return false;
    if (!takeCopy(kPenColours, hostapi::aatFigEditPenExInfo)) return false;
    if (!takeCopy(kWidths, hostapi::aatFigEditWidInfo)) return false;
    if (!takeCopy(kColours, hostapi::aatFigEditColInfo)) return false;
    if (!takeCopy(kFonts, hostapi::aatFigEditFntInfo)) return false;
    if (!takeCopy(kTips, hostapi::aatFigEditTipInfo)) return false;

    unsigned char dim[mobr::kHostDimBlockBytes] = {};
    if (hostapi::aatFigGetDimInfo(figure_, dim) != 0) return false;
    for (int i = 0; i < 3; ++i) dimValues_[i] = mobr::bytes::f32(dim, mobr::dimblock::kValues[i]);

    double distance = 0.0;
    if (hostapi::aatSysInfErrdst(kReadBlock, &distance) != 0) return false;
    if (!exponentOf(distance, &exponent_)) return false;
    colourDepth_ = hostapi::aatImageGetBitCount(figure_);
    // A failed read leaves -1, which the page refuses.
    drawOrder_ = -1;
    hostapi::aatFigGetDrwOrder(figure_, kDrawOrderKind, &drawOrder_);
    return takeCopy(kCharEx, hostapi::aatFigEditCharExInfo);
}

void CSysAttributeSheet::buildSheet()
{
    sheet_ = std::make_unique<CZqPropertySheet>(kCaption, nullptr, 0);
    sheet_->ShowHelpButton(true);
    page1_ = std::make_unique<CPageSysAttribute1>();
    page2_ = std::make_unique<CPageSysAttribute2>();
    page3_ = std::make_unique<CPageSysAttribute3>();
    page4_ = std::make_unique<CPageSysAttribute4>();
    page5_ = std::make_unique<CPageSysAttribute5>();
    page6_ = std::make_unique<CPageSysAttribute6>();
    sheet_->AddPage(page1_.get());
    sheet_->AddPage(page2_.get());
    sheet_->AddPage(page3_.get());
    sheet_->AddPage(page4_.get());
    sheet_->AddPage(page6_.get());
    sheet_->AddPage(page5_.get());
}

bool CSysAttributeSheet::handValues()
{
    void* pens = copies_[kPens].handle;
    void* penColours = copies_[kPenColours].handle;
    void* widths = copies_[kWidths].handle;
    void* colours = copies_[kColours].handle;
    return page1_->SetPageData(kItem1, handle(pens)) && page1_->SetPageData(kItem2, handle(widths)) &&
           page1_->SetPageData(kItem3, handle(colours)) &&
           page1_->SetPageData(kItem4, handle(penColours)) &&
           page1_->SetPageData(kItem5, handle(orderTable_)) &&
           page2_->SetPageData(kItem1, handle(widths)) &&
           page3_->SetPageData(kItem1, handle(colours)) &&
           page3_->SetPageData(kItem2, handle(penColours)) &&
           page4_->SetPageData(kItem1, handle(copies_[kFonts].handle)) &&
           page5_->SetPageInt(kItem1, exponent_) && page5_->SetPageInt(kItem2, colourDepth_) &&
           page5_->SetPageInt(kItem3, drawOrder_) &&
           page5_->SetCharExInfo(copies_[kCharEx].handle) &&
           page6_->SetPageData(kItem1, handle(copies_[kTips].handle)) &&
           page6_->SetPageDouble(kItem1, dimValues_[0]) &&
           page6_->SetPageDouble(kItem2, dimValues_[1]) &&
           page6_->SetPageDouble(kItem3, dimValues_[2]) &&
           page6_->SetPageDouble(kItem4, hostapi::aatTipGetLength(copies_[kTips].handle));
}

int CSysAttributeSheet::runSheet()
{
    return sheet_->DoModal();
}

bool CSysAttributeSheet::applyRenames()
{
    // Each list is emptied after its call whatever the calls before it gave;
    // after a failed call no later list is applied.
    bool applied = hostapi::ChangeSketchWidthName(figure_, copies_[kWidths].handle) != 0;
    hostapi::ClearWidthNameStringList();
    applied = applied && hostapi::ChangeSketchColorName(figure_, copies_[kColours].handle) != 0;
    hostapi::ClearColorNameStringList();
    applied = applied &&
              hostapi::ChangeSketchPenName(figure_, copies_[kPens].handle, copies_[kWidths].handle) != 0;
    hostapi::ClearPenNameStringList();
    return applied;
}

void* CSysAttributeSheet::currentOrderTable() const
{
    // Adding a pen replaces the page's order table (the old one is freed).
    void* pageTable = page1_ ? page1_->GetOrderTable() : nullptr;
    return pageTable ? pageTable : orderTable_;
}

bool CSysAttributeSheet::endCopy(CopyIndex index, int32_t discard)
{
    Copy& copy = copies_[index];
    if (!copy.held) return true;
    int32_t ended = 0;
    switch (index) {
    case kPens:
        ended = orderTable_
                    ? hostapi::aatFigRestorePenInfoEx(figure_, copy.handle, discard, orderTable_)
                    : hostapi::aatFigRestorePenInfo(figure_, copy.handle, discard);
        break;
    case kPenColours:
        ended = hostapi::aatFigRestorePenExInfo(figure_, copy.handle, discard);
        break;
    case kWidths: ended = hostapi::aatFigRestoreWidInfo(figure_, copy.handle, discard); break;
    case kColours: ended = hostapi::aatFigRestoreColInfo(figure_, copy.handle, discard); break;
    case kFonts: ended = hostapi::aatFigRestoreFntInfo(figure_, copy.handle, discard); break;
    case kTips: ended = hostapi::aatFigRestoreTipInfo(figure_, copy.handle, discard); break;
    case kCharEx: ended = hostapi::aatFigRestoreCharExInfo(figure_, copy.handle, discard); break;
    case kCopyCount: break;
    }
    if (ended == 0) return false;
    copy.held = false;
    return true;
}

bool CSysAttributeSheet::endCopies(int32_t discard)
{
    // The page's table, which adding pens may have replaced; without one the
    // pens cannot be committed in their order.
    void* table = page1_->GetOrderTable();
    if (!table) return false;
    orderTable_ = table;
    for (int index = kPens; index < kCopyCount; ++index)
        if (!endCopy(CopyIndex(index), discard)) return false;
    return true;
}

bool CSysAttributeSheet::writeFigureValues()
{
    unsigned char dim[mobr::kHostDimBlockBytes] = {};
    if (hostapi::aatFigGetDimInfo(figure_, dim) != 0) return false;
    for (int i = 0; i < 3; ++i)
        mobr::bytes::setF32(dim, mobr::dimblock::kValues[i], float(page6_->GetPageValue(kItem1 + i)));
    if (hostapi::aatFigSetDimInfo(figure_, dim) != 0) return false;

    int exponent = 0, colourDepth = 0, drawOrder = 0;
    page5_->GetPageInt(kItem1, &exponent);
    page5_->GetPageInt(kItem2, &colourDepth);
    page5_->GetPageInt(kItem3, &drawOrder);
    hostapi::aatFigSetErrDist(figure_, distanceOf(exponent));
    hostapi::aatImageSetBitCount(figure_, colourDepth);
    hostapi::aatFigSetDrwOrder(figure_, kDrawOrderKind, drawOrder);
    return true;
}

void CSysAttributeSheet::refreshDisplays()
{
    for (int32_t id : kAttributeDisplays) hostapi::aatAtrUpdate(id);
    hostapi::aatDrwFigView(figure_);
}

void CSysAttributeSheet::exitSteps()
{
    // Each step on its own: one failing call must not keep the others from
    // ending their copies.
    if (page1_) {
        try {
            orderTable_ = currentOrderTable();
        } catch (...) {
            logCaughtException("system attribute sheet: order table");
        }
    }
    // The sheet and its pages go before any copy is ended, so that nothing
    // they do on the way can name a copy after its end.
    sheet_.reset();
    for (int index = kPens; index < kCopyCount; ++index) {
        try {
            endCopy(CopyIndex(index), kDiscard);
        } catch (...) {
            logCaughtException("system attribute sheet: ending a copy");
        }
    }
    if (orderTable_) {
        try {
            hostapi::as_FreeTable(orderTable_);
        } catch (...) {
            logCaughtException("system attribute sheet: freeing the order table");
        }
        orderTable_ = nullptr;
    }
    page1_.reset();
    page2_.reset();
    page3_.reset();
    page4_.reset();
    page5_.reset();
    page6_.reset();
}
