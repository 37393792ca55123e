#include "optionpages/CUserOpMu.h"

#include <QListWidget>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "frame/HostApi.h"
#include "mobr/Bytes.h"
#include "mobr/host_types.h"
#include "mobrdlg/ZqDialogString.h"
#include "mobrdlg/ZqResources.h"
#include "optionpages/OptionBlocks.h"
#include "optionpages/OptionText.h"
#include "optionpages/PointModeDialogs.h"
#include "options/UserOpApplyLog.h"
#include "platform/CodePage.h"

namespace {

using namespace pointmode;

constexpr int kFlagsBytes = 64;
constexpr int kAtrModeBytes = 32;
constexpr int kNaviOffset = 24;
constexpr int32_t kRatioStatus = 0x20;
constexpr int kNoName = 7063;
constexpr int kInputTypeNames = 7117;
constexpr int kNaviNames = 7034;
constexpr int kInUseText = 7141;
constexpr int kNotInUseText = 7142;
constexpr int kSequenceText = 7277;
constexpr int kChoiceLists = 4;
constexpr int kSelectableScan = 10;

int naviIndex(int16_t value)
{
    if (value == 1) return 1;
    return (value & 2) != 0 ? 2 : 0;
}

int16_t naviValue(int index)
{
    static constexpr int16_t values[] = {0, 1, 3};
    return values[std::clamp(index, 0, 2)];
}

SearchTable tableFrom(const char* name, const void* kinds)
{
    SearchTable t;
    if (name) t.name = mobr::cp932::cut(std::string(name, strnlen(name, mobr::kHostNameBytes)), kNameChars);
    if (kinds) {
        for (int i = 0; i < kKinds; ++i) t.kinds[static_cast<std::size_t>(i)] = mobr::bytes::get<uint16_t>(kinds, 2 * i);
    }
    return t;
}

std::vector<QListWidgetItem*> selectedItems(QListWidget* list)
{
    std::vector<QListWidgetItem*> items;
    for (int i = 0; list && i < list->count(); ++i)
        if (list->item(i)->isSelected()) items.push_back(list->item(i));
    return items;
}

}  // namespace

const std::vector<ZqField>& CUserOpMu::fieldTable()
{
    constexpr ZqReceipt keep = ZqReceipt::Keep;
    static const std::vector<ZqField> fields = {
        ZqField::choice(0, kInputType, kInputTypes).withReceipt(keep),
        ZqField::check(0, kNaviOn).withReceipt(keep),
        ZqField::check(0, kNaviCursor).withReceipt(keep),
        ZqField::choice(0, kNaviMode, 3).withReceipt(keep),
    };
    return fields;
}

CUserOpMu::CUserOpMu() : CUserOpPage("IDD_S_029", kTitle, kHelpTopic, fieldTable()) {}

// ---- Reading the host ------------------------------------------------------------

void CUserOpMu::readHost()
{
    using namespace hostapi;
    const auto* base = static_cast<const unsigned char*>(aasPModeTableGet(0));
    state_.tables[0] = tableFrom(base ? reinterpret_cast<const char*>(base) : nullptr,
                                 base ? base + mobr::kHostNameBytes : nullptr);
    for (int n = 0; n < kUserTables; ++n)
        state_.tables[static_cast<std::size_t>(1 + n)] = tableFrom(aasPModeUserNameGet(n), aasPModeUsetTableGet(n));
    aasPModeInpTableGet(state_.input.data());
    state_.inputType = std::clamp(aasPModeInpTypeGet(), 0, kInputTypes - 1);
    // Every type's sequence starts from the input table read, so that an
    // untouched page writes the table back as it was.
    for (Sequence& s : state_.sequences)
        for (int slot = 0; slot < kSequenceSlots; ++slot)
            s[static_cast<std::size_t>(slot)] = static_cast<char>(state_.input[static_cast<std::size_t>(kSequenceBytes[slot])]);
    unsigned char atr[kAtrModeBytes] = {};
    aatSysInfAtrMode(optionblock::kRead, atr);
    state_.defaultCode = static_cast<char>(atr[0]);
    char sort[mobr::kHostSortStringBytes] = {};
    aatAtrPntMode_GetSort(sort);
    state_.sort.assign(sort, strnlen(sort, sizeof sort - 1));
    state_.ratioAvailable = (aatOpCmdGetStatus() & kRatioStatus) != 0;
    state_.mask = static_cast<uint32_t>(aatAtrPntMode_GetUsed()) & 0xFFFF;
    if (!state_.ratioAvailable) state_.mask &= ~bit(kRatio);

    receive(kInputType, state_.inputType);
    receive(kNaviOn, aasNaviGetStatus() != 0 ? 1 : 0);
    receive(kNaviCursor, aasNaviCursorGetStatus() != 0 ? 1 : 0);
    unsigned char flags[kFlagsBytes] = {};
    aatSysInfFlags(optionblock::kRead, flags);
    naviValue_ = mobr::bytes::i16(flags, kNaviOffset);
    receive(kNaviMode, naviIndex(naviValue_));
    readDone_ = true;
}

