#include "optionpages/CUserOp05.h"

#include <QTreeWidget>

#include <algorithm>
#include <cstdio>

#include "mobrdlg/ZqResources.h"
#include "optionpages/ComNumDialogs.h"
#include "optionpages/OptionText.h"
#include "platform/CodePage.h"

CUserOp05::CUserOp05() : CUserOpPage("IDD_S_024", kTitle, kHelpTopic, {}) {}
CUserOp05::~CUserOp05() = default;

int CUserOp05::SetPageTable(int item, const void* records, int count)
{
    if (item != kItemTable || count <= 0 || !records) return 0;
    table_.SetData(records, count);
    slots_ = count;
    editable_ = true;
    return 1;
}

int CUserOp05::GetPageTable(int item, void* records, int count)
{
    if (item != kItemTable || count <= 0 || !records) return 0;
    return table_.GetData(records, count);
}

int CUserOp05::SetPageList(int item, const char* const* texts, int count)
{
    if (item != kItemReserved || count < 0 || (count > 0 && !texts)) return 0;
    for (int i = 0; i < count; ++i)
        if (texts[i]) table_.SetReserve(texts[i]);
    return 1;
}

int CUserOp05::SetPageInt(int item, int value)
{
    if (item != kItemMode) return 0;
    table_.SetMode(value);
    return 1;
}

int CUserOp05::SetPageData(int item, std::intptr_t value)
{
    if (item != kItemReferenceList) return CUserOpPage::SetPageData(item, value);
    references_ = reinterpret_cast<CComNumRefDlg*>(value);
    return 1;
}

void CUserOp05::fillLists()
{
    showTable(0);
    EnableItem(kReferences, references_ != nullptr);
}

void CUserOp05::showTable(int selectRow)
{
    auto* list = item<QTreeWidget>(kList);
    if (!list) return;
    list->clear();
    const int count = table_.GetTotalCount();
    for (int i = 0; i < count; ++i) {
        std::string name;
        double value = 0.0;
        if (table_.GetPrm(i, name, &value) != CComNumUs::kOk) break;
        auto* row = new QTreeWidgetItem(list);
        row->setText(0, mobr::cp932::toQString(name));
        row->setText(1, mobr::cp932::toQString(optiontext::valueText(value)));
    }
    if (count > 0) list->setCurrentItem(list->topLevelItem(std::clamp(selectRow, 0, count - 1)));
    setButtons();
}

int CUserOp05::selectedRow() const
{
    auto* list = item<QTreeWidget>(kList);
    return list && list->currentItem() ? list->indexOfTopLevelItem(list->currentItem()) : -1;
}

// Change and delete only for a value parameter of an editable table;
// add only while a slot is free.
void CUserOp05::setButtons()
{
    const int row = selectedRow();
    const bool changeable = editable_ && row >= 0 && table_.GetNumMode(row) > 0;
    SetDlgItemText(kNote, changeable || row < 0 ? std::string() : GetString(kFixedNote));
    EnableItem(kChange, changeable);
    EnableItem(kDelete, changeable);
    EnableItem(kAdd, editable_ && table_.GetTotalCount() < slots_);
}

void CUserOp05::OnSelChange(int id)
{
    if (id == kList) setButtons();
}

bool CUserOp05::OnCommand(int id)
{
    switch (id) {
    case kAdd: edit(-1); return true;
    case kChange: edit(selectedRow()); return true;
    case kDelete: deleteSelected(); return true;
    case kReferences:
        if (references_) references_->DoModal();
        return true;
    default: return CUserOpPage::OnCommand(id);
    }
}

void CUserOp05::OnDblClk(int id)
{
    if (id == kList && IsItemEnabled(kChange)) edit(selectedRow());
}

bool CUserOp05::OnKeyDown(int id, int key, Qt::KeyboardModifiers modifiers)
{
    if (id == kList && key == Qt::Key_Delete && IsItemEnabled(kDelete)) {
        deleteSelected();
        return true;
    }
    return CUserOpPage::OnKeyDown(id, key, modifiers);
}

void CUserOp05::edit(int index)
{
    CComNumEditDlg editor(table_, index, this);
    if (editor.DoModal() != ZQ_RESULT_OK) return;
    // An added parameter takes the first free slot, the last row.
    showTable(index < 0 ? table_.GetTotalCount() - 1 : index);
    SetFocusTo(kList);
}

void CUserOp05::deleteSelected()
{
    const int row = selectedRow();
    if (row < 0) return;
    table_.DelPrm(row);
    showTable(row);
}

void CUserOp05::WriteSettingReport(std::vector<std::string>& lines)
{
    CUserOpPage::WriteSettingReport(lines);
    for (int i = 0; i < table_.GetTotalCount(); ++i) {
        std::string name;
        double value = 0.0;
        if (table_.GetPrm(i, name, &value) != CComNumUs::kOk) break;
        char text[256];
        std::snprintf(text, sizeof text, "%-35s: %s\n", name.c_str(), optiontext::valueText(value).c_str());
        lines.emplace_back(text);
    }
    lines.emplace_back("\n");
}
