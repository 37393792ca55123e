#pragma once

// The attribute tables of a figure as a file's tables and entities ask for
// them: line types become pens (one pen per line type and lineweight pair),
// lineweights widths, index and true colours colours, text styles fonts and
// layers the figure's 16 x 16 layers. Entries are made on first use; names
// are fitted to the host's fields and every change is reported.

#include <array>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "DxfReport.h"
#include "DxfText.h"
#include "model/Figure.h"

namespace mobrdxf {

// An entity's own attributes as the file gives them.
struct RawAttributes {
    std::string layer;      // UTF-8
    int aci = 256;          // 256 by layer, 0 by block
    int trueColour = -1;    // 0xRRGGBB, -1 none
    std::string lineType;   // UTF-8; "BYLAYER", "BYBLOCK" or a name
    int lineWeight = -1;    // hundredths of a millimetre; -1 by layer, -2 by block, -3 default
};

// Attributes resolved to the figure's numbers.
struct Resolved {
    int layerSlot = 0;      // group * 16 + layer
    int colour = 0;         // colour number
    int lineType = 0;       // index of the line type
    int lineWeight = 25;    // hundredths
};

class DxfTables {
public:
    static constexpr int kByLayer = 256;
    static constexpr int kByBlock = 0;

    DxfTables(mobrhost::Figure& figure, DxfReport& report);

    void setEncoding(TextEncoding encoding) { encoding_ = encoding; }
    TextEncoding encoding() const { return encoding_; }
    void setDefaultLineWeight(int hundredths);

    // A name or text of the file in the host code page; a character the code
    // page lacks is counted under `what`.
    std::string hostText(const std::string& raw, const char* what);
    std::string toHost(const std::string& utf8, const char* what);

    // `description` names the plot style when it starts with one of the
    // style names ("Dotted . . ."); else the pattern decides.
    void addLineType(const std::string& rawName, const std::vector<double>& pattern, const std::string& description = {});
    // Layer "0" takes slot 0, every other layer the next free slot; the
    // layer keeps its name, fitted to the host's field.
    void addLayer(const std::string& rawName, const RawAttributes& attributes);
    void addTextStyle(const std::string& rawName, const std::string& fontFile, bool bold, bool italic);

    // Resolves an entity's attributes; `block` carries what "by block" means.
    Resolved resolve(const RawAttributes& attributes, const Resolved& block);
    // The attributes of an entity outside any block insertion.
    Resolved topLevel() const;
    int penFor(int lineType, int lineWeight);
    int fontFor(const std::string& rawStyle) const;
    int layerSlotOf(const std::string& rawName);

    // Gives every pen still without a width the default lineweight.
    void finish();

private:
    struct LineType {
        int pen = 0;        // the pen made for it
        int lineWeight = -1;   // that pen's lineweight, -1 while unused
    };
    struct Layer {
        int slot = 0;
        int colour = 0;     // colour number
        std::string lineType;   // its name, made a pen only when an entity uses it
        int lineWeight = -3;
    };

    static std::string key(const std::string& rawName);
    int lineTypeIndex(const std::string& rawName);
    void makeLineType(const std::string& rawName, const std::vector<double>& pattern, const std::string& description);
    int colourFor(int aci, int trueColour);
    int addColour(const std::string& name, uint32_t rgb);
    int widthFor(int lineWeight);
    int makePen(const std::string& rawName, const std::vector<double>& pattern, const std::string& description);
    std::string fitted(NameFitter& fitter, const std::string& raw, const char* table);

    mobrhost::Figure& figure_;
    DxfReport& report_;
    TextEncoding encoding_ = TextEncoding::Latin1;
    int defaultLineWeight_ = 25;
    NameFitter penNames_, widthNames_, colourNames_, fontNames_, layerNames_;
    std::vector<LineType> lineTypes_;
    std::map<std::string, int> lineTypeByName_;
    std::map<std::pair<int, int>, int> penByPair_;
    std::map<int, int> widthByWeight_;
    std::map<int64_t, int> colourByKey_;
    std::map<std::string, Layer> layers_;
    std::array<Layer, 256> layerInSlot_{};
    std::map<std::string, int> fontByStyle_;
    int nextLayerSlot_ = 1;   // slot 0 is layer "0"'s
};

}  // namespace mobrdxf

namespace mobrdxf {

// The name a layer without a name of its own is written under: "0" for
// slot 0, else "G01-L02" (group 1, layer 2). A layer read under the name
// of the slot it takes stays without a name, so such names do not stick.
std::string defaultLayerName(int slot);

// A line type's dash pattern (dashes positive, gaps negative, dots 0) as a
// pen's pitch: alternating dash and gap lengths, each 0.1 to 200, at most 10
// (a longer pattern is cut, `changed` set when anything was adjusted).
std::vector<double> pitchFromPattern(const std::vector<double>& pattern, bool* changed);
// The other way: dashes positive, gaps negative.
std::vector<double> patternFromPitch(const std::vector<double>& pitch);
// Plot style of a pen with this pitch: 1 solid, 3 dotted, 2 dashed, 4 chain.
int plotStyleForPitch(const std::vector<double>& pitch);
// The plot style a line type's description names by its first words
// ("Dashed __ __", "Double chain"), 0 when none; and the name of a style.
int plotStyleNamed(const std::string& description);
const char* plotStyleName(int style);

}  // namespace mobrdxf
