#pragma once

// The option values that travel between the host and the option pages that
// do not read the host themselves: LoadUserOpValues reads them before the
// options dialog opens and hands each page its block; ApplyUserOpValues
// takes the blocks back after OK and writes them to the host.

#include <array>
#include <cstdint>

class CUserOpApplyLog;
class CUserOpPage;
class CZqDataLink;

// The ten tab slots of the options dialog, in tab order.
enum UserOpSlot : int {
    kSlotGeneral = 0,     // CUserOp01 (owns its values)
    kSlotOperation = 1,   // CUserOp13 (owns its values)
    kSlotPointModes = 2,  // CUserOpMu (owns its values)
    kSlotDrawing = 3,     // CUserOp02 (block)
    kSlotInput = 4,       // CUserOp03 (block)
    kSlotEditing = 5,     // CUserOp04 (block)
    kSlotDimension = 6,   // CUserOp16 (owns its values)
    kSlotColours = 7,     // CUserOp09 (colour list)
    kSlotNumeric = 8,     // CUserOp05 (numeric parameter table)
    kSlotSketch = 9,      // CUserOp15 (sketch values)
    kSlotCount = 10,
};

// The pages of one options dialog by slot; a null slot is a page that is
// not there, whose load and apply steps are skipped.
struct UserOpPages {
    std::array<CUserOpPage*, kSlotCount> bySlot{};
    CZqDataLink* numRef = nullptr;  // the reference parameter list, when there

    CUserOpPage* at(UserOpSlot slot) const { return bySlot[static_cast<std::size_t>(slot)]; }
};

// Byte offsets of the option blocks (integers 32-bit, reals doubles).
namespace userop02 {
constexpr int kBytes = 76;
constexpr int kAtr18 = 0, kAtr4 = 4, kSymbolMode = 8, kSymbolSize = 12, kDigits = 20, kDisplayDots = 24,
              kRatio1 = 32, kRatio2 = 40, kRatio3 = 48, kAtr22 = 56, kCloseMode = 60, kAtr28 = 64,
              kExtensionCheck = 68, kAtr29 = 72;
}  // namespace userop02
namespace userop03 {
constexpr int kBytes = 60;
constexpr int kAtr16 = 0, kAtr1 = 4, kRubberAngle = 8, kAtr2 = 12, kAtr15 = 16, kFlagB = 20, kFlagA = 24,
              kSplineMode = 28, kAtr26 = 32, kCentreLine = 36, kAtr27 = 44, kArcTolerance = 48, kBiArc = 56;
}  // namespace userop03
namespace userop04 {
constexpr int kBytes = 52;
constexpr int kAtr13 = 0, kAtr21 = 4, kDeleteConfirm = 8, kAtr3 = 20, kAtr20 = 24, kAtr25 = 28,
              kDimensionHold = 32, kExtensionDistance = 36, kAtr30 = 44, kAtr31 = 48;
}  // namespace userop04
namespace sketchblock {
constexpr int kBytes = 64;
constexpr int kLimitDots = 0, kCharSmall = 4, kCharLarge = 8, kDimDigits = 12, kRubberValue = 16, kGridShown = 20,
              kGridSnap = 24, kPitchX = 28, kPitchY = 36, kOriginX = 44, kOriginY = 52, kTip = 60;
}  // namespace sketchblock

// A reference numeric parameter as the reference list holds it: caption
// (17 bytes), name (12 bytes), value; no padding.
namespace comnumref {
constexpr int kCaptionBytes = 17;
constexpr int kNameBytes = 12;
constexpr int kEntryBytes = kCaptionBytes + kNameBytes + 8;
constexpr int kMaxEntries = 24;
}  // namespace comnumref

// The 32 attribute-mode characters of the host and their list indices.
class CAtrModeIndex {
public:
    static constexpr int kSlots = 32;
    // Reads the host's characters and turns each into its list index (0 for
    // a slot without a mark family, -1 for a character the list lacks).
    bool read();
    // Turns the indices back into characters and writes them; a slot whose
    // index the host cannot turn into a character keeps the character read.
    int32_t write();
    int32_t index(int slot) const { return index_[static_cast<std::size_t>(slot)]; }
    void setIndex(int slot, int32_t index) { index_[static_cast<std::size_t>(slot)] = index; }
    unsigned char character(int slot) const { return chars_[static_cast<std::size_t>(slot)]; }

private:
    std::array<unsigned char, kSlots> chars_{};
    std::array<int32_t, kSlots> index_{};
};

// Reads the host's option values in their fixed order and hands the block
// of each block-fed page in; 0.
int LoadUserOpValues(const UserOpPages& pages);
// Takes the blocks back and writes them to the host in the fixed order;
// every refused write goes into `log`. 0.
int ApplyUserOpValues(const UserOpPages& pages, CUserOpApplyLog& log);
