#include "model/SystemSettings.h"

#include "model/ByteAccess.h"

namespace mobrhost {

void SearchTable::refreshBytes()
{
    bytes.fill(0);
    const std::size_t n = name.size() < mobr::kHostNameBytes ? name.size() : mobr::kHostNameBytes - 1;
    for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<unsigned char>(name[i]);
    for (std::size_t k = 0; k < kinds.size(); ++k) {
        bytes::write<uint16_t>(bytes.data(), mobr::kHostNameBytes + 2 * k, kinds[k]);
    }
}

const std::vector<BlockSpec>& SystemSettings::blockSpecs()
{
    static const std::vector<BlockSpec> specs = {
        {"aatSysInfActiveChangeMode", mobr::kHostSettingsBlockBytes},
        {"aatSysInfAtrMode", mobr::kHostAtrModeBytes},
        {"aatSysInfCdim", mobr::kHostDimBlockBytes},
        {"aatSysInfCharBox", mobr::kHostSettingsBlockBytes},
        {"aatSysInfCharSizeMode", mobr::kHostSettingsBlockBytes},
        {"aatSysInfCmdRunBtn", mobr::kHostSettingsBlockBytes},
        {"aatSysInfDelconf", 2},
        {"aatSysInfDimFigureHold", 2},
        {"aatSysInfDrwEllipseDivAngle", mobr::kHostSettingsBlockBytes},
        {"aatSysInfDrwPenPitchMode", mobr::kHostSettingsBlockBytes},
        {"aatSysInfEDsp", 8},
        {"aatSysInfErrdst", 8},
        {"aatSysInfFlags", mobr::kHostSettingsBlockBytes},
        {"aatSysInfMdclose", 2},
        {"aatSysInfMdgt", 2},
        {"aatSysInfNumFrmType", 2},
        {"aatSysInfRdot", mobr::kHostSettingsBlockBytes},
        {"aatSysInfSchBox", mobr::kHostSettingsBlockBytes},
        {"aatSysInfSymb", 16},
        {"aatSysInfTBarAutoMoveMode", mobr::kHostSettingsBlockBytes},
        {"aatSysInfTBarMoveMode", mobr::kHostSettingsBlockBytes},
        {"aatSysInfToolBarGrip", mobr::kHostSettingsBlockBytes},
        {"aatSysInfToolBarStyle", mobr::kHostSettingsBlockBytes},
        {"aatSysInfWaittime", mobr::kHostSettingsBlockBytes},
        {"aatSysInfWintitle", mobr::kHostSettingsBlockBytes},
        {"aatDrwCharBox", mobr::kHostSettingsBlockBytes},
        {"aatRubAngMode", 2},
        {"aatAtrModSlin", 1},
    };
    return specs;
}

std::size_t SystemSettings::blockSize(const std::string& name)
{
    for (const BlockSpec& s : blockSpecs()) {
        if (name == s.name) return s.size;
    }
    return 0;
}

unsigned char* SystemSettings::block(const std::string& name)
{
    auto it = blocks_.find(name);
    return it == blocks_.end() ? nullptr : it->second.data();
}

const unsigned char* SystemSettings::block(const std::string& name) const
{
    auto it = blocks_.find(name);
    return it == blocks_.end() ? nullptr : it->second.data();
}

double SystemSettings::number(const std::string& key) const
{
    auto it = numbers_.find(key);
    return it == numbers_.end() ? 0.0 : it->second;
}

std::string SystemSettings::text(const std::string& key) const
{
    auto it = texts_.find(key);
    return it == texts_.end() ? std::string() : it->second;
}

void SystemSettings::setDefaultFolders(const std::string& systemFolder)
{
    templateFolders_ = {{"Standard", systemFolder + "template/"}, {"Work", systemFolder + "work/"}};
    workFolders_ = {{"Work", systemFolder + "work/"}};
    figTempFolders_ = {{"", systemFolder + "temp/"}};
}

SystemSettings::SystemSettings()
{
    for (const BlockSpec& s : blockSpecs()) blocks_[s.name].assign(s.size, 0);

    auto i16 = [this](const char* name, std::size_t offset, int16_t v) { bytes::write(block(name), offset, v); };
    auto i32 = [this](const char* name, std::size_t offset, int32_t v) { bytes::write(block(name), offset, v); };
    auto f64 = [this](const char* name, std::size_t offset, double v) { bytes::write(block(name), offset, v); };

    i32("aatSysInfActiveChangeMode", 0, 0);
    i16("aatSysInfCharBox", 0, 10);
    i16("aatSysInfCharSizeMode", 0, 0);
    i16("aatSysInfCmdRunBtn", 0, 1);
    i16("aatSysInfDelconf", 0, 1);
    i16("aatSysInfDimFigureHold", 0, 0);
    f64("aatSysInfDrwEllipseDivAngle", 0, 5.0);
    i32("aatSysInfDrwPenPitchMode", 0, 1);
    f64("aatSysInfEDsp", 0, 3.0);   // one double: a whole number of 1 to 99
    f64("aatSysInfErrdst", 0, 0.001);
    i16("aatSysInfFlags", 24, 1);   // navigation mode
    i16("aatSysInfFlags", 26, 0);
    i16("aatSysInfFlags", 32, 1);   // flag A
    i16("aatSysInfFlags", 34, 0);   // flag B
    i16("aatSysInfFlags", 62, 0);   // coordinate class
    i16("aatSysInfMdclose", 0, 0);
    i16("aatSysInfMdgt", 0, 3);
    i16("aatSysInfRdot", 0, 5);
    i16("aatSysInfSchBox", 0, 1);
    i16("aatSysInfSymb", 2, 1);
    f64("aatSysInfSymb", 4, 1.0);   // bytes 4 to 11: one double, 0.01 to 999
    i16("aatSysInfTBarAutoMoveMode", 0, 0);
    i16("aatSysInfTBarMoveMode", 0, 1);
    i16("aatSysInfToolBarGrip", 0, 1);
    i16("aatSysInfToolBarStyle", 0, 1);
    f64("aatSysInfWaittime", 0, 0.5);
    i16("aatSysInfWintitle", 0, 1);
    i16("aatDrwCharBox", 0, 0);
    i16("aatRubAngMode", 0, 1);

    // Dimension block: value kind, digits, two placement modes, flag bits,
    // text height and gap as doubles at the front.
    f64("aatSysInfCdim", 0, 3.5);
    f64("aatSysInfCdim", 8, 1.0);
    i16("aatSysInfCdim", 88, 0);
    i16("aatSysInfCdim", 90, 2);
    i16("aatSysInfCdim", 168, 1);
    i16("aatSysInfCdim", 178, 0);
    i16("aatSysInfCdim", 180, 0);

    // Attribute modes: slot 0 holds the default point mode code; the other
    // slots one mark character of their family (see AttributeMarks).
    unsigned char* atr = block("aatSysInfAtrMode");
    for (int slot = 0; slot < kAttributeSlots; ++slot) atr[slot] = (slot % 2) ? '0' : '1';
    atr[0] = 'A';
    atr[1] = '+';
    atr[7] = '1';
    atr[8] = atr[23] = atr[24] = 'N';

    const std::map<std::string, double> numbers = {
        {"ApproxArcTol", 0.01}, {"ApproxBiArc", 0},     {"CLineDist", 3.0},
        {"CurrentFigure", 1},   {"DimVaryLay", 0},      {"DispWidthHundredths", 25},
        {"DispWidthSetting", 1}, {"ElemFlush", 0},      {"ExtDist", 2.0},
        {"MakeDrag", 1},        {"Navi", 1},            {"NaviCursor", 1},
        {"PartsRecog", 1},      {"PenMode", 1},         {"PLank0", 'A'},
        {"PModeInpType", 0},    {"PModeUsed", 0x17F},   {"PointType", 2},
        {"PosXYCls", 0},        {"RecMdef", 0},         {"RecogPenType", 0},
        {"SaveFileExtCheck", 1}, {"SchTableMax", 10},   {"SktCharSize1", 3},
        {"SktCharSize2", 5},    {"SktDimValueDigits", 2}, {"SktDispRubValue", 1},
        {"SktGrid1", 10.0},     {"SktGrid2", 10.0},     {"SktGrid3", 0.0},
        {"SktGrid4", 0.0},      {"SktGrid5", 1},        {"SktGrid6", 0},
        {"SktLimitDots", 5},    {"SktTip", 1},          {"SplMode", 0},
        {"UserTempCurDir", 1},  {"Vratio1", 1.0},       {"Vratio2", 2.0},
        {"Vratio3", 3.0},       {"WidthMode", 0},
    };
    numbers_ = numbers;
    texts_["UserTemplate"] = "MOBRSTD.INI";
    texts_["PModeSort"] = "AFPXSGM0";

    for (int i = 0; i < kSystemColours; ++i) {
        systemColours_[static_cast<std::size_t>(i)] = Rgb{(i * 37) % 256, (i * 91) % 256, (i * 53) % 256};
    }
    systemColours_[0] = Rgb{0, 0, 0};          // drawing
    systemColours_[1] = Rgb{0, 0, 255};        // selection
    systemColours_[2] = Rgb{255, 255, 255};    // background
    sketchColours_ = {Rgb{255, 0, 0}, Rgb{0, 128, 0}, Rgb{0, 0, 255}, Rgb{128, 128, 128}};

    // One value parameter in the user table.
    bytes::write<int16_t>(comNumUser_.data(), 0, 1);
    std::memcpy(comNumUser_.data() + 2, "LEN", 3);
    bytes::write<double>(comNumUser_.data(), 14, 100.0);
    refParameters_ = {{"PI", "Circle ratio", 3.14159265358979}, {"SQ2", "Root of two", 1.4142135623731},
                      {"SCALE", "Drawing scale", 1.0}};

    for (SearchTable& t : searchTables_) t.kinds.fill(0xFFFF);
    searchTables_[0].name = "Base";
    searchTables_[0].kinds[0] = 0;
    searchTables_[0].kinds[1] = 1;
    searchTables_[0].kinds[2] = 2;
    searchTables_[0].kinds[3] = 9;
    searchTables_[0].kinds[4] = 3;
    searchTables_[1].name = "User0";
    searchTables_[1].kinds[0] = 1;
    searchTables_[1].kinds[1] = 4;
    for (SearchTable& t : searchTables_) t.refreshBytes();

    static const char kInput[] = "CAFNMXPSNNN0NNN";
    for (auto& table : inputTables_) {
        table.fill(0);
        std::memcpy(table.data(), kInput, sizeof kInput - 1);
    }
}

}  // namespace mobrhost