// ---- Lists ------------------------------------------------------------------------

void CUserOpMu::fillLists()
{
    fillFromStrings(kInputType, kInputTypeNames, kInputTypes);
    fillFromStrings(kNaviMode, kNaviNames, 3);
    if (auto* inUse = item<QListWidget>(kInUse)) inUse->setSelectionMode(QAbstractItemView::MultiSelection);
    fillChoiceLists();
    showTables();
    showInUse();
    showOffered(0);
    showSequenceLine();
}

std::string CUserOpMu::modeName(char code) const
{
    const int pos = position(code);
    if (pos >= kBuiltIn) return state_.tables[static_cast<std::size_t>(1 + pos - kBuiltIn)].name;
    const char* name = pos >= 0 ? hostapi::aasPModeNameGet(pos) : nullptr;
    return name ? std::string(name) : GetString(kNoName);
}

char CUserOpMu::choiceCode(int list) const
{
    const int index = list - kChoice1;
    const int row = GetCurSel(list);
    const auto& codes = choiceCodes_[static_cast<std::size_t>(index)];
    return row >= 0 && row < static_cast<int>(codes.size()) ? codes[static_cast<std::size_t>(row)] : kNone;
}

void CUserOpMu::fillChoiceList(int list)
{
    const int index = list - kChoice1;
    const char current = list == kDefaultMode ? state_.defaultCode
                                              : static_cast<char>(state_.input[static_cast<std::size_t>(kChoiceBytes[index])]);
    auto& codes = choiceCodes_[static_cast<std::size_t>(index)];
    codes.clear();
    ResetContent(list);
    if (list != kDefaultMode) {
        AddString(list, GetString(kNoName));
        codes.push_back(kNone);
    }
    for (int i = 0; i < kSelectableScan; ++i) {
        char code = ' ';
        char name[mobr::kHostLabelBytes] = {};
        const int result = hostapi::aasPModeDataTmpGet(i, &code, name);
        if (result < 0 || code == ' ') break;
        if (result == 0 || position(code) >= kBuiltIn) continue;  // the user tables follow by name
        AddString(list, name);
        codes.push_back(code);
    }
    for (int t = 0; t < kUserTables; ++t) {
        if (!state_.defined(t)) continue;
        AddString(list, state_.tables[static_cast<std::size_t>(1 + t)].name);
        codes.push_back(userCode(t));
    }
    const auto at = std::find(codes.begin(), codes.end(), current);
    SetCurSel(list, at == codes.end() ? 0 : static_cast<int>(at - codes.begin()));
}

void CUserOpMu::fillChoiceLists()
{
    for (int i = 0; i < kChoiceLists; ++i) fillChoiceList(kChoice1 + i);
}

void CUserOpMu::showTables()
{
    for (int t = 0; t <= kUserTables; ++t) {
        const SearchTable& table = state_.tables[static_cast<std::size_t>(t)];
        const bool blank = table.name.find_first_not_of(' ') == std::string::npos;
        SetDlgItemText(kTableName + t, blank ? GetString(kNoName) : table.name);
        SetDlgItemText(kTableKinds + t, SearchTableDescription(table));
    }
}

void CUserOpMu::showInUse()
{
    auto* list = item<QListWidget>(kInUse);
    if (!list) return;
    const QSignalBlocker quiet(list);
    list->clear();
    for (char code : state_.availableCodes()) {
        auto* row = new QListWidgetItem(mobr::cp932::toQString(modeName(code)), list);
        row->setData(Qt::UserRole, static_cast<int>(code));
        row->setSelected((state_.mask & bit(code)) != 0);
    }
}

