#include "elements/CSysElem2.h"

#include <climits>
#include <cstring>

#include "elements/CDimLineDlg.h"
#include "elements/CDimTextDlg.h"
#include "elements/ElementLists.h"
#include "frame/HostApi.h"
#include "mobr/Bytes.h"
#include "mobr/host_blocks.h"
#include "mobrcctl/ZqFieldBinder.h"

namespace {

namespace bytes = mobr::bytes;
namespace aw = mobr::attrword;

constexpr double kMaxSize = 999999.0;
constexpr double kMinSize = 0.01;

// Where each edit's value lives in the dimension block.
enum class Slot { F32, I16 };
struct BlockEdit {
    int control;
    std::size_t offset;
    Slot slot;
};
constexpr BlockEdit kBlockEdits[] = {
    {1401, 60, Slot::F32}, {1402, 64, Slot::F32}, {1403, 52, Slot::F32}, {1404, 56, Slot::F32},
    {1405, 96, Slot::I16}, {1406, 72, Slot::F32}, {1407, 68, Slot::F32}, {1408, 36, Slot::F32},
    {1409, 76, Slot::F32}, {1410, 174, Slot::F32},
};
// The choice of group 1301 is the low 4 bits of the word at 84; that of
// group 1303 the 16-bit value at 172, counted from 1.
constexpr std::size_t kExtensionWord = 84;
constexpr uint32_t kExtensionMask = 0xF;
constexpr std::size_t kOffsetChoice = 172;

// Fields of the dimension line and text dialogs.
constexpr std::size_t kAuxiliaryEnds = 94;
constexpr std::size_t kTextNumber = 30;
constexpr std::size_t kTextSwitches = 170;
constexpr std::size_t kHundredths1 = 20, kHundredths2 = 28;
constexpr std::size_t kTextFields[] = {98, 120, 142};
constexpr aw::Field kPlacementBits{12, 4};
constexpr aw::Field kSwitch2Bits{8, 4};

}  // namespace

const std::vector<ZqField>& CSysElem2::fieldTable()
{
    using elemlists::realField;
    static const std::vector<ZqField> fields = elemlists::joined({{
        realField(0, 1401, 0.0, kMaxSize),
        realField(0, 1402, 0.0, kMaxSize),
        realField(0, 1403, 0.0, kMaxSize),
        realField(0, 1404, 0.0, kMaxSize),
        ZqField::integer(0, kCount, 1, 9).asSpin(1).withReceipt(ZqReceipt::Clamp).withCheckDigits(1),
        realField(0, 1406, 0.0, kMaxSize),
        realField(0, 1407, kMinSize, kMaxSize),
        realField(0, 1408, kMinSize, kMaxSize),
        realField(0, kExtension, 0.0, kMaxSize),
        realField(0, kOffset, 0.0, kMaxSize)},
        elemlists::layerFields(kItemLayerFlag, kItemLayerColour),
    });
    return fields;
}

CSysElem2::CSysElem2()
    : CZqPropertyPage("IDD_PROPS_011"), CZqFieldLink(fieldTable()), extension_(kExtensionOff, {0, 1}),
      offset_(kOffsetOff, {1, 2})
{
}

CSysElem2::~CSysElem2() = default;

// ---- Data link --------------------------------------------------------------

int CSysElem2::SetPageData(int item, std::intptr_t value)
{
    void* pointer = reinterpret_cast<void*>(value);
    switch (item) {
    case kItemBlock:
        if (!pointer) return 0;
        std::memcpy(block_.data(), pointer, block_.size());
        unpackBlock();
        return 1;
    case kItemPenTable: pens_ = pointer; return 1;
    case kItemColourTable: colours_ = pointer; return 1;
    case kItemTipTable: tips_ = pointer; return 1;
    case kItemFontTable: fonts_ = pointer; return 1;
    case kItemPenExTable: penEx_ = pointer; return 1;
    default: return 0;
    }
}

