// System settings: the aatSysInf blocks, the get and set pairs, system and
// sketch colours, recent files, and the start-up answers.

#include <cmath>
#include <cstring>

#include "api/Families.h"
#include "api/HostRuntime.h"
#include "api/SettingsAccess.h"
#include "model/ByteAccess.h"
#include "model/FigureModel.h"
#include "platform/CodePage.h"

namespace mobrhost {

namespace {

// The system colour table handed out by aatSysGetColInfo: a token, checked
// on every use.
char systemColourTable = 0;

bool validComponent(int32_t c) { return c >= 0 && c <= 255; }

int32_t getDouble(const char* key, double* out)
{
    if (!out) return -1;
    *out = settings().number(key);
    return 0;
}

}  // namespace

// --- blocks ----------------------------------------------------------------

int32_t aatSysInfActiveChangeMode(int32_t mode, void* block) { return exchangeBlock("aatSysInfActiveChangeMode", mode, block); }
int32_t aatSysInfAtrMode(int32_t mode, void* block) { return exchangeBlock("aatSysInfAtrMode", mode, block); }
int32_t aatSysInfCdim(int32_t mode, void* block) { return exchangeBlock("aatSysInfCdim", mode, block); }
int32_t aatSysInfCharBox(int32_t mode, void* block) { return exchangeBlock("aatSysInfCharBox", mode, block); }
int32_t aatSysInfCharSizeMode(int32_t mode, void* block) { return exchangeBlock("aatSysInfCharSizeMode", mode, block); }
int32_t aatSysInfCmdRunBtn(int32_t mode, void* block) { return exchangeBlock("aatSysInfCmdRunBtn", mode, block); }
int32_t aatSysInfDelconf(int32_t mode, void* block) { return exchangeBlock("aatSysInfDelconf", mode, block); }
int32_t aatSysInfDimFigureHold(int32_t mode, void* block) { return exchangeBlock("aatSysInfDimFigureHold", mode, block); }
int32_t aatSysInfDrwEllipseDivAngle(int32_t mode, void* block) { return exchangeBlock("aatSysInfDrwEllipseDivAngle", mode, block); }
int32_t aatSysInfDrwPenPitchMode(int32_t mode, void* block) { return exchangeBlock("aatSysInfDrwPenPitchMode", mode, block); }
int32_t aatSysInfEDsp(int32_t mode, void* block) { return exchangeBlock("aatSysInfEDsp", mode, block); }
// The error distance belongs to the current figure (aatFigSetErrDist writes
// it there), so the block reads and writes that figure's value; the settings
// block is only the fallback when no figure is open.
int32_t aatSysInfErrdst(int32_t mode, void* block)
{
    Figure* figure = FigureModel::instance().figure(session().currentFigure());
    if (!figure) return exchangeBlock("aatSysInfErrdst", mode, block);
    if (!block) return -1;
    if (mode == kRead) {
        std::memcpy(block, &figure->errorDistance, sizeof(double));
    } else if (mode == kWrite) {
        double distance = 0.0;
        std::memcpy(&distance, block, sizeof distance);
        if (!std::isfinite(distance) || distance <= 0.0) return -1;
        figure->errorDistance = distance;
        figure->changed = true;
    } else {
        return -1;
    }
    return 0;
}
int32_t aatSysInfFlags(int32_t mode, void* block) { return exchangeBlock("aatSysInfFlags", mode, block); }
int32_t aatSysInfMdclose(int32_t mode, void* block) { return exchangeBlock("aatSysInfMdclose", mode, block); }
int32_t aatSysInfMdgt(int32_t mode, void* block) { return exchangeBlock("aatSysInfMdgt", mode, block); }
int32_t aatSysInfNumFrmType(int32_t mode, void* block) { return exchangeBlock("aatSysInfNumFrmType", mode, block); }
int32_t aatSysInfRdot(int32_t mode, void* block) { return exchangeBlock("aatSysInfRdot", mode, block); }
int32_t aatSysInfSchBox(int32_t mode, void* block) { return exchangeBlock("aatSysInfSchBox", mode, block); }
int32_t aatSysInfSymb(int32_t mode, void* block) { return exchangeBlock("aatSysInfSymb", mode, block); }
int32_t aatSysInfTBarAutoMoveMode(int32_t mode, void* block) { return exchangeBlock("aatSysInfTBarAutoMoveMode", mode, block); }
int32_t aatSysInfTBarMoveMode(int32_t mode, void* block) { return exchangeBlock("aatSysInfTBarMoveMode", mode, block); }
int32_t aatSysInfToolBarGrip(int32_t mode, void* block) { return exchangeBlock("aatSysInfToolBarGrip", mode, block); }
int32_t aatSysInfToolBarStyle(int32_t mode, void* block) { return exchangeBlock("aatSysInfToolBarStyle", mode, block); }
int32_t aatSysInfWaittime(int32_t mode, void* block) { return exchangeBlock("aatSysInfWaittime", mode, block); }
int32_t aatSysInfWintitle(int32_t mode, void* block) { return exchangeBlock("aatSysInfWintitle", mode, block); }
int32_t aatRubAngMode(int32_t mode, void* block) { return exchangeBlock("aatRubAngMode", mode, block); }

short aatSysInfCFigno(int32_t mode, short* fig)
{
    if (mode != kFigureNumber) return -1;
    const short current = session().currentFigure();
    if (fig) *fig = current;
    return current;
}

int32_t aatSysInfVratio(int32_t mode, double* r1, double* r2, double* r3)
{
    if (!r1 || !r2 || !r3) return -1;
    double* values[] = {r1, r2, r3};
    const char* keys[] = {"Vratio1", "Vratio2", "Vratio3"};
    if (mode == kRead) {
        for (int i = 0; i < 3; ++i) *values[i] = settings().number(keys[i]);
        return 0;
    }
    if (mode != kWrite) return -1;
    for (double* v : values) {
        if (!std::isfinite(*v) || *v <= 0) return -1;   // a ratio is positive
    }
    for (int i = 0; i < 3; ++i) settings().setNumber(keys[i], *values[i]);
    return 0;
}

int32_t aatSysStsFile(int32_t mode, int32_t slot, void* status)
{
    if (!status || slot < 0 || slot >= SystemSettings::kRecentFiles) return -1;
    auto* bytes = static_cast<unsigned char*>(status);
    char* name = reinterpret_cast<char*>(bytes + mobr::kHostFileStatusNameOffset);
    const std::size_t room = mobr::kHostFileStatusBytes - mobr::kHostFileStatusNameOffset;
    if (mode == kRead) {
        std::memset(bytes, 0, mobr::kHostFileStatusBytes);
        mobr::cp932::copyToBuffer(settings().recentFile(slot), name, room);
        return 0;
    }
    if (mode != kWrite) return -1;
    settings().recentFile(slot).assign(name, strnlen(name, room - 1));
    return 0;
}

// --- start-up answers -------------------------------------------------------

int32_t aatSysGetBoot() { return hostStart().bootState; }
int32_t aatOpCmdGetStatus() { return hostStart().commandStatus; }
int32_t aatSysGetLoginUser() { return hostStart().loginUser; }

// --- get and set pairs ------------------------------------------------------

int32_t aatSysGetApproxArcTol(double* tolerance) { return getDouble("ApproxArcTol", tolerance); }
int32_t aatSysSetApproxArcTol(double tolerance)
{
    if (!std::isfinite(tolerance) || tolerance <= 0) return -1;
    settings().setNumber("ApproxArcTol", tolerance);
    return 0;
}
int32_t aatSysGetApproxBiArc(int32_t* on)
{
    if (!on) return -1;
    *on = settings().integer("ApproxBiArc");
    return 0;
}
int32_t aatSysSetApproxBiArc(int32_t on) { return setSwitch("ApproxBiArc", on); }
int32_t aatSysGetDimVaryLay() { return settings().integer("DimVaryLay"); }
int32_t aatSysSetDimVaryLay(int32_t mode)
{
    if (mode < 0 || mode > 2) return -1;
    settings().setNumber("DimVaryLay", mode);
    return 0;
}
int32_t aatSysGetExtDist(double* distance) { return getDouble("ExtDist", distance); }
int32_t aatSysSetExtDist(double distance)
{
    if (!std::isfinite(distance) || distance < 0) return -1;
    settings().setNumber("ExtDist", distance);
    return 0;
}
int32_t aatSysGetPosXYCls() { return bytes::read<int16_t>(settings().block("aatSysInfFlags"), 62); }
int32_t aatSysGetRecogPenType() { return settings().integer("RecogPenType"); }
int32_t aatSysSetRecogPenType(int32_t type)
{
    if (type < 0) return -1;
    settings().setNumber("RecogPenType", type);
    return 0;
}
int32_t aatSysGetSaveFileExtCheck() { return settings().integer("SaveFileExtCheck"); }
int32_t aatSysSetSaveFileExtCheck(int32_t on) { return setSwitch("SaveFileExtCheck", on); }
int32_t aatSysGetSplMode() { return settings().integer("SplMode"); }
int32_t aatSysSetSplMode(int32_t mode)
{
    if (mode < 0) return -1;
    settings().setNumber("SplMode", mode);
    return 0;
}
int32_t aatGetMakeDrag() { return settings().integer("MakeDrag"); }
int32_t aatSetMakeDrag(int32_t on) { return setSwitch("MakeDrag", on); }
short aapGetRecMdef() { return static_cast<short>(settings().integer("RecMdef")); }
int32_t aapSetRecMdef(short mode)
{
    if (mode < 0) return -1;
    settings().setNumber("RecMdef", mode);
    return 0;
}
int32_t aauSysCLineDist(int32_t write, double* distance)
{
    if (!distance) return -1;
    if (write == 0) return getDouble("CLineDist", distance);
    if (write != 1 || !std::isfinite(*distance) || *distance < 0) return -1;
    settings().setNumber("CLineDist", *distance);
    return 0;
}

// --- sketch -----------------------------------------------------------------

int32_t aatSysGetSktCharSize(int32_t* first, int32_t* second)
{
    if (!first || !second) return -1;
    *first = settings().integer("SktCharSize1");
    *second = settings().integer("SktCharSize2");
    return 0;
}
int32_t aatSysSetSktCharSize(int32_t first, int32_t second)
{
    if (first <= 0 || second <= 0) return -1;
    settings().setNumber("SktCharSize1", first);
    settings().setNumber("SktCharSize2", second);
    return 0;
}
int32_t aatSysGetSktColor(int32_t which, int32_t* red, int32_t* green, int32_t* blue)
{
    if (which < 1 || which > SystemSettings::kSketchColours || !red || !green || !blue) return -1;
    const Rgb& c = settings().sketchColour(which);
    *red = c.red;
    *green = c.green;
    *blue = c.blue;
    return 0;
}
int32_t aatSysSetSktColor(int32_t which, int32_t red, int32_t green, int32_t blue)
{
    if (which < 1 || which > SystemSettings::kSketchColours) return -1;
    if (!validComponent(red) || !validComponent(green) || !validComponent(blue)) return -1;
    settings().sketchColour(which) = Rgb{red, green, blue};
    return 0;
}
int32_t aatSysGetSktDimValueDigits() { return settings().integer("SktDimValueDigits"); }
int32_t aatSysSetSktDimValueDigits(int32_t digits)
{
    if (digits < 0 || digits > 8) return -1;
    settings().setNumber("SktDimValueDigits", digits);
    return 0;
}
int32_t aatSysGetSktDispRubValue() { return settings().integer("SktDispRubValue"); }
int32_t aatSysSetSktDispRubValue(int32_t on) { return setSwitch("SktDispRubValue", on); }
int32_t aatSysGetSktGrid(double* g1, double* g2, double* g3, double* g4, int32_t* g5, int32_t* g6)
{
    if (!g1 || !g2 || !g3 || !g4 || !g5 || !g6) return -1;
    *g1 = settings().number("SktGrid1");
    *g2 = settings().number("SktGrid2");
    *g3 = settings().number("SktGrid3");
    *g4 = settings().number("SktGrid4");
    *g5 = settings().integer("SktGrid5");
    *g6 = settings().integer("SktGrid6");
    return 0;
}
int32_t aatSysSetSktGrid(double g1, double g2, double g3, double g4, int32_t g5, int32_t g6)
{
    for (double g : {g1, g2, g3, g4}) {
        if (!std::isfinite(g)) return -1;
    }
    if (g1 < 0 || g2 < 0) return -1;   // grid pitches
    settings().setNumber("SktGrid1", g1);
    settings().setNumber("SktGrid2", g2);
    settings().setNumber("SktGrid3", g3);
    settings().setNumber("SktGrid4", g4);
    settings().setNumber("SktGrid5", g5);
    settings().setNumber("SktGrid6", g6);
    return 0;
}
int32_t aatSysGetSktLimitDots() { return settings().integer("SktLimitDots"); }
int32_t aatSysSetSktLimitDots(int32_t dots)
{
    if (dots < 1) return -1;
    settings().setNumber("SktLimitDots", dots);
    return 0;
}
int32_t aatSysGetSktTip() { return settings().integer("SktTip"); }
int32_t aatSysSetSktTip(int32_t tip)
{
    if (tip < 0) return -1;
    settings().setNumber("SktTip", tip);
    return 0;
}
int32_t aatSysSktInfFlush()
{
    // The sketch settings take effect: the sketch views are drawn again.
    settings().setNumber("Run.SketchFlushes", settings().number("Run.SketchFlushes") + 1);
    session().redraw(-1);
    return 0;
}

// --- system colours ---------------------------------------------------------

void* aatSysGetColInfo()
{
    nameStableHandle(&systemColourTable, "sysColours");
    return &systemColourTable;
}

int32_t aatSysColGetRGB(void* info, int32_t index, int32_t* red, int32_t* green, int32_t* blue)
{
    if (info != &systemColourTable || index < 0 || index >= SystemSettings::kSystemColours) return -1;
    if (!red || !green || !blue) return -1;
    const Rgb& c = settings().systemColour(index);
    *red = c.red;
    *green = c.green;
    *blue = c.blue;
    return 0;
}

int32_t aatSysColSetRGB(void* info, int32_t index, int32_t red, int32_t green, int32_t blue)
{
    if (info != &systemColourTable || index < 0 || index >= SystemSettings::kSystemColours) return -1;
    if (!validComponent(red) || !validComponent(green) || !validComponent(blue)) return -1;
    settings().systemColour(index) = Rgb{red, green, blue};
    return 0;
}

int32_t aatSysColRestore()
{
    session().systemColoursChanged();
    return 0;
}

void registerSysApi()
{
    MOBR_HOST_IMPLEMENT(aatSysInfActiveChangeMode);
    MOBR_HOST_IMPLEMENT(aatSysInfAtrMode);
    MOBR_HOST_IMPLEMENT(aatSysInfCdim);
    MOBR_HOST_IMPLEMENT(aatSysInfCharBox);
    MOBR_HOST_IMPLEMENT(aatSysInfCharSizeMode);
    MOBR_HOST_IMPLEMENT(aatSysInfCmdRunBtn);
    MOBR_HOST_IMPLEMENT(aatSysInfDelconf);
    MOBR_HOST_IMPLEMENT(aatSysInfDimFigureHold);
    MOBR_HOST_IMPLEMENT(aatSysInfDrwEllipseDivAngle);
    MOBR_HOST_IMPLEMENT(aatSysInfDrwPenPitchMode);
    MOBR_HOST_IMPLEMENT(aatSysInfEDsp);
    MOBR_HOST_IMPLEMENT(aatSysInfErrdst);
    MOBR_HOST_IMPLEMENT(aatSysInfFlags);
    MOBR_HOST_IMPLEMENT(aatSysInfMdclose);
    MOBR_HOST_IMPLEMENT(aatSysInfMdgt);
    MOBR_HOST_IMPLEMENT(aatSysInfNumFrmType);
    MOBR_HOST_IMPLEMENT(aatSysInfRdot);
    MOBR_HOST_IMPLEMENT(aatSysInfSchBox);
    MOBR_HOST_IMPLEMENT(aatSysInfSymb);
    MOBR_HOST_IMPLEMENT(aatSysInfTBarAutoMoveMode);
    MOBR_HOST_IMPLEMENT(aatSysInfTBarMoveMode);
    MOBR_HOST_IMPLEMENT(aatSysInfToolBarGrip);
    MOBR_HOST_IMPLEMENT(aatSysInfToolBarStyle);
    MOBR_HOST_IMPLEMENT(aatSysInfWaittime);
    MOBR_HOST_IMPLEMENT(aatSysInfWintitle);
    MOBR_HOST_IMPLEMENT(aatRubAngMode);
    MOBR_HOST_IMPLEMENT(aatSysInfCFigno);
    MOBR_HOST_IMPLEMENT(aatSysInfVratio);
    MOBR_HOST_IMPLEMENT(aatSysStsFile);
    MOBR_HOST_IMPLEMENT(aatSysGetBoot);
    MOBR_HOST_IMPLEMENT(aatOpCmdGetStatus);
    MOBR_HOST_IMPLEMENT(aatSysGetLoginUser);
    MOBR_HOST_IMPLEMENT(aatSysGetApproxArcTol);
    MOBR_HOST_IMPLEMENT(aatSysSetApproxArcTol);
    MOBR_HOST_IMPLEMENT(aatSysGetApproxBiArc);
    MOBR_HOST_IMPLEMENT(aatSysSetApproxBiArc);
    MOBR_HOST_IMPLEMENT(aatSysGetDimVaryLay);
    MOBR_HOST_IMPLEMENT(aatSysSetDimVaryLay);
    MOBR_HOST_IMPLEMENT(aatSysGetExtDist);
    MOBR_HOST_IMPLEMENT(aatSysSetExtDist);
    MOBR_HOST_IMPLEMENT(aatSysGetPosXYCls);
    MOBR_HOST_IMPLEMENT(aatSysGetRecogPenType);
    MOBR_HOST_IMPLEMENT(aatSysSetRecogPenType);
    MOBR_HOST_IMPLEMENT(aatSysGetSaveFileExtCheck);
    MOBR_HOST_IMPLEMENT(aatSysSetSaveFileExtCheck);
    MOBR_HOST_IMPLEMENT(aatSysGetSplMode);
    MOBR_HOST_IMPLEMENT(aatSysSetSplMode);
    MOBR_HOST_IMPLEMENT(aatGetMakeDrag);
    MOBR_HOST_IMPLEMENT(aatSetMakeDrag);
    MOBR_HOST_IMPLEMENT(aapGetRecMdef);
    MOBR_HOST_IMPLEMENT(aapSetRecMdef);
    MOBR_HOST_IMPLEMENT(aauSysCLineDist);
    MOBR_HOST_IMPLEMENT(aatSysGetSktCharSize);
    MOBR_HOST_IMPLEMENT(aatSysSetSktCharSize);
    MOBR_HOST_IMPLEMENT(aatSysGetSktColor);
    MOBR_HOST_IMPLEMENT(aatSysSetSktColor);
    MOBR_HOST_IMPLEMENT(aatSysGetSktDimValueDigits);
    MOBR_HOST_IMPLEMENT(aatSysSetSktDimValueDigits);
    MOBR_HOST_IMPLEMENT(aatSysGetSktDispRubValue);
    MOBR_HOST_IMPLEMENT(aatSysSetSktDispRubValue);
    MOBR_HOST_IMPLEMENT(aatSysGetSktGrid);
    MOBR_HOST_IMPLEMENT(aatSysSetSktGrid);
    MOBR_HOST_IMPLEMENT(aatSysGetSktLimitDots);
    MOBR_HOST_IMPLEMENT(aatSysSetSktLimitDots);
    MOBR_HOST_IMPLEMENT(aatSysGetSktTip);
    MOBR_HOST_IMPLEMENT(aatSysSetSktTip);
    MOBR_HOST_IMPLEMENT(aatSysSktInfFlush);
    MOBR_HOST_IMPLEMENT(aatSysGetColInfo);
    MOBR_HOST_IMPLEMENT(aatSysColGetRGB);
    MOBR_HOST_IMPLEMENT(aatSysColSetRGB);
    MOBR_HOST_IMPLEMENT(aatSysColRestore);
}

}  // namespace mobrhost