void CUserOpMu::showOffered(int select)
{
    const std::string order = state_.offered();
    ResetContent(kOffered);
    for (char code : order) AddString(kOffered, modeName(code));
    const int row = std::clamp(select, 0, static_cast<int>(order.size()) - 1);
    SetCurSel(kOffered, row);
    EnableItem(kMoveUp, row > 0);
    EnableItem(kMoveDown, row + 1 < static_cast<int>(order.size()));
}

void CUserOpMu::showSequenceLine()
{
    const Sequence& s = state_.sequence();
    SetDlgItemText(kSequenceLine, optiontext::format(kSequenceText, {modeName(s[0]), modeName(s[3])}));
}

// ---- Changes ----------------------------------------------------------------------

std::vector<char> CUserOpMu::forcedCodes() const
{
    std::vector<char> codes;
    for (int i = 0; i < kChoiceLists; ++i) {
        const char c = choiceCode(kChoice1 + i);
        if (c != kNone) codes.push_back(c);
    }
    return codes;
}

void CUserOpMu::inUseChanged()
{
    std::vector<char> selected;
    for (QListWidgetItem* row : selectedItems(item<QListWidget>(kInUse)))
        selected.push_back(static_cast<char>(row->data(Qt::UserRole).toInt()));
    state_.setInUse(selected, forcedCodes());
    showInUse();
    showOffered(0);
}

void CUserOpMu::OnSelChange(int id)
{
    if (id == kInUse) {
        inUseChanged();
    } else if (id >= kChoice1 && id <= kDefaultMode) {
        if (id != kDefaultMode) {
            state_.input[static_cast<std::size_t>(kChoiceBytes[id - kChoice1])] = static_cast<unsigned char>(choiceCode(id));
            state_.changed = true;
        } else {
            state_.defaultCode = choiceCode(id);
        }
        inUseChanged();
    } else if (id == kOffered) {
        showOffered(GetCurSel(kOffered));
    } else if (id == kInputType) {
        state_.inputType = std::clamp(GetCurSel(kInputType), 0, kInputTypes - 1);
        showSequenceLine();
    }
}

bool CUserOpMu::OnCommand(int id)
{
    if (id >= kEditBase && id < kEditBase + 1 + kUserTables) {
        editTable(id - kEditBase);
    } else if (id == kEditSequence) {
        editSequence();
    } else if (id == kTakeAgain) {
        takeAgain();
    } else if (id == kAllOn) {
        state_.switchAllOn();
        showInUse();
        showOffered(0);
    } else if (id == kMoveUp || id == kMoveDown) {
        move(id == kMoveUp);
    } else {
        return CUserOpPage::OnCommand(id);
    }
    return true;
}

void CUserOpMu::editTable(int table)
{
    CSchTableDlg editor(state_.tables[static_cast<std::size_t>(table)], table == 0, this);
    if (editor.DoModal() != ZQ_RESULT_OK) return;
    state_.tables[static_cast<std::size_t>(table)] = editor.table();
    if (table == 0) {
        state_.changed = true;
    } else {
        state_.userTableAccepted(table - 1);
    }
    fillChoiceLists();
    showTables();
    showInUse();
    showOffered(0);
    showSequenceLine();
}

void CUserOpMu::editSequence()
{
    CPModeSeqDlg editor(state_.inputType, state_.sequence(), this);
    if (editor.DoModal() != ZQ_RESULT_OK) return;
    state_.sequence() = editor.sequence();
    showSequenceLine();
}

void CUserOpMu::takeAgain()
{
    const uint32_t used = static_cast<uint32_t>(hostapi::aatAtrPntMode_GetUsed());
    state_.mask = used & 0xFF;
    for (int t = 0; t < kUserTables; ++t)
        if (state_.defined(t)) state_.mask |= used & bit(userCode(t));
    if (!state_.ratioAvailable) state_.mask &= ~bit(kRatio);
    char sort[mobr::kHostSortStringBytes] = {};
    hostapi::aatAtrPntMode_GetSort(sort);
    state_.sort.assign(sort, strnlen(sort, sizeof sort - 1));
    for (char c : forcedCodes()) state_.mask |= bit(c);
    showInUse();
    showOffered(0);
}