int CSysElem2::GetPageData(int item, void* buffer, int size)
{
    if (item != kItemBlock || !buffer || size != kBlockBytes) return 0;
    packBlock();
    std::memcpy(buffer, block_.data(), block_.size());
    return 1;
}

void CSysElem2::unpackBlock()
{
    for (const BlockEdit& e : kBlockEdits) {
        const double value = e.slot == Slot::F32 ? double(bytes::f32(block_.data(), e.offset))
                                                 : double(bytes::i16(block_.data(), e.offset));
        fieldSet().receive(*fieldSet().byControl(e.control), value);
    }
    extension_.receive(static_cast<int>(bytes::u32(block_.data(), kExtensionWord) & kExtensionMask));
    offset_.receive(bytes::i16(block_.data(), kOffsetChoice));
}

// Writes the shown values into the block; every other byte stays as it came.
void CSysElem2::packBlock()
{
    for (const BlockEdit& e : kBlockEdits) {
        const double value = fieldSet().valueOf(e.control);
        if (e.slot == Slot::F32) bytes::setF32(block_.data(), e.offset, static_cast<float>(value));
        else bytes::setI16(block_.data(), e.offset, static_cast<int16_t>(value));
    }
    const uint32_t word = bytes::u32(block_.data(), kExtensionWord);
    bytes::setU32(block_.data(), kExtensionWord,
                  (word & ~kExtensionMask) | (static_cast<uint32_t>(extension_.hostValue()) & kExtensionMask));
    bytes::setI16(block_.data(), kOffsetChoice, static_cast<int16_t>(offset_.hostValue()));
}

// ---- The page ------------------------------------------------------------------

bool CSysElem2::OnInitDialog()
{
    binder_ = std::make_unique<CZqFieldBinder>(*this, fieldSet());
    binder_->attach();
    extension_.show(*this);
    offset_.show(*this);
    EnableItem(kExtension, true);
    EnableItem(kOffset, true);
    switchEdits();
    return true;
}

// 1409 is on with the second button of group 1301, 1410 with the second
// button of group 1303.
void CSysElem2::switchEdits()
{
    elemlists::switchEdit(*this, *binder_, fieldSet(), kExtension, {kExtensionLabel1, kExtensionLabel2},
                          IsDlgButtonChecked(kExtensionOn));
    elemlists::switchEdit(*this, *binder_, fieldSet(), kOffset, {kOffsetLabel1, kOffsetLabel2},
                          IsDlgButtonChecked(kOffsetOn));
}

bool CSysElem2::OnCommand(int id)
{
    switch (id) {
    case kExtensionOff:
    case kExtensionOn:
    case kOffsetOff:
    case kOffsetOn: switchEdits(); return true;
    case kLineButton: runLineDialog(); return true;
    case kTextButton: runTextDialog(); return true;
    default: return CZqPropertyPage::OnCommand(id);
    }
}

bool CSysElem2::OnKillActive()
{
    return !IsCreated() || binder_->checkAll();
}

void CSysElem2::OnOK()
{
    if (!IsCreated()) return;
    extension_.take(*this);
    offset_.take(*this);
}

void CSysElem2::OnHelp()
{
    hostapi::aapRunDlgHelp(kHelpTopic);
}

// ---- The dimension line and text dialogs ---------------------------------------

