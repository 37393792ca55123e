#include "optionpages/CUserOp02.h"

#include "options/UserOpValues.h"

const std::vector<ZqField>& CUserOp02::fieldTable()
{
    // Lists and boxes keep whatever they are given, so that a page the user
    // leaves alone gives its block back unchanged.
    constexpr ZqReceipt keep = ZqReceipt::Keep;
    constexpr ZqReceipt clamp = ZqReceipt::Clamp;
    static const std::vector<ZqField> fields = {
        ZqField::check(0, kAtr18).withReceipt(keep),
        ZqField::check(0, kAtr4).withReceipt(keep),
        ZqField::choice(0, kSymbolMode, 2).withReceipt(keep),
        ZqField::real(0, kSymbolSize, 0.01, 999.0).withDecimals(2).withFormat("%.2lf").withMaxChars(6).withReceipt(clamp),
        ZqField::integer(0, kDigits, 0, 5).asSpin(1).withReceipt(clamp),
        // A real that the page shows and checks as a whole number.
        ZqField::integer(0, kMarkerDots, 1, 99).asSpin(1).withReceipt(clamp),
        ZqField::real(0, kRatio, 0.1, 1.0).withDecimals(1).withFormat("%.1lf").withMaxChars(3).asSpin(0.1).withReceipt(clamp),
        ZqField::real(0, kZoomIn, 1.1, 8.0).withDecimals(1).withFormat("%.1lf").withMaxChars(3).asSpin(0.1).withReceipt(clamp),
        ZqField::real(0, kZoomOut, 1.1, 8.0).withDecimals(1).withFormat("%.1lf").withMaxChars(3).asSpin(0.1).withReceipt(clamp),
        ZqField::choice(0, kAtr22, 2).withReceipt(keep),
        ZqField::check(0, kCloseMode).withReceipt(keep),
        ZqField::choice(0, kAtr28, 2).withReceipt(keep),
        ZqField::check(0, kExtensionCheck).withReceipt(keep),
        ZqField::check(0, kAtr29).withReceipt(keep),
    };
    return fields;
}

CUserOp02::CUserOp02() : CUserOpPage("IDD_S_020", kTitle, kHelpTopic, fieldTable()) {}

const std::vector<CUserOpPage::BlockSlot>& CUserOp02::blockLayout() const
{
    namespace b = userop02;
    static const std::vector<BlockSlot> layout = {
        {b::kAtr18, kAtr18, false},         {b::kAtr4, kAtr4, false},
        {b::kSymbolMode, kSymbolMode, false}, {b::kSymbolSize, kSymbolSize, true},
        {b::kDigits, kDigits, false},       {b::kDisplayDots, kMarkerDots, true},
        {b::kRatio1, kRatio, true},         {b::kRatio2, kZoomIn, true},
        {b::kRatio3, kZoomOut, true},       {b::kAtr22, kAtr22, false},
        {b::kCloseMode, kCloseMode, false}, {b::kAtr28, kAtr28, false},
        {b::kExtensionCheck, kExtensionCheck, false}, {b::kAtr29, kAtr29, false},
    };
    return layout;
}
