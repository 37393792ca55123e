#include "attributes/FontEditDlg.h"

#include <utility>

#include <QFont>
#include <QFontDatabase>
#include <QWidget>

#include "frame/HostApi.h"
#include "mobr/host_types.h"
#include "platform/CodePage.h"

namespace {

// Captions 7060 (new) and 7061 (modify), help topic 463, name messages
// 7259 (blank), 7260 (too long), 7261 (forbidden character), 7262 (taken).
constexpr CAttributeEditDlg::Texts kTexts{7060, 7061, 463, {7259, 7260, 7261, 7262}};
constexpr int kMsgNoFace = 7263;

constexpr int kBoldBit = 0x20;
constexpr int kItalicBit = 0x10;
constexpr int kBoldWeight = 700;
constexpr int kNormalWeight = 400;

CFontEditDlg::FaceSource& faceSource()
{
    static CFontEditDlg::FaceSource source;
    return source;
}

QStringList familiesOfSystem()
{
    const auto& source = faceSource();
    return source.families ? source.families() : QFontDatabase::families();
}

QStringList stylesOf(const QString& family)
{
    const auto& source = faceSource();
    return source.styles ? source.styles(family) : QFontDatabase::styles(family);
}

}  // namespace

CFontEditDlg::FaceSource CFontEditDlg::setFaceSource(FaceSource source)
{
    return std::exchange(faceSource(), std::move(source));
}

const std::vector<ZqField>& CFontEditDlg::fieldTable()
{
    // The face list holds the system's faces, known only when the editor
    // opens: it stays with the editor's own code.
    static const std::vector<ZqField> fields = {ZqField::check(0, kBoldBox), ZqField::check(0, kItalicBox)};
    return fields;
}

CFontEditDlg::CFontEditDlg(void* fonts, int entry, Mode mode, QWidget* parent)
    : CAttributeEditDlg("IDD_S_013", fieldTable(), kTexts, &hostapi::aatFntFindName, fonts, entry, mode, parent)
{
}

CFontEditDlg::Result CFontEditDlg::result() const
{
    return {name(), face_, fieldSet().valueOf(kBoldBox) != 0.0, fieldSet().valueOf(kItalicBox) != 0.0};
}

CFontEditDlg::~CFontEditDlg() = default;

void CFontEditDlg::initFields()
{
    ResetContent(kFaceList);
    for (const QString& family : familiesOfSystem()) {
        const std::string face = mobr::cp932::fromQString(family);
        // The host keeps a face in a fixed field: a longer name could not be
        // stored whole, so it is not offered.
        if (!face.empty() && face.size() < mobr::kHostFaceNameBytes) AddString(kFaceList, face);
    }
    SetCurSel(kFaceList, -1);
    if (entry() > 0) {
        char name[mobr::kHostNameBufferBytes] = {};
        hostapi::aatFntGetName(table(), entry(), name);
        SetDlgItemText(kNameEdit, name);
        char face[mobr::kHostFaceNameBytes] = {};
        hostapi::aatFntGetFaceName(table(), entry(), face);
        for (int i = 0, n = GetCount(kFaceList); i < n; ++i) {
            if (GetItemText(kFaceList, i) == face) SetCurSel(kFaceList, i);
        }
        const int attrib = hostapi::aatFntGetAttrib(table(), entry());
        fieldSet().setValueOf(kBoldBox, attrib >= 0 && (attrib & kBoldBit));
        fieldSet().setValueOf(kItalicBox, attrib >= 0 && (attrib & kItalicBit));
    }
}

void CFontEditDlg::fieldsShown()
{
    applyFaceStyles();
    showSample();
}

void CFontEditDlg::applyFaceStyles()
{
    EnableItem(kBoldBox, true);
    EnableItem(kItalicBox, true);
    const int index = GetCurSel(kFaceList);
    if (index < 0) return;
    const QStringList styles = stylesOf(mobr::cp932::toQString(GetItemText(kFaceList, index)));
    if (styles.size() != 1) return;
    const QString& only = styles.front();
    const bool bold = only == QLatin1String("Bold") || only == QLatin1String("Bold Italic");
    const bool italic = only == QLatin1String("Italic") || only == QLatin1String("Bold Italic");
    if (bold) {
        CheckDlgButton(kBoldBox, true);
        EnableItem(kBoldBox, false);
    }
    if (italic) {
        CheckDlgButton(kItalicBox, true);
        EnableItem(kItalicBox, false);
    }
}

void CFontEditDlg::showSample()
{
    QWidget* sample = GetDlgItem(kSample);
    if (!sample) return;
    QFont font = sample->font();
    const int index = GetCurSel(kFaceList);
    if (index >= 0) font.setFamilies({mobr::cp932::toQString(GetItemText(kFaceList, index))});
    font.setWeight(IsDlgButtonChecked(kBoldBox) ? QFont::Weight(kBoldWeight) : QFont::Weight(kNormalWeight));
    font.setItalic(IsDlgButtonChecked(kItalicBox));
    sample->setFont(font);
}

void CFontEditDlg::OnSelChange(int id)
{
    if (id != kFaceList) return;
    applyFaceStyles();
    showSample();
}

bool CFontEditDlg::OnCommand(int id)
{
    if (id == kBoldBox || id == kItalicBox) {
        showSample();
        return true;
    }
    return CAttributeEditDlg::OnCommand(id);
}

bool CFontEditDlg::takeFields()
{
    const int index = GetCurSel(kFaceList);
    if (index < 0) return refuse(kMsgNoFace, kFaceList);
    face_ = GetItemText(kFaceList, index);
    return true;
}
