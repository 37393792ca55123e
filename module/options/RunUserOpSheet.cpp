#include "options/RunUserOpSheet.h"

#include <memory>

#include "frame/HostApi.h"
#include "mobr/Bytes.h"
#include "mobrdlg/ZqMessageBox.h"
#include "optionpages/CUserOp01.h"
#include "optionpages/CUserOp02.h"
#include "optionpages/CUserOp03.h"
#include "optionpages/CUserOp04.h"
#include "optionpages/CUserOp05.h"
#include "optionpages/CUserOp09.h"
#include "optionpages/ComNumDialogs.h"
#include "optionpages/CUserOp13.h"
#include "optionpages/CUserOp15.h"
#include "optionpages/CUserOp16.h"
#include "optionpages/CUserOpMu.h"
#include "options/CUserOpSheet.h"
#include "options/UserOpApplyLog.h"

namespace {

constexpr int kWarnNotShown = 9000;
constexpr int kMsgRefused = 7341;
constexpr int32_t kRead = 114;
constexpr int kSettingsBlockBytes = 64;

UserOpSheetRunner sheetRunner = nullptr;

int runModal(CUserOpSheet& sheet)
{
    return sheetRunner ? sheetRunner(sheet) : sheet.DoModal();
}

// The tool bar style and grip as OK left them, read into the host's whole
// blocks (their first field is 16-bit), then applied to the tool bars.
void applyToolBars(CUserOpApplyLog& log)
{
    unsigned char style[kSettingsBlockBytes] = {};
    unsigned char grip[kSettingsBlockBytes] = {};
    hostapi::aatSysInfToolBarStyle(kRead, style);
    hostapi::aatSysInfToolBarGrip(kRead, grip);
    log.check("aatTbarStyleSet", hostapi::aatTbarStyleSet(mobr::bytes::i16(style, 0), mobr::bytes::i16(grip, 0)));
}

// The pages of one run, each built anew; the slots of pages that are not
// part of the dialog yet stay empty.
struct OptionPages {
    CUserOp01 general;
    CUserOp13 operation;
    CUserOpMu pointModes;
    CUserOp02 drawing;
    CUserOp03 input;
    CUserOp04 editing;
    CUserOp16 dimension;
    CUserOp09 colours;
    CUserOp05 numeric;
    CUserOp15 sketch;
    CComNumRefDlg references;

    void putInto(CUserOpSheet& sheet)
    {
        sheet.SetPage(kSlotGeneral, &general);
        sheet.SetPage(kSlotOperation, &operation);
        sheet.SetPage(kSlotPointModes, &pointModes);
        sheet.SetPage(kSlotDrawing, &drawing);
        sheet.SetPage(kSlotInput, &input);
        sheet.SetPage(kSlotEditing, &editing);
        sheet.SetPage(kSlotDimension, &dimension);
        sheet.SetPage(kSlotColours, &colours);
        sheet.SetPage(kSlotNumeric, &numeric);
        sheet.SetPage(kSlotSketch, &sketch);
        numeric.SetPageData(CUserOp05::kItemReferenceList, reinterpret_cast<std::intptr_t>(&references));
        sheet.SetReferenceList(&references);
    }
};

}  // namespace

void SetUserOpSheetRunner(UserOpSheetRunner runner)
{
    sheetRunner = runner;
}

int RunUserOpSheet(int apply, const char* folder, const char* file)
{
    CUserOpApplyLog log;
    // The pages outlive the dialog's use of them: the dialog goes first.
    auto pages = std::make_unique<OptionPages>();
    auto sheet = std::make_unique<CUserOpSheet>(log);
    sheet->SetPageInt(CUserOpSheet::kItemApplyMode, apply);
    sheet->SetPageString(CUserOpSheet::kItemTemplateFile, file ? file : "");
    sheet->SetPageString(CUserOpSheet::kItemTemplateFolder, folder ? folder : "");
    pages->putInto(*sheet);
    LoadUserOpValues(sheet->pages());

    const int result = runModal(*sheet);
    int outcome = 0;
    if (result == -1 || result == 3) {
        hostapi::aapLcom_mwar(kWarnNotShown);
        outcome = -1;
    } else if (result == 1 && apply == 1) {
        ApplyUserOpValues(sheet->pages(), log);
        applyToolBars(log);
    } else if (result == 2) {
        outcome = -2;
    }
    if (log.anyRefused())
        ZqDlgMessageBox(nullptr, ZQ_MB_OK | ZQ_MB_ICONEXCLAMATION, 0, kMsgRefused, log.refusedText().c_str());
    sheet.reset();
    return outcome;
}
