// The field tables of the element settings pages and the dimension text
// dialog, walked field by field: each number typed inside its range, at both
// ends and just beyond them (refused when leaving), read back through the
// data link after OK. A value longer than its edit takes cannot be typed and
// is no case.

#include <memory>

#include "ElementTestHarness.h"
#include "FieldTableWalk.h"
#include "elements/CDimTextDlg.h"
#include "elements/CSysElem1.h"
#include "elements/CSysElem3.h"
#include "mobrdlg/ZqPropertySheet.h"

namespace {

std::vector<fieldwalk::Case> typeableCases(const std::vector<ZqField>& table)
{
    std::vector<fieldwalk::Case> cases;
    for (const fieldwalk::Case& c : fieldwalk::cases(table)) {
        const int limit = c.field->maxChars;
        if (limit == 0 || static_cast<int>(c.action.text.size()) <= limit) cases.push_back(c);
    }
    return cases;
}

double itemValue(CZqDataLink& link, const ZqField& field)
{
    return fieldwalk::readBack(link, field);
}

template <class Page>
std::unique_ptr<Page> pageOnFigure()
{
    auto page = std::make_unique<Page>();
    const std::intptr_t pens = reinterpret_cast<std::intptr_t>(hostapi::aatFigGetPenInfo(0));
    const std::intptr_t colours = reinterpret_cast<std::intptr_t>(hostapi::aatFigGetColInfo(0));
    page->SetPageData(Page::kItemPenTable, pens);
    page->SetPageData(Page::kItemColourTable, colours);
    page->SetPageData(Page::kItemPenExTable, reinterpret_cast<std::intptr_t>(hostapi::aatFigGetPenExInfo(0)));
    return page;
}

class ElementTableWalk : public ElementTestHarness {
protected:
    int runPage(CZqPropertyPage& page, ZqUiScript script)
    {
        CZqPropertySheet sheet(std::string("Elements"));
        sheet.AddPage(&page);
        driver_ = std::make_unique<CZqUiDriver>(std::move(script));
        return sheet.DoModal();
    }

    template <class Page>
    void walkPage()
    {
        for (const fieldwalk::Case& c : typeableCases(Page::fieldTable())) {
            auto page = pageOnFigure<Page>();
            const int result = runPage(*page, fieldwalk::scriptFor(c));
            fieldwalk::expectOutcome(c, result, transcript(), [&] { return itemValue(*page, *c.field); });
            for (const auto& error : transcript().errors()) ADD_FAILURE() << c.label << ": " << error.message;
        }
    }
};

}  // namespace

TEST_F(ElementTableWalk, LinePageFields)
{
    walkPage<CSysElem1>();
}

TEST_F(ElementTableWalk, CharacterPageFields)
{
    walkPage<CSysElem3>();
}

TEST_F(ElementTableWalk, DimensionTextDialogFields)
{
    for (const fieldwalk::Case& c : typeableCases(CDimTextDlg::fieldTable())) {
        if (c.field->item == 0) continue;
        CDimTextDlg dialog;
        // Switch 3 is open only with the second placement button.
        ZqUiScript prefix;
        if (c.field->control == CDimTextDlg::kSwitch3) prefix.click(CDimTextDlg::kPlacementSecond);
        driver_ = std::make_unique<CZqUiDriver>(fieldwalk::scriptFor(c, prefix));
        int result = 0;
        dialog.RunDialog(&result);
        fieldwalk::expectOutcome(c, result, transcript(), [&] {
            // Hundredths go back as hundredths.
            const double back = itemValue(dialog, *c.field);
            return c.field->conversion == ZqConversion::Hundredths ? back / 100.0 : back;
        });
        for (const auto& error : transcript().errors()) ADD_FAILURE() << c.label << ": " << error.message;
    }
}
