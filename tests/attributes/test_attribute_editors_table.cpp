// The width, colour and font editors walked through their field tables: each
// field typed or chosen in a new entry, read back from the editor's result.

#include <QStringList>

#include "AttributeTestHarness.h"
#include "FieldTableWalk.h"
#include "attributes/ColourEditDlg.h"
#include "attributes/FontEditDlg.h"
#include "attributes/WidthEditDlg.h"

namespace {

constexpr int kNameEdit = CAttributeEditDlg::kNameEdit;

class EditorTable : public AttributeTestHarness {
protected:
    EditorTable() : AttributeTestHarness(kWidthCopy | kColourCopy | kFontCopy) {}

    void SetUp() override
    {
        AttributeTestHarness::SetUp();
        // Faces of every style, so that no face locks the style boxes.
        previous_ = CFontEditDlg::setFaceSource(
            {[] { return QStringList{"Alpha", "Beta"}; },
             [](const QString&) { return QStringList{"Regular", "Bold", "Italic", "Bold Italic"}; }});
    }
    void TearDown() override
    {
        CFontEditDlg::setFaceSource(previous_);
        AttributeTestHarness::TearDown();
    }

    // Runs every case of `Editor`'s table on a new entry named "Fresh";
    // `valueOf` reads a control's value from the editor's result.
    template <class Editor, class Read>
    void walk(void* table, ZqUiScript prefix, Read valueOf)
    {
        for (const fieldwalk::Case& c : fieldwalk::cases(Editor::fieldTable())) {
            Editor editor(table, 0, CAttributeEditDlg::Mode::New);
            driver_ = std::make_unique<CZqUiDriver>(fieldwalk::scriptFor(c, prefix));
            const int result = editor.DoModal();
            for (const auto& error : transcript().errors()) ADD_FAILURE() << c.label << ": " << error.message;
            fieldwalk::expectOutcome(c, result, transcript(), [&] { return valueOf(editor, c.field->control); });
        }
    }

    CFontEditDlg::FaceSource previous_;
};

TEST_F(EditorTable, WidthEditorFieldsRoundTrip)
{
    walk<CWidthEditDlg>(widths_, ZqUiScript().type(kNameEdit, "Fresh"), [](const CWidthEditDlg& editor, int control) {
        const auto result = editor.result();
        return control == CWidthEditDlg::kWidthEdit ? result.width : result.plotPen;
    });
}

TEST_F(EditorTable, ColourEditorFieldsRoundTrip)
{
    walk<CColourEditDlg>(colours_, ZqUiScript().type(kNameEdit, "Fresh"),
                         [](const CColourEditDlg& editor, int control) {
                             return editor.result().rgb.at(control - CColourEditDlg::kRedEdit);
                         });
}

TEST_F(EditorTable, FontEditorFieldsRoundTrip)
{
    walk<CFontEditDlg>(fonts_, ZqUiScript().type(kNameEdit, "Fresh").select(CFontEditDlg::kFaceList, 1),
                       [](const CFontEditDlg& editor, int control) {
                           const auto result = editor.result();
                           EXPECT_EQ(result.face, "Beta");
                           return control == CFontEditDlg::kBoldBox ? result.bold : result.italic;
                       });
}

}  // namespace
