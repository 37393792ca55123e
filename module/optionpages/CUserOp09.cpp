#include "optionpages/CUserOp09.h"

#include <QColor>
#include <QIcon>
#include <QListWidget>
#include <QPixmap>

#include <array>
#include <cstdio>
#include <iterator>

#include "frame/HostApi.h"
#include "mobrdlg/ZqDialogString.h"
#include "mobrdlg/ZqResources.h"
#include "optionpages/CColorEditDlg.h"
#include "platform/CodePage.h"

namespace {

struct ColourRow {
    int code;  // the host's colour code (aatColGetIndex)
    int nameId;
};

// The rows in list order: the system colours, then sketch colours 1 to 4.
constexpr ColourRow kRows[] = {
    {0, 7037},  {1, 7038},  {2, 7039},  {14, 7040}, {19, 7041}, {20, 7042}, {24, 7043}, {31, 7044},
    {33, 7045}, {22, 7046}, {34, 7047}, {36, 7048}, {35, 7049}, {37, 7050}, {44, 7181},
    {40, 7109}, {41, 7110}, {42, 7111}, {43, 7112},
};
constexpr int kSwatchSize = 16;

uint32_t pack(int red, int green, int blue)
{
    return static_cast<uint32_t>(red & 0xFF) | static_cast<uint32_t>(green & 0xFF) << 8 |
           static_cast<uint32_t>(blue & 0xFF) << 16;
}

}  // namespace

CUserOp09::CUserOp09() : CUserOpPage("IDD_S_023", kTitle, kHelpTopic, {}) {}

void CUserOp09::readHost()
{
    using namespace hostapi;
    colours_.clear();
    void* info = aatSysGetColInfo();
    for (int i = 0; i < static_cast<int>(std::size(kRows)); ++i) {
        CSysColorData entry;
        entry.name = GetString(kRows[i].nameId);
        entry.index = aatColGetIndex(kRows[i].code);
        int32_t r = 0, g = 0, b = 0;
        if (i < kSystemColours) aatSysColGetRGB(info, entry.index, &r, &g, &b);
        else aatSysGetSktColor(i - kSystemColours + 1, &r, &g, &b);
        entry.rgb = pack(r, g, b);
        colours_.push_back(entry);
    }
}

void CUserOp09::fillLists()
{
    auto* list = item<QListWidget>(kList);
    if (!list) return;
    list->clear();
    for (const CSysColorData& c : colours_) list->addItem(mobr::cp932::toQString(c.name));
    for (int row = 0; row < static_cast<int>(colours_.size()); ++row) showRow(row);
    list->setCurrentRow(0);
}

void CUserOp09::showRow(int row)
{
    auto* list = item<QListWidget>(kList);
    if (!list || !list->item(row)) return;
    const CSysColorData& c = colours_[static_cast<std::size_t>(row)];
    QPixmap swatch(kSwatchSize, kSwatchSize);
    swatch.fill(QColor(c.red(), c.green(), c.blue()));
    list->item(row)->setIcon(QIcon(swatch));
}

bool CUserOp09::OnCommand(int id)
{
    if (id == kChange) {
        editSelected();
        return true;
    }
    return CUserOpPage::OnCommand(id);
}

void CUserOp09::OnDblClk(int id)
{
    if (id == kList) editSelected();
}

void CUserOp09::editSelected()
{
    auto* list = item<QListWidget>(kList);
    const int row = list ? list->currentRow() : -1;
    if (row < 0 || row >= static_cast<int>(colours_.size())) return;
    CSysColorData& c = colours_[static_cast<std::size_t>(row)];
    CColorEditDlg editor({c.red(), c.green(), c.blue()}, this);
    if (editor.DoModal() != ZQ_RESULT_OK) return;
    const std::array<int, 3> rgb = editor.rgb();
    c.rgb = pack(rgb[0], rgb[1], rgb[2]);
    c.changed = true;
    showRow(row);
}

void CUserOp09::WriteSettingReport(std::vector<std::string>& lines)
{
    char text[512];
    std::snprintf(text, sizeof text, "  < %s >\n", title().c_str());
    lines.emplace_back(text);
    lines.emplace_back("\n");
    lines.push_back(GetString(kReportHeading) + "\n");
    for (const CSysColorData& c : colours_) {
        std::snprintf(text, sizeof text, "%-35s: [%3d]  [%3d]  [%3d]\n", EditDialogString(c.name).c_str(), c.red(),
                      c.green(), c.blue());
        lines.emplace_back(text);
    }
}
