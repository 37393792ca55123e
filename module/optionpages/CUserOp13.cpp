#include "optionpages/CUserOp13.h"

#include "frame/HostApi.h"
#include "optionpages/OptionBlocks.h"
#include "options/UserOpApplyLog.h"

namespace {

using namespace optionblock;

constexpr int kFlagsBytes = 64;
constexpr int kCoordinateOffset = 26;
constexpr int kClassOffset = 62;

}  // namespace

const std::vector<ZqField>& CUserOp13::fieldTable()
{
    static const std::vector<ZqField> fields = {
        ZqField::check(0, kElemFlush),
        ZqField::radio(0, kRecognition, kRecognition + 1).withReceipt(ZqReceipt::Keep),
        ZqField::radio(0, kCoordinates, kCoordinates + 1).withReceipt(ZqReceipt::Keep),
        ZqField::radio(0, kCoordinateClass, kCoordinateClass + 1).withReceipt(ZqReceipt::Keep),
        ZqField::radio(0, kPenType, kPenType + 1).withReceipt(ZqReceipt::Keep),
        ZqField::integer(0, kPickDots, 1, 99).asSpin(1).withReceipt(ZqReceipt::Clamp),
        ZqField::integer(0, kTableMax, 1, 50).asSpin(1).withReceipt(ZqReceipt::Clamp),
        ZqField::check(0, kPartsRecog),
        ZqField::check(0, kRunButton),
        ZqField::check(0, kToolBarCaptions),
        ZqField::check(0, kToolBarFlat),
        ZqField::check(0, kGripToolBars),
        ZqField::check(0, kGripMenuBar),
        ZqField::check(0, kAutoMove),
        ZqField::check(0, kMoveWithWindow),
    };
    return fields;
}

CUserOp13::CUserOp13() : CUserOpPage("IDD_S_019", kTitle, kHelpTopic, fieldTable()) {}

int CUserOp13::toolBarCode(bool first, bool second)
{
    if (first && second) return 1;
    if (first) return 3;
    return second ? 2 : 0;
}

void CUserOp13::toolBarBoxes(int code, bool* first, bool* second)
{
    *first = code != 0 && code != 2;
    *second = code != 0 && code != 3;
}

void CUserOp13::receiveToolBar(int code, int first, int second)
{
    bool a = false;
    bool b = false;
    toolBarBoxes(code, &a, &b);
    receive(first, a ? 1 : 0);
    receive(second, b ? 1 : 0);
}

void CUserOp13::readHost()
{
    using namespace hostapi;
    receive(kElemFlush, aatGrpGetElemFlush() == 0 ? 1 : 0);
    receive(kRecognition, aapGetRecMdef());
    unsigned char flags[kFlagsBytes] = {};
    aatSysInfFlags(kRead, flags);
    receive(kCoordinates, mobr::bytes::i16(flags, kCoordinateOffset));
    receive(kCoordinateClass, aatSysGetPosXYCls());
    receive(kPenType, aatSysGetRecogPenType());
    receive(kPickDots, readFirst<int16_t>(aatSysInfRdot));
    receive(kTableMax, aatSchGetTableMax());
    receive(kPartsRecog, aasGrpPartsSysRecogGet() != 0 ? 1 : 0);
    receive(kRunButton, readFirst<int16_t>(aatSysInfCmdRunBtn) != 0 ? 1 : 0);
    receiveToolBar(readFirst<int16_t>(aatSysInfToolBarStyle), kToolBarCaptions, kToolBarFlat);
    receiveToolBar(readFirst<int16_t>(aatSysInfToolBarGrip), kGripToolBars, kGripMenuBar);
    receive(kAutoMove, readFirst<int16_t>(aatSysInfTBarAutoMoveMode) != 0 ? 1 : 0);
    receive(kMoveWithWindow, readFirst<int16_t>(aatSysInfTBarMoveMode) != 0 ? 1 : 0);
}

void CUserOp13::ApplyToHost(CUserOpApplyLog& log)
{
    using namespace hostapi;
    if (!isInitialised() || !CheckPageData()) return;
    const auto& f = fieldSet();
    auto on = [&f](int control) { return f.valueOf(control) == 1.0; };
    auto value = [&f](int control) { return static_cast<int32_t>(f.valueOf(control)); };

    unsigned char flags[kFlagsBytes] = {};
    aatSysInfFlags(kRead, flags);
    mobr::bytes::put<int16_t>(flags, kCoordinateOffset, static_cast<int16_t>(value(kCoordinates)));
    log.check("aapSetRecMdef", aapSetRecMdef(static_cast<short>(value(kRecognition))));
    unsigned char pick[optionblock::kBytes] = {};
    aatSysInfRdot(kRead, pick);
    mobr::bytes::put<int16_t>(pick, 0, static_cast<int16_t>(value(kPickDots)));
    log.check("aasGrpPartsSysRecogSet", aasGrpPartsSysRecogSet(on(kPartsRecog) ? 1 : 0));
    log.check("aatSysSetRecogPenType", aatSysSetRecogPenType(value(kPenType)));
    log.check("aatSysInfRdot", aatSysInfRdot(kWrite, pick));
    log.check("aatGrpSetElemFlush", aatGrpSetElemFlush(on(kElemFlush) ? 0 : 1));
    log.check("aatSchSetTableMax", aatSchSetTableMax(value(kTableMax)));
    mobr::bytes::put<int16_t>(flags, kClassOffset, static_cast<int16_t>(value(kCoordinateClass)));
    log.check("aatSysInfFlags", aatSysInfFlags(kWrite, flags));
    log.check("aatSysInfCmdRunBtn", writeFirst<int16_t>(aatSysInfCmdRunBtn, on(kRunButton) ? 1 : 0));
    log.check("aatTbarCmdRunBtn", aatTbarCmdRunBtn(on(kRunButton) ? 1 : 0));
    const int16_t style = static_cast<int16_t>(toolBarCode(on(kToolBarCaptions), on(kToolBarFlat)));
    const int16_t grip = static_cast<int16_t>(toolBarCode(on(kGripToolBars), on(kGripMenuBar)));
    log.check("aatSysInfToolBarStyle", writeFirst<int16_t>(aatSysInfToolBarStyle, style));
    log.check("aatSysInfToolBarGrip", writeFirst<int16_t>(aatSysInfToolBarGrip, grip));
    log.check("aatSysInfTBarAutoMoveMode", writeFirst<int16_t>(aatSysInfTBarAutoMoveMode, on(kAutoMove) ? 1 : 0));
    log.check("aatSysInfTBarMoveMode", writeFirst<int16_t>(aatSysInfTBarMoveMode, on(kMoveWithWindow) ? 1 : 0));
}
