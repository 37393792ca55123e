// Attribute displays and attribute modes: refresh requests, the colour mode
// of a figure, the line mode byte, the mark families of the attribute-mode
// slots.

#include "api/Families.h"
#include "api/HostRuntime.h"
#include "api/SettingsAccess.h"
#include "model/AttributeMarks.h"
#include "model/FigureModel.h"
#include "platform/CodePage.h"

namespace mobrhost {

namespace {

int32_t markToIndex(int family, int32_t ctl, int32_t ch)
{
    return AttributeMarks::charToIndex(family, ctl, ch);
}

int32_t markToChar(int family, int32_t ctl, int32_t index, char* label)
{
    std::string text;
    const int ch = AttributeMarks::indexToChar(family, ctl, index, &text);
    if (label) mobr::cp932::copyToBuffer(ch < 0 ? std::string() : text, label, mobr::kHostLabelBytes);
    return ch;
}

}  // namespace

int32_t aatAtrDisp(int32_t what)
{
    session().attributeDisplay("main", what);
    return 0;
}
int32_t aatAtrSubDsp_Disp(int32_t what)
{
    session().attributeDisplay("sub", what);
    return 0;
}
int32_t aatAtrUpdate(int32_t id)
{
    session().attributeDisplay("one", id);
    return 0;
}
int32_t aatAtrUpdate_All()
{
    session().attributeDisplay("all", -1);
    return 0;
}

// The colour mode is the figure's own ('P' pen colours, 'L' layer colours):
// it is stored with the figure and travels in its file and JSON.
int32_t aatAtrColMod(int32_t mode, short fig, char* modeChar)
{
    Figure* figure = modeChar ? FigureModel::instance().figure(fig) : nullptr;
    if (!figure) return -1;
    if (mode == kRead) {
        *modeChar = figure->colourMode;
        return 0;
    }
    if (mode != kWrite || (*modeChar != 'L' && *modeChar != 'P')) return -1;
    figure->colourMode = *modeChar;
    figure->changed = true;
    return 0;
}

int32_t aatAtrModSlin(int32_t mode, int32_t index, void* byte)
{
    if (index != 0) return -1;
    return exchangeBlock("aatAtrModSlin", mode, byte);
}

int32_t aatAtrModeCtrl(int32_t slot, int32_t* ctl)
{
    int32_t value = 0;
    const int family = AttributeMarks::family(slot, &value);
    if (ctl) *ctl = value;
    return family;
}

int32_t aatAtrMakMode1_Count(int32_t ctl) { return AttributeMarks::count(1, ctl); }
int32_t aatAtrMakMode1_ChrToIdx(int32_t ctl, int32_t ch) { return markToIndex(1, ctl, ch); }
int32_t aatAtrMakMode2_ChrToIdx(int32_t ctl, int32_t ch) { return markToIndex(2, ctl, ch); }
int32_t aatAtrMakMode3_ChrToIdx(int32_t ctl, int32_t ch) { return markToIndex(3, ctl, ch); }
int32_t aatAtrMakMode1_IdxToChr(int32_t ctl, int32_t index, char* label) { return markToChar(1, ctl, index, label); }
int32_t aatAtrMakMode2_IdxToChr(int32_t ctl, int32_t index, char* label) { return markToChar(2, ctl, index, label); }
int32_t aatAtrMakMode3_IdxToChr(int32_t ctl, int32_t index, char* label) { return markToChar(3, ctl, index, label); }

void registerAtrApi()
{
    MOBR_HOST_IMPLEMENT(aatAtrDisp);
    MOBR_HOST_IMPLEMENT(aatAtrSubDsp_Disp);
    MOBR_HOST_IMPLEMENT(aatAtrUpdate);
    MOBR_HOST_IMPLEMENT(aatAtrUpdate_All);
    MOBR_HOST_IMPLEMENT(aatAtrColMod);
    MOBR_HOST_IMPLEMENT(aatAtrModSlin);
    MOBR_HOST_IMPLEMENT(aatAtrModeCtrl);
    MOBR_HOST_IMPLEMENT(aatAtrMakMode1_Count);
    MOBR_HOST_IMPLEMENT(aatAtrMakMode1_ChrToIdx);
    MOBR_HOST_IMPLEMENT(aatAtrMakMode2_ChrToIdx);
    MOBR_HOST_IMPLEMENT(aatAtrMakMode3_ChrToIdx);
    MOBR_HOST_IMPLEMENT(aatAtrMakMode1_IdxToChr);
    MOBR_HOST_IMPLEMENT(aatAtrMakMode2_IdxToChr);
    MOBR_HOST_IMPLEMENT(aatAtrMakMode3_IdxToChr);
}

}  // namespace mobrhost
