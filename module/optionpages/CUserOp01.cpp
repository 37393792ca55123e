#include "optionpages/CUserOp01.h"

#include <QIcon>
#include <QRadioButton>

#include "frame/HostApi.h"
#include "mobr/Bytes.h"
#include "mobrcctl/ZqFieldBinder.h"
#include "mobrdlg/ZqResources.h"
#include "optionpages/OptionBlocks.h"
#include "options/UserOpApplyLog.h"

namespace {

using namespace optionblock;
constexpr int kWindowTitleFirst = 7030;
constexpr int kWindowTitles = 4;
constexpr int kMsgEllipseAngle = 7271;
constexpr int kPointTypeBase = 2;
constexpr int kPointTypes = 4;
constexpr int kPointTypeIcon = 7459;  // 7459 to 7462, one per point type
constexpr int kLineModeOther = 2;

}  // namespace

const std::vector<ZqField>& CUserOp01::fieldTable()
{
    static const std::vector<ZqField> fields = {
        ZqField::real(0, kWaitTime, 0.1, 60.0).withDecimals(2).withFormat("%.2lf").withMaxChars(5)
            .asSpin(1.0).withReceipt(ZqReceipt::Clamp),
        ZqField::integer(0, kCharBox, 0, 99).asSpin(1).withReceipt(ZqReceipt::Clamp),
        ZqField::real(0, kEllipseAngle, 1.0, 5.0).withDecimals(1).withFormat("%.1lf").asSpin(0.5)
            .withReceipt(ZqReceipt::Clamp).withMessage(kMsgEllipseAngle).withInitial(5.0),
        ZqField::real(0, kDisplayWidth, 0.01, 1.5).withDecimals(2).withFormat("%.02lf").asSpin(0.05)
            .withConversion(ZqConversion::Hundredths).withReceipt(ZqReceipt::Clamp),
        ZqField::choice(0, kWidthSetting, 3).withConversion(ZqConversion::OneBased).withReceipt(ZqReceipt::Keep),
        ZqField::radio(0, kCharBoxMode, kCharBoxMode + 1).withReceipt(ZqReceipt::Keep),
        ZqField::check(0, kSearchBox).withReceipt(ZqReceipt::Keep),
        ZqField::check(0, kWidthDisplay),
        ZqField::check(0, kPenDisplay),
        ZqField::check(0, kPenPitch),
        ZqField::choice(0, kWindowTitle, kWindowTitles).withConversion(ZqConversion::OneBased).withReceipt(ZqReceipt::Keep),
        ZqField::choice(0, kLineMode, 3),
        ZqField::radio(0, kPointType, kPointType + 3).withReceipt(ZqReceipt::Keep),
        ZqField::radio(0, kCharSizeMode, kCharSizeMode + 1).withReceipt(ZqReceipt::Keep),
        ZqField::radio(0, kActiveChange, kActiveChange + 1).withReceipt(ZqReceipt::Keep),
    };
    return fields;
}

CUserOp01::CUserOp01() : CUserOpPage("IDD_S_018", kTitle, kHelpTopic, fieldTable()) {}

void CUserOp01::readHost()
{
    using namespace hostapi;
    receive(kWaitTime, readFirst<double>(aatSysInfWaittime));
    receive(kCharBox, readFirst<int16_t>(aatSysInfCharBox));
    receive(kEllipseAngle, readFirst<double>(aatSysInfDrwEllipseDivAngle));
    int32_t hundredths = 0;
    int32_t setting = 0;
    aatDrwGetDispWidthDot(&hundredths, &setting);
    receive(kDisplayWidth, hundredths);
    receive(kWidthSetting, setting);
    receive(kCharBoxMode, readFirst<int16_t>(aatDrwCharBox));
    receive(kSearchBox, readFirst<int16_t>(aatSysInfSchBox));
    receive(kWidthDisplay, aatDrwGetWidthMode() == 0 ? 1 : 0);
    const bool penDisplay = aatDrwGetPenMode() != 0;
    receive(kPenDisplay, penDisplay ? 1 : 0);
    receive(kPenPitch, penDisplay && readFirst<int32_t>(aatSysInfDrwPenPitchMode) == 1 ? 1 : 0);
    receive(kWindowTitle, readFirst<int16_t>(aatSysInfWintitle));
    unsigned char lineMode = 0;
    aatAtrModSlin(kRead, 0, &lineMode);
    receive(kLineMode, lineMode <= 1 ? lineMode : kLineModeOther);
    receive(kPointType, aatSchGetPointType() - kPointTypeBase);
    receive(kCharSizeMode, readFirst<int16_t>(aatSysInfCharSizeMode));
    sketchFixesActiveChange_ = aatFigIsExistSktFigure() != 0;
    receive(kActiveChange, sketchFixesActiveChange_ ? 1 : readFirst<int32_t>(aatSysInfActiveChangeMode));
}

