#include "elements/ElementLists.h"

#include <algorithm>
#include <climits>

#include "frame/HostApi.h"
#include "frame/ModuleLog.h"
#include "mobr/host_types.h"
#include "mobrcctl/ZqFieldBinder.h"
#include "mobrdchk/DlgDataCheck.h"
#include "mobrdlg/ZqField.h"
#include "mobrdlg/ZqResources.h"
#include "mobrdlg/ZqWindow.h"

namespace elemlists {

namespace {

constexpr int kMsgNoTip = 7020;
constexpr int kFirstReservedTip = 10;
constexpr int kLastReservedTip = 16;
constexpr int kMaskUnused = 0x1;
constexpr int kSwitchDecimals = 2;
constexpr int kRealDecimals = 2;
constexpr int kShownChars = 7;

using NameOf = int32_t (*)(void*, int32_t, char*);

std::string nameOf(NameOf get, void* table, int number)
{
    char name[mobr::kHostNameBufferBytes + 1] = {};
    if (!table || get(table, number, name) != 0) return {};
    name[mobr::kHostNameBufferBytes - 1] = '\0';
    return name;
}

// Adds the names of numbers 0..count that `wanted` accepts and whose lookup
// succeeds; selects the name of `current`.
void fillByNumber(CZqWindow& window, int control, void* table, int count, NameOf get, int current,
                  const std::function<bool(int)>& wanted)
{
    window.ResetContent(control);
    int selected = -1;
    for (int i = 0; i <= count; ++i) {
        if (!wanted(i)) continue;
        const std::string name = nameOf(get, table, i);
        if (name.empty()) continue;
        const int row = window.AddString(control, name);
        if (i == current) selected = row;
    }
    window.SetCurSel(control, selected);
}

bool usablePen(void* pens, int pen)
{
    const int mask = hostapi::aatPenGetMask(pens, pen);
    return mask != -1 && (mask & kMaskUnused) == 0;
}

}  // namespace

ZqField realField(int item, int control, double minimum, double maximum)
{
    return ZqField::real(item, control, minimum, maximum)
        .withDecimals(kRealDecimals)
        .withFormat("%-.2f")
        .withShownCut(kShownChars)
        .withMaxChars(kShownChars)
        .withReceipt(ZqReceipt::ClampNanToMinimum);
}

void switchEdit(CZqWindow& window, CZqFieldBinder& binder, const CZqFieldSet& fields, int control,
                const std::vector<int>& labels, bool on)
{
    if (window.IsItemEnabled(control) == on) return;
    if (!on) {
        const ZqField* field = fields.byControl(control);
        CDlgDataCheck check;
        check.SetMsgBox(0);
        double value = 0.0;
        const bool valid = field && check.StringCheck(window.GetDlgItemText(control), kSwitchDecimals, &value) &&
                           check.CheckData(value, field->minimum, field->maximum);
        if (field && !valid) binder.show(*field);
    }
    window.EnableItem(control, on);
    for (int label : labels) window.EnableItem(label, on);
}

int itemValue(const CZqFieldSet& fields, int item)
{
    const ZqField* field = fields.byItem(item);
    return field ? static_cast<int>(fields.value(*field)) : 0;
}

bool isNoTip(int tip)
{
    return tip == 0 || (tip >= kFirstReservedTip && tip <= kLastReservedTip);
}

void fillPens(CZqWindow& window, int control, void* pens, int current, PenFilter filter)
{
    auto wanted = [pens, filter](int pen) {
        switch (filter) {
        case PenFilter::Usable: return usablePen(pens, pen);
        case PenFilter::PlotStyle1: return hostapi::aatPenGetPlotStyle(pens, pen) == 1;
        case PenFilter::All: return true;
        }
        return true;
    };
    fillByNumber(window, control, pens, pens ? hostapi::aatPenGetCount(pens) : -1, hostapi::aatPenGetName, current,
                 wanted);
}

void fillFonts(CZqWindow& window, int control, void* fonts, int current)
{
    fillByNumber(window, control, fonts, fonts ? hostapi::aatFntGetCount(fonts) : -1, hostapi::aatFntGetName, current,
                 [](int) { return true; });
}

void fillTips(CZqWindow& window, int control, void* tips, int current)
{
    fillByNumber(window, control, tips, tips ? hostapi::aatTipGetCount(tips) : -1, hostapi::aatTipGetLocalName,
                 current, [tips](int tip) {
                     if (isNoTip(tip)) return false;
                     const int mask = hostapi::aatTipGetMask(tips, tip);
                     return mask != -1 && (mask & kMaskUnused) == 0;
                 });
    // The no-tip entry goes first; it is the selection for 0 and 10 to 16.
    const int selected = window.GetCurSel(control);
    std::vector<std::string> names{GetString(kMsgNoTip)};
    for (int row = 0; row < window.GetCount(control); ++row) names.push_back(window.GetItemText(control, row));
    window.ResetContent(control);
    for (const std::string& name : names) window.AddString(control, name);
    window.SetCurSel(control, isNoTip(current) ? 0 : (selected >= 0 ? selected + 1 : -1));
}

std::vector<std::string> colourNames(void* colours)
{
    std::vector<std::string> names;
    const int count = colours ? hostapi::aatColGetCount(colours) : -1;
    for (int i = 0; i <= count; ++i) {
        std::string name = nameOf(hostapi::aatColGetName, colours, i);
        if (!name.empty()) names.push_back(std::move(name));
    }
    return names;
}

void fillNames(CZqWindow& window, int control, const std::vector<std::string>& names, const std::string& selected)
{
    window.ResetContent(control);
    int row = -1;
    for (std::size_t i = 0; i < names.size(); ++i) {
        window.AddString(control, names[i]);
        if (names[i] == selected) row = static_cast<int>(i);
    }
    window.SetCurSel(control, row);
}

std::string penName(void* pens, int pen) { return nameOf(hostapi::aatPenGetName, pens, pen); }
std::string colourName(void* colours, int colour) { return nameOf(hostapi::aatColGetName, colours, colour); }

int penNumber(void* pens, const std::string& name) { return pens ? hostapi::aatPenFindName(pens, name.c_str()) : -1; }
int colourNumber(void* colours, const std::string& name)
{
    return colours ? hostapi::aatColFindName(colours, name.c_str()) : -1;
}
int fontNumber(void* fonts, const std::string& name) { return fonts ? hostapi::aatFntFindName(fonts, name.c_str()) : -1; }

int tipNumber(void* tips, const std::string& name)
{
    if (name == GetString(kMsgNoTip)) return 0;
    return tips ? hostapi::aatTipFindLocalName(tips, name.c_str()) : -1;
}

void ColourByPen::show(CZqWindow& window, int control, int pen, const std::string& chosen) const
{
    if (layerMode) {
        const std::string layer = colourName(colours, layerColour);
        fillNames(window, control, {layer}, layer);
        return;
    }
    const int own = penEx && pens ? hostapi::aatPenExGetColor(penEx, pens, pen) : 0;
    if (own > 0) {
        const std::string name = colourName(colours, own);
        fillNames(window, control, {name}, name);
        return;
    }
    fillNames(window, control, colourNames(colours), chosen);
}

void ColourByPen::refresh(CZqWindow& window, int control, int pen, int stored) const
{
    const std::string chosen =
        window.GetCurSel(control) >= 0 ? window.GetDlgItemText(control) : colourName(colours, stored);
    show(window, control, pen, chosen);
}

void ColourFollowsPen::show(CZqWindow& window, const CZqFieldSet& fields, const NamedChoices& choices, int pen) const
{
    const ColourByPen rule{colours, penEx, pens, itemValue(fields, flagItem) == 1, itemValue(fields, layerItem)};
    rule.refresh(window, colourList, pen, choices.value(colourItem));
}

void ColourFollowsPen::picked(CZqWindow& window, const CZqFieldSet& fields, NamedChoices& choices, int control) const
{
    choices.picked(control);
    if (control != penList) return;
    show(window, fields, choices, penNumber(pens, window.GetDlgItemText(penList)));
    choices.picked(colourList);
}

std::vector<ZqField> textSizeFields(int firstItem, int firstControl)
{
    constexpr double kMaxSize = 999999.0, kMinTextSize = 0.01;
    std::vector<ZqField> fields;
    for (int i = 0; i < 4; ++i)
        fields.push_back(realField(firstItem + i, firstControl + i, i < 2 ? kMinTextSize : 0.0, kMaxSize));
    return fields;
}

std::vector<ZqField> joined(std::initializer_list<std::vector<ZqField>> parts)
{
    std::vector<ZqField> fields;
    for (const std::vector<ZqField>& part : parts) fields.insert(fields.end(), part.begin(), part.end());
    return fields;
}

std::vector<ZqField> layerFields(int flagItem, int colourItem)
{
    return {ZqField::integer(flagItem, 0, 0, 1), ZqField::integer(colourItem, 0, INT_MIN, INT_MAX)};
}

void NamedChoices::add(int item, int control, Lookup lookup)
{
    choices_.push_back(Choice{item, control, std::move(lookup)});
}

const NamedChoices::Choice* NamedChoices::find(int item) const
{
    auto it = std::find_if(choices_.begin(), choices_.end(), [item](const Choice& c) { return c.item == item; });
    return it == choices_.end() ? nullptr : &*it;
}

bool NamedChoices::set(int item, int value)
{
    auto* choice = const_cast<Choice*>(find(item));
    if (!choice) return false;
    choice->value = value;
    choice->picked = false;
    choice->failed = false;
    return true;
}

bool NamedChoices::get(int item, int* value) const
{
    const Choice* choice = find(item);
    if (!choice || choice->failed) return false;
    *value = choice->value;
    return true;
}

int NamedChoices::value(int item) const
{
    const Choice* choice = find(item);
    return choice ? choice->value : 0;
}

void NamedChoices::picked(int control)
{
    for (Choice& c : choices_) {
        if (c.control == control) c.picked = true;
    }
}

bool NamedChoices::resolve(const CZqWindow& window)
{
    bool all = true;
    for (Choice& c : choices_) {
        if (!c.picked) continue;
        const std::string name = window.GetDlgItemText(c.control);
        if (name.empty()) {
            c.picked = false;   // nothing shown: the number stays
            continue;
        }
        const int number = c.lookup(name);
        c.failed = number < 0;
        if (c.failed) {
            qCWarning(lcModule) << "no entry named" << name.c_str() << "for item" << c.item;
            all = false;
            continue;
        }
        c.value = number;
        c.picked = false;
    }
    return all;
}

}  // namespace elemlists
