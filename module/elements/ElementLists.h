#pragma once

// Drop-down lists of pens, colours, tips and fonts by name, filled from the
// host's tables as the element settings pages and their dialogs show them,
// and the numbers chosen in them.

#include <functional>
#include <string>
#include <vector>

#include "mobrdlg/ZqField.h"

class CZqFieldBinder;
class CZqFieldSet;
class CZqWindow;

namespace elemlists {

// Which pens a pen list offers.
enum class PenFilter {
    Usable,      // pens whose mask is readable and has bit 0 clear
    All,         // every pen with a name
    PlotStyle1,  // pens of plot style 1 only
};

// A tip that the tip lists show as "no tip" (their first entry): 0 and the
// reserved tips 10 to 16.
bool isNoTip(int tip);

// A number of the element settings' edits: two decimals, shown with
// "%-.2f" cut to 7 characters, brought into its range when handed in.
ZqField realField(int item, int control, double minimum, double maximum);

// Switches a number edit and its labels on or off. Switching off checks the
// edit's text silently first (a number with at most 2 decimals within the
// field's range) and puts the last accepted value back when it fails, so a
// disabled edit never holds a text the user cannot correct.
void switchEdit(CZqWindow& window, CZqFieldBinder& binder, const CZqFieldSet& fields, int control,
                const std::vector<int>& labels, bool on);

// The stored value of a field of `fields` by its item id (0 when none).
int itemValue(const CZqFieldSet& fields, int item);

// Each walks the table's numbers from 0 to its count inclusive and adds the
// names whose lookup succeeds, then selects the name of `current` (nothing
// when it is not listed).
void fillPens(CZqWindow& window, int control, void* pens, int current, PenFilter filter);
void fillFonts(CZqWindow& window, int control, void* fonts, int current);
// The first entry is message 7020 (no tip); tips 10 to 16 are left out.
void fillTips(CZqWindow& window, int control, void* tips, int current);
std::vector<std::string> colourNames(void* colours);
void fillNames(CZqWindow& window, int control, const std::vector<std::string>& names, const std::string& selected);

// The name of one entry ("" when the lookup fails).
std::string penName(void* pens, int pen);
std::string colourName(void* colours, int colour);

// Numbers of the names shown (-1 when not found); the no-tip entry is 0.
int penNumber(void* pens, const std::string& name);
int colourNumber(void* colours, const std::string& name);
int fontNumber(void* fonts, const std::string& name);
int tipNumber(void* tips, const std::string& name);

// The colour list that follows a pen: in layer-colour mode only the layer
// colour; for a pen with an extension colour only that colour; otherwise
// every colour, with the colour chosen before selected again.
struct ColourByPen {
    void* colours = nullptr;
    void* penEx = nullptr;
    void* pens = nullptr;
    bool layerMode = false;
    int layerColour = 0;

    void show(CZqWindow& window, int control, int pen, const std::string& chosen) const;
    // The same, keeping the colour selected in the list (or, with none
    // selected, the colour numbered `stored`).
    void refresh(CZqWindow& window, int control, int pen, int stored) const;
};

class NamedChoices;

// A pen list and the colour list that follows it, on one page or dialog
// whose layer-colour flag and layer colour are the fields `flagItem` and
// `layerItem` and whose chosen colour is the list item `colourItem`.
struct ColourFollowsPen {
    int penList;
    int colourList;
    int colourItem;
    int flagItem;
    int layerItem;
    void* colours;
    void* penEx;
    void* pens;

    // Fills the colour list for pen number `pen`.
    void show(CZqWindow& window, const CZqFieldSet& fields, const NamedChoices& choices, int pen) const;
    // The user picked a row of `control`; a new pen rebuilds the colour
    // list, whose shown colour then counts as picked too.
    void picked(CZqWindow& window, const CZqFieldSet& fields, NamedChoices& choices, int control) const;
};

// The four sizes of a text (first two from 0.01, the others from 0) and the
// layer-colour flag and colour, as field table rows.
std::vector<ZqField> textSizeFields(int firstItem, int firstControl);
std::vector<ZqField> layerFields(int flagItem, int colourItem);
// The rows of `parts` one after the other.
std::vector<ZqField> joined(std::initializer_list<std::vector<ZqField>> parts);

// Numbers chosen by name in drop-down lists. A number handed in goes back
// unchanged unless the user picks a name in its list; a picked name is
// looked up when the dialog ends with OK.
class NamedChoices {
public:
    using Lookup = std::function<int(const std::string&)>;

    void add(int item, int control, Lookup lookup);
    // False for an item that is not a list of this set.
    bool set(int item, int value);
    bool get(int item, int* value) const;
    int value(int item) const;
    // The user chose another row of `control`.
    void picked(int control);
    // Looks every picked name up; false when one is not found (its number
    // then stays as it was and its get fails).
    bool resolve(const CZqWindow& window);

private:
    struct Choice {
        int item;
        int control;
        Lookup lookup;
        int value = 0;
        bool picked = false;
        bool failed = false;
    };
    const Choice* find(int item) const;

    std::vector<Choice> choices_;
};

}  // namespace elemlists