void CSysElem2::runLineDialog()
{
    using D = CDimLineDlg;
    unsigned char* b = block_.data();
    const uint32_t word = bytes::u32(b, mobr::dimblock::kLineWord);
    D dialog(this);
    const int layerFlag = elemlists::itemValue(fieldSet(), kItemLayerFlag);
    const int layerColour = elemlists::itemValue(fieldSet(), kItemLayerColour);
    const bool handed =
        dialog.SetPageData(D::kItemPenTable, reinterpret_cast<std::intptr_t>(pens_)) &&
        dialog.SetPageData(D::kItemColourTable, reinterpret_cast<std::intptr_t>(colours_)) &&
        dialog.SetPageData(D::kItemTipTable, reinterpret_cast<std::intptr_t>(tips_)) &&
        dialog.SetPageData(D::kItemPenExTable, reinterpret_cast<std::intptr_t>(penEx_)) &&
        dialog.SetPageInt(D::kItemPen, aw::get(word, aw::kPen)) &&
        dialog.SetPageInt(D::kItemColour, aw::get(word, aw::kColour)) &&
        dialog.SetPageInt(D::kItemFirstTip, aw::get(word, aw::kFirstTip)) &&
        dialog.SetPageInt(D::kItemFirstTip + 1, aw::get(word, aw::kSecondTip)) &&
        dialog.SetPageInt(D::kItemFirstTip + 2, bytes::i16(b, mobr::dimblock::kThirdTip)) &&
        dialog.SetPageInt(D::kItemFirstTip + 3, bytes::i16(b, mobr::dimblock::kFourthTip)) &&
        dialog.SetPageInt(D::kItemAuxiliaryEnds, bytes::i16(b, kAuxiliaryEnds) != 0) &&
        dialog.SetPageInt(D::kItemLayerFlag, layerFlag) && dialog.SetPageInt(D::kItemLayerColour, layerColour);
    int result = 0;
    if (!handed || !dialog.RunDialog(&result) || result != ZQ_RESULT_OK) return;

    int pen = 0, colour = 0, tips[D::kTips] = {}, ends = 0;
    bool read = dialog.GetPageInt(D::kItemPen, &pen) && dialog.GetPageInt(D::kItemColour, &colour) &&
                dialog.GetPageInt(D::kItemAuxiliaryEnds, &ends);
    for (int i = 0; i < D::kTips; ++i) read = read && dialog.GetPageInt(D::kItemFirstTip + i, &tips[i]);
    if (!read) return;
    uint32_t changed = aw::put(aw::put(word, aw::kPen, pen), aw::kColour, colour);
    changed = aw::put(aw::put(changed, aw::kFirstTip, tips[0]), aw::kSecondTip, tips[1]);
    bytes::setU32(b, mobr::dimblock::kLineWord, changed);
    bytes::setI16(b, mobr::dimblock::kThirdTip, static_cast<int16_t>(tips[2]));
    bytes::setI16(b, mobr::dimblock::kFourthTip, static_cast<int16_t>(tips[3]));
    // A switch value other than 0 or 1 stays unless the user changed the box.
    if (ends != (bytes::i16(b, kAuxiliaryEnds) != 0)) bytes::setI16(b, kAuxiliaryEnds, static_cast<int16_t>(ends));
}

bool CSysElem2::handTextValues(CDimTextDlg& dialog)
{
    using D = CDimTextDlg;
    unsigned char* b = block_.data();
    const uint32_t text = bytes::u32(b, mobr::dimblock::kTextWord);
    const uint32_t choices = bytes::u32(b, kExtensionWord);
    const int16_t switches = bytes::i16(b, kTextSwitches);
    bool handed = dialog.SetPageData(D::kItemColourTable, reinterpret_cast<std::intptr_t>(colours_)) &&
                  dialog.SetPageData(D::kItemFontTable, reinterpret_cast<std::intptr_t>(fonts_)) &&
                  dialog.SetPageData(D::kItemPenTable, reinterpret_cast<std::intptr_t>(pens_)) &&
                  dialog.SetPageData(D::kItemPenExTable, reinterpret_cast<std::intptr_t>(penEx_)) &&
                  dialog.SetPageInt(D::kItemColour, aw::get(text, aw::kColour)) &&
                  dialog.SetPageInt(D::kItemFont, aw::get(text, aw::kFont)) &&
                  dialog.SetPageInt(D::kItemPen, aw::get(text, aw::kPen)) &&
                  dialog.SetPageInt(D::kItemPlacement, aw::get(choices, kPlacementBits)) &&
                  dialog.SetPageInt(D::kItemSwitch2, aw::get(choices, kSwitch2Bits) != 0) &&
                  dialog.SetPageInt(D::kItemOrientation, bytes::i16(b, kTextNumber)) &&
                  dialog.SetPageInt(D::kItemSwitch1, switches & 0x1) &&
                  dialog.SetPageInt(D::kItemSwitch3, (switches >> 1) & 0x1) &&
                  dialog.SetPageDouble(D::kItemHundredths1, bytes::i16(b, kHundredths1)) &&
                  dialog.SetPageDouble(D::kItemHundredths2, bytes::i16(b, kHundredths2)) &&
                  dialog.SetPageInt(D::kItemLayerFlag, elemlists::itemValue(fieldSet(), kItemLayerFlag)) &&
                  dialog.SetPageInt(D::kItemLayerColour, elemlists::itemValue(fieldSet(), kItemLayerColour));
    for (int i = 0; i < 4; ++i)
        handed = handed && dialog.SetPageDouble(D::kItemSize1 + i, bytes::f32(b, mobr::dimblock::kTextSizes[i]));
    // The texts go by address: the dialog writes a changed text back there.
    for (int i = 0; i < D::kTexts; ++i)
        handed = handed && dialog.SetPageData(D::kItemFirstText + i, reinterpret_cast<std::intptr_t>(b + kTextFields[i]));
    return handed;
}

