#include "attributes/AttributeNameCheck.h"

#include <utility>

#include "mobr/host_types.h"
#include "mobrdchk/DlgDataCheck.h"
#include "mobrdlg/ZqDialog.h"
#include "mobrdlg/ZqMessageBox.h"
#include "mobrdlg/ZqResources.h"
#include "platform/CodePage.h"

CAttributeNameCheck::CAttributeNameCheck(const Messages& messages, Finder find)
    : messages_(messages), find_(std::move(find))
{
}

std::string CAttributeNameCheck::forbiddenCharacter(const std::string& name, const std::string& forbidden)
{
    for (std::size_t pos = 0; pos < name.size();) {
        const std::size_t length = mobr::cp932::charLength(name, pos);
        for (std::size_t f = 0; f < forbidden.size();) {
            const std::size_t flength = mobr::cp932::charLength(forbidden, f);
            // Whole characters only: a trail byte never matches a listed one.
            if (flength == length && forbidden.compare(f, flength, name, pos, length) == 0) {
                return name.substr(pos, length);
            }
            f += flength;
        }
        pos += length;
    }
    return {};
}

bool CAttributeNameCheck::refuse(CZqDialog& dialog, int editId, int message, const char* argument) const
{
    ZqDlgMessageBox(&dialog, ZQ_MB_OK | ZQ_MB_ICONEXCLAMATION, 0, message, argument);
    CDlgDataCheck::focusField(dialog.GetDlgItem(editId));
    return false;
}

bool CAttributeNameCheck::check(CZqDialog& dialog, int editId, int self, std::string& name) const
{
    std::string text = dialog.GetDlgItemText(editId);
    if (CDlgDataCheck::IsAllSpace(text)) return refuse(dialog, editId, messages_.blank);
    CDlgDataCheck::SpaceCut(text);
    dialog.SetDlgItemText(editId, text);
    if (text.size() > mobr::kHostNameBytes) return refuse(dialog, editId, messages_.tooLong);

    const std::string character = forbiddenCharacter(text, GetString(kForbiddenChars));
    if (!character.empty()) return refuse(dialog, editId, messages_.forbiddenChar, character.c_str());

    const int owner = find_ ? find_(text.c_str()) : -1;
    if (owner > 0 && (self <= 0 || owner != self)) return refuse(dialog, editId, messages_.used);
    name = text;
    return true;
}