void CUserOp01::fillLists()
{
    fillFromStrings(kWindowTitle, kWindowTitleFirst, kWindowTitles);
}

void CUserOp01::afterShow()
{
    for (int i = 0; i < kPointTypes; ++i)
        if (auto* button = item<QRadioButton>(kPointType + i)) button->setIcon(QIcon(ZqLoadImage(kPointTypeIcon + i)));
    enablePenPitch();
    // A sketch figure fixes the active change mode at its second button.
    if (sketchFixesActiveChange_) EnableItem(kActiveChange, false);
}

bool CUserOp01::OnCommand(int id)
{
    if (id == kPenDisplay) {
        enablePenPitch();
        return true;
    }
    return CUserOpPage::OnCommand(id);
}

void CUserOp01::enablePenPitch()
{
    EnableItem(kPenPitch, IsDlgButtonChecked(kPenDisplay));
}

void CUserOp01::ApplyToHost(CUserOpApplyLog& log)
{
    using namespace hostapi;
    if (!isInitialised() || !CheckPageData()) return;
    const auto& f = fieldSet();
    const bool penDisplay = f.valueOf(kPenDisplay) == 1.0;
    log.check("aatDrwSetWidthMode", aatDrwSetWidthMode(f.valueOf(kWidthDisplay) == 1.0 ? 0 : 1));
    log.check("aatDrwSetPenMode", aatDrwSetPenMode(penDisplay ? 1 : 0));
    log.check("aatSysInfDrwPenPitchMode",
              writeFirst<int32_t>(aatSysInfDrwPenPitchMode, penDisplay && f.valueOf(kPenPitch) == 1.0 ? 1 : 0));
    log.check("aatSysInfDrwEllipseDivAngle", writeFirst<double>(aatSysInfDrwEllipseDivAngle, f.valueOf(kEllipseAngle)));
    log.check("aatDrwSetDispWidthDot",
              aatDrwSetDispWidthDot(static_cast<int32_t>(f.hostValue(*f.byControl(kDisplayWidth))),
                                    static_cast<int32_t>(f.hostValue(*f.byControl(kWidthSetting)))));
    log.check("aatSysInfActiveChangeMode", writeFirst<int32_t>(aatSysInfActiveChangeMode, static_cast<int32_t>(f.valueOf(kActiveChange))));
    log.check("aatSysInfSchBox", writeFirst<int16_t>(aatSysInfSchBox, static_cast<int16_t>(f.valueOf(kSearchBox))));
    log.check("aatSchSetPointType", aatSchSetPointType(static_cast<int32_t>(f.valueOf(kPointType)) + kPointTypeBase));
    log.check("aatSysInfWintitle", writeFirst<int16_t>(aatSysInfWintitle, static_cast<int16_t>(f.hostValue(*f.byControl(kWindowTitle)))));
    log.check("aatSysInfWaittime", writeFirst<double>(aatSysInfWaittime, f.valueOf(kWaitTime)));
    log.check("aatSysInfCharBox", writeFirst<int16_t>(aatSysInfCharBox, static_cast<int16_t>(f.valueOf(kCharBox))));
    log.check("aatDrwCharBox", writeFirst<int16_t>(aatDrwCharBox, static_cast<int16_t>(f.valueOf(kCharBoxMode))));
    log.check("aatSysInfCharSizeMode", writeFirst<int16_t>(aatSysInfCharSizeMode, static_cast<int16_t>(f.valueOf(kCharSizeMode))));
    unsigned char lineMode = static_cast<unsigned char>(f.valueOf(kLineMode));
    log.check("aatAtrModSlin", aatAtrModSlin(kWrite, 0, &lineMode));
    aatAtrSubDsp_Disp(-1);
}
