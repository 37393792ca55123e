#include "atrcnv/CAtrCnvSheet.h"

#include "atrcnv/AtrCnvApply.h"
#include "atrcnv/CCnvSettingPage.h"
#include "atrcnv/CColorCnvPage.h"
#include "atrcnv/CPenCnvPage.h"
#include "atrcnv/CWidthCnvPage.h"
#include "frame/HostApi.h"
#include "frame/ModuleLog.h"
#include "mobrdlg/ZqWaitCursor.h"

CAtrCnvSheet::CAtrCnvSheet()
    : CZqPropertySheet(kCaption), listener_(this), targets_(listener_)
{
    ShowHelpButton(true);
    setting_ = std::make_unique<CCnvSettingPage>(*this);
    targetPages_[0] = std::make_unique<CPenCnvPage>(*this);
    targetPages_[1] = std::make_unique<CWidthCnvPage>(*this);
    targetPages_[2] = std::make_unique<CColorCnvPage>(*this);
    AddPage(setting_.get());
    for (auto& page : targetPages_) AddPage(page.get());
    listener_.setTargetsChangedHandler([this](atrcnv::Kind kind) { rebuildPageOf(kind); });
}

CAtrCnvSheet::~CAtrCnvSheet()
{
    // The pages go before the targets (member order); nothing reaches a page
    // while the targets hand their copies back.
    listener_.setTargetsChangedHandler({});
}

CZqPropertyPage* CAtrCnvSheet::pageByIndex(int index) const
{
    if (index == kSettingPage) return setting_.get();
    if (index > kSettingPage && index < kPageCount) return targetPages_[index - 1].get();
    return nullptr;
}

void CAtrCnvSheet::rebuildPageOf(atrcnv::Kind kind)
{
    // The kinds are numbered pen 0, width 1, colour 2, as the pages are.
    const int index = static_cast<int>(kind);
    if (index >= 0 && index < int(targetPages_.size())) targetPages_[index]->rebuildList(true);
}

bool CAtrCnvSheet::prepare()
{
    return targets_.prepare() >= 0;
}

int CAtrCnvSheet::runSheet()
{
    return DoModal();
}

bool CAtrCnvSheet::tablesAndListsPresent() const
{
    using T = CAtrCnvTargets::Table;
    for (T table : {T::Colour, T::Width, T::Pen, T::PenColour})
        if (!targets_.table(CAtrCnvTargets::Figure::Current, table)) return false;
    return targets_.hasTargets();
}

void CAtrCnvSheet::applyAccepted()
{
    CZqWaitCursor wait;
    atrcnv::CommitOptions options;
    options.mergePens = setting_->mergePens();
    options.mergeWidths = setting_->mergeWidths();
    options.mergeColours = setting_->mergeColours();
    // Without tables or lists the conversion refuses (7289) and nothing,
    // the automatic definition and the history included, is written.
    if (tablesAndListsPresent()) setting_->closingStep();
    const atrcnv::CommitReport report = atrcnv::commitConversion(targets_, options);
    qCInfo(lcModule) << "attribute conversion: colours" << report.coloursConverted << "widths"
                     << report.widthsConverted << "pens" << report.pensConverted << "merged" << report.merged;
}

void CAtrCnvSheet::runConversion()
{
    CAtrCnvSheet sheet;
    if (!sheet.prepare()) return;
    const int result = sheet.runSheet();
    if (result == -1 || result == 3) {
        hostapi::aapLcom_mwar(kWarnNotShown);
        return;
    }
    if (result == 1) sheet.applyAccepted();
}
