#include "optionpages/PointModeDialogs.h"

#include <QComboBox>

#include <algorithm>

#include "frame/HostApi.h"
#include "mobr/host_types.h"
#include "mobrdlg/ZqResources.h"

namespace {

struct KindText {
    uint16_t kind;
    int text;
};
constexpr KindText kKindTexts[] = {{0, 7069}, {1, 7070}, {2, 7066}, {3, 7065}, {4, 7067}, {6, 7071}, {20, 7072}, {99, 7068}};

struct KindButton {
    int id;
    uint16_t kind;
    std::vector<uint16_t> blockedBy;
    bool blockedByAnyEntry;
};

const std::vector<KindButton>& kindButtons()
{
    static const std::vector<KindButton> buttons = {
        {1501, 3, {0, 1, 3, 4, 6, 99}, false}, {1502, 2, {0, 1, 2, 4, 6, 99}, false},
        {1503, 4, {0, 1, 4, 6, 99}, false},    {1504, 99, {0, 1, 4, 6, 99}, false},
        {1505, 1, {0, 1}, false},              {1506, 0, {0, 1}, false},
        {1507, 6, {6}, true},                  {1508, 20, {}, false},
    };
    return buttons;
}

constexpr int kSketchButton = 1508;
constexpr int kNoMode = 7063;
constexpr int kFirstPointLabel = 1701;
constexpr int kFourthPointLabel = 1702;
constexpr int kSelectableScan = 20;

}  // namespace

std::string SearchKindText(uint16_t kind)
{
    for (const KindText& k : kKindTexts)
        if (k.kind == kind) return GetString(k.text);
    return {};
}

std::string SearchTableDescription(const pointmode::SearchTable& table)
{
    std::string text;
    for (int i = 0; i < table.count(); ++i) {
        const std::string kind = SearchKindText(table.kinds[static_cast<std::size_t>(i)]);
        if (kind.empty()) continue;
        if (!text.empty()) text += ", ";
        text += kind;
    }
    return text;
}

// ---- Search table editor ----------------------------------------------------------

CSchTableDlg::CSchTableDlg(const pointmode::SearchTable& table, bool base, QWidget* parent)
    : CZqLinkDialog("IDD_S_009", {}, parent), table_(table), base_(base)
{
}

CSchTableDlg::~CSchTableDlg() = default;

int CSchTableDlg::kindOfButton(int id)
{
    for (const KindButton& b : kindButtons())
        if (b.id == id) return b.kind;
    return -1;
}

bool CSchTableDlg::buttonBlocked(int id, const pointmode::SearchTable& table)
{
    for (const KindButton& b : kindButtons()) {
        if (b.id != id) continue;
        if (b.blockedByAnyEntry && table.count() > 0) return true;
        return std::any_of(b.blockedBy.begin(), b.blockedBy.end(), [&](uint16_t k) { return table.has(k); });
    }
    return false;
}

bool CSchTableDlg::OnInitDialog()
{
    SetLimitText(kName, kNameBytes);
    SetDlgItemText(kName, table_.name);
    EnableItem(kName, !base_);
    // Sketch points are not offered in this editor.
    ShowItem(kSketchButton, false);
    showTable();
    return true;
}

void CSchTableDlg::showTable()
{
    SetDlgItemText(kDescription, SearchTableDescription(table_));
    for (const KindButton& b : kindButtons()) EnableItem(b.id, b.id != kSketchButton && !buttonBlocked(b.id, table_));
    EnableItem(IDOK, !(table_.count() == 0 && base_));
}

bool CSchTableDlg::OnCommand(int id)
{
    const int kind = kindOfButton(id);
    if (kind >= 0) {
        table_.add(static_cast<uint16_t>(kind));
        showTable();
        return true;
    }
    if (id == kClear) {
        table_.clear();
        showTable();
        return true;
    }
    return CZqLinkDialog::OnCommand(id);
}

void CSchTableDlg::OnEditChange(int id)
{
    if (id == kName) showTable();
}

void CSchTableDlg::OnHelp()
{
    hostapi::aapRunDlgHelp(kHelpTopic);
}

void CSchTableDlg::OnOK()
{
    if (!base_) {
        std::string name = GetDlgItemText(kName);
        name.erase(name.find_last_not_of(' ') == std::string::npos ? 0 : name.find_last_not_of(' ') + 1);
        table_.name = name;
        if (name.empty()) table_.clear();
        else if (table_.count() == 0) table_.name.clear();
    }
    EndDialog(ZQ_RESULT_OK);
}

// ---- Input sequence editor ---------------------------------------------------------

CPModeSeqDlg::CPModeSeqDlg(int inputType, const pointmode::Sequence& sequence, QWidget* parent)
    : CZqLinkDialog("IDD_S_030", {}, parent), type_(inputType), sequence_(sequence)
{
}

CPModeSeqDlg::~CPModeSeqDlg() = default;

// Slots 0 and 3 (the first and fourth point) belong to the free sequence only.
bool CPModeSeqDlg::slotEditable(int slot) const
{
    return type_ == kFreeType || (slot != 0 && slot != 3);
}

bool CPModeSeqDlg::OnInitDialog()
{
    setWindowTitle(ZqGetQString(kTitle) + " - " + ZqGetQString(kTypeNames + type_));
    codes_.assign(1, pointmode::kNone);
    std::vector<std::string> names{GetString(kNoMode)};
    for (int i = 0; i < kSelectableScan; ++i) {
        char code = ' ';
        char name[mobr::kHostLabelBytes] = {};
        const int result = hostapi::aasPModeDataTmpGet(i, &code, name);
        if (result < 0 || code == ' ') break;
        if (result == 0) continue;  // "R" unavailable, a user table without a name
        codes_.push_back(code);
        names.emplace_back(name);
    }
    for (int slot = 0; slot < pointmode::kSequenceSlots; ++slot) {
        const int list = kFirstList + slot;
        ResetContent(list);
        for (const std::string& n : names) AddString(list, n);
        const auto at = std::find(codes_.begin(), codes_.end(), sequence_[static_cast<std::size_t>(slot)]);
        SetCurSel(list, at == codes_.end() ? 0 : static_cast<int>(at - codes_.begin()));
        EnableItem(list, slotEditable(slot));
    }
    EnableItem(kFirstPointLabel, type_ == kFreeType);
    EnableItem(kFourthPointLabel, type_ == kFreeType);
    return true;
}

void CPModeSeqDlg::OnHelp()
{
    hostapi::aapRunDlgHelp(kHelpTopic);
}

void CPModeSeqDlg::OnOK()
{
    for (int slot = 0; slot < pointmode::kSequenceSlots; ++slot) {
        if (!slotEditable(slot)) continue;
        const int row = GetCurSel(kFirstList + slot);
        if (row >= 0 && row < static_cast<int>(codes_.size()))
            sequence_[static_cast<std::size_t>(slot)] = codes_[static_cast<std::size_t>(row)];
    }
    EndDialog(ZQ_RESULT_OK);
}