void CUserOpMu::move(bool up)
{
    const int row = GetCurSel(kOffered);
    if (!(up ? state_.moveUp(row) : state_.moveDown(row))) return;
    showOffered(up ? row - 1 : row + 1);
}

// ---- Write-back -------------------------------------------------------------------

void CUserOpMu::ApplyToHost(CUserOpApplyLog& log)
{
    using namespace hostapi;
    if (!isInitialised() || !readDone_) return;
    unsigned char atr[kAtrModeBytes] = {};
    unsigned char flags[kFlagsBytes] = {};
    aatSysInfAtrMode(optionblock::kRead, atr);
    aatSysInfFlags(optionblock::kRead, flags);
    log.check("aasSchBaseTableInit", aasSchBaseTableInit());

    State& s = state_;
    const Sequence& seq = s.sequence();
    for (int slot = 0; slot < kSequenceSlots; ++slot)
        if (s.input[static_cast<std::size_t>(kSequenceBytes[slot])] != static_cast<unsigned char>(seq[static_cast<std::size_t>(slot)]))
            s.changed = true;
    if (aasPModeInpTypeGet() != s.inputType) s.changed = true;
    // Codes of undefined tables go first, so that no code is renamed onto them.
    s.dropUndefinedCodes();
    s.closeGaps();
    for (int slot = 0; slot < kSequenceSlots; ++slot)
        s.input[static_cast<std::size_t>(kSequenceBytes[slot])] = static_cast<unsigned char>(seq[static_cast<std::size_t>(slot)]);

    log.check("aasSchTableSet", aasSchTableSet(0, 0, s.tables[0].name.c_str(), s.tables[0].kinds.data()));
    for (int t = 0; t < kUserTables; ++t) {
        const SearchTable& table = s.tables[static_cast<std::size_t>(1 + t)];
        log.check("aasSchTableSet", aasSchTableSet(1, t, table.name.c_str(), table.kinds.data()));
    }
    log.check("aasSchTableCreate", aasSchTableCreate());
    atr[0] = static_cast<unsigned char>(s.defaultCode);
    log.check("aatSysInfAtrMode", aatSysInfAtrMode(optionblock::kWrite, atr));
    log.check("aasPModeInpUpdateSet", aasPModeInpUpdateSet());
    log.check("aasPModeInpTableAllSet", aasPModeInpTableAllSet(s.inputType, s.input.data()));
    if (s.changed) log.check("aatSchSetPLank", aatSchSetPLank(0, static_cast<unsigned char>(s.defaultCode)));

    const int naviRow = static_cast<int>(valueOf(kNaviMode));
    if (naviRow != naviIndex(naviValue_)) mobr::bytes::put<int16_t>(flags, kNaviOffset, naviValue(naviRow));
    log.check("aatSysInfFlags", aatSysInfFlags(optionblock::kWrite, flags));
    log.check(valueOf(kNaviOn) == 1.0 ? "aasNaviSetON" : "aasNaviSetOFF",
              valueOf(kNaviOn) == 1.0 ? aasNaviSetON() : aasNaviSetOFF());
    log.check("aasNaviCursorSetStatus", aasNaviCursorSetStatus(valueOf(kNaviCursor) == 1.0 ? 1 : 0));
    if (!s.ratioAvailable) s.mask &= ~bit(kRatio);
    log.check("aatAtrPntMode_SetUsed", aatAtrPntMode_SetUsed(static_cast<int32_t>(s.mask)));
    log.check("aatAtrPntMode_SetSort", aatAtrPntMode_SetSort(s.offered().c_str()));
}

// ---- Report -----------------------------------------------------------------------

void CUserOpMu::WriteSettingReport(std::vector<std::string>& lines)
{
    char text[512];
    std::snprintf(text, sizeof text, "  < %s >\n", title().c_str());
    lines.emplace_back(text);
    lines.emplace_back("\n");
    std::string label = EditDialogString(GetDlgItemText(kInUseCaption));
    for (char code : state_.availableCodes()) {
        char value[256];
        const std::string state = GetString((state_.mask & bit(code)) != 0 ? kInUseText : kNotInUseText);
        std::snprintf(value, sizeof value, "%-6s- %s", modeName(code).c_str(), state.c_str());
        std::snprintf(text, sizeof text, "%-35s: %s\n", label.c_str(), value);
        lines.emplace_back(text);
        label.clear();
    }
    lines.emplace_back("\n");
}