void CSysElem2::takeTextValues(CDimTextDlg& dialog)
{
    using D = CDimTextDlg;
    unsigned char* b = block_.data();
    int colour = 0, font = 0, pen = 0, placement = 0, switch2 = 0, orientation = 0, switch1 = 0, switch3 = 0;
    double sizes[4] = {}, h1 = 0.0, h2 = 0.0;
    bool read = dialog.GetPageInt(D::kItemColour, &colour) && dialog.GetPageInt(D::kItemFont, &font) &&
                dialog.GetPageInt(D::kItemPen, &pen) && dialog.GetPageInt(D::kItemPlacement, &placement) &&
                dialog.GetPageInt(D::kItemSwitch2, &switch2) && dialog.GetPageInt(D::kItemOrientation, &orientation) &&
                dialog.GetPageInt(D::kItemSwitch1, &switch1) && dialog.GetPageInt(D::kItemSwitch3, &switch3) &&
                dialog.GetPageDouble(D::kItemHundredths1, &h1) && dialog.GetPageDouble(D::kItemHundredths2, &h2);
    for (int i = 0; i < 4; ++i) read = read && dialog.GetPageDouble(D::kItemSize1 + i, &sizes[i]);
    if (!read) return;
    const uint32_t text = bytes::u32(b, mobr::dimblock::kTextWord);
    bytes::setU32(b, mobr::dimblock::kTextWord,
                  aw::put(aw::put(aw::put(text, aw::kColour, colour), aw::kFont, font), aw::kPen, pen));
    const uint32_t choices = bytes::u32(b, kExtensionWord);
    uint32_t word = aw::put(choices, kPlacementBits, placement);
    // A switch value other than 0 or 1 stays unless the user changed the box.
    if (switch2 != (aw::get(choices, kSwitch2Bits) != 0)) word = aw::put(word, kSwitch2Bits, switch2);
    bytes::setU32(b, kExtensionWord, word);
    bytes::setI16(b, kTextNumber, static_cast<int16_t>(orientation));
    const int16_t switches = bytes::i16(b, kTextSwitches);
    bytes::setI16(b, kTextSwitches, static_cast<int16_t>((switches & ~0x3) | (switch1 & 0x1) | ((switch3 & 0x1) << 1)));
    // The dialog gives hundredths back already rounded.
    bytes::setI16(b, kHundredths1, static_cast<int16_t>(h1));
    bytes::setI16(b, kHundredths2, static_cast<int16_t>(h2));
    for (int i = 0; i < 4; ++i) bytes::setF32(b, mobr::dimblock::kTextSizes[i], static_cast<float>(sizes[i]));
}

void CSysElem2::runTextDialog()
{
    CDimTextDlg dialog(this);
    int result = 0;
    if (handTextValues(dialog) && dialog.RunDialog(&result) && result == ZQ_RESULT_OK) takeTextValues(dialog);
}
