// The field table's values and receipt rules, and the binder that checks
// what a person typed against them.

#include <QLineEdit>
#include <cmath>
#include <stdexcept>

#include "CctlTestMain.h"
#include "mobrcctl/ZqFieldBinder.h"
#include "mobrdlg/ZqFieldLink.h"
#include "mobrdlg/ZqUiDriver.h"

namespace {

TEST(FieldSet, ConversionsAndReceiptRules)
{
    CZqFieldLink link({
        ZqField::choice(30001, 0, 3).withConversion(ZqConversion::OneBased),
        ZqField::real(30002, 0, 0.0, 5.0).withConversion(ZqConversion::Hundredths),
        ZqField::integer(30003, 0, -10, 10).withConversion(ZqConversion::Widen16).withReceipt(ZqReceipt::Clamp),
        ZqField::real(20101, 0, 1.0, 2.0).withReceipt(ZqReceipt::Clamp),
        ZqField::text(30004, 0, 4),
    });
    int index = 0;
    EXPECT_EQ(link.SetPageInt(30001, 3), 1);
    EXPECT_EQ(link.SetPageInt(30001, 0), 0) << "one-based: 0 is below the first row";
    EXPECT_EQ(link.GetPageInt(30001, &index), 1);
    EXPECT_EQ(index, 3);
    EXPECT_DOUBLE_EQ(link.fieldSet().value(*link.fieldSet().byItem(30001)), 2.0);

    EXPECT_EQ(link.SetPageInt(30002, 250), 0) << "reals take doubles only";
    EXPECT_EQ(link.SetPageDouble(30002, 250.0), 1);
    EXPECT_DOUBLE_EQ(link.fieldSet().value(*link.fieldSet().byItem(30002)), 2.5);
    EXPECT_EQ(link.SetPageDouble(30002, 501.0), 0);
    double hundredths = 0.0;
    EXPECT_EQ(link.GetPageDouble(30002, &hundredths), 1);
    EXPECT_DOUBLE_EQ(hundredths, 250.0);

    short widened = 0;
    EXPECT_EQ(link.SetPageShort(30003, -300), 1);
    EXPECT_EQ(link.GetPageShort(30003, &widened), 1);
    EXPECT_EQ(widened, -10) << "clamped on receipt";

    double real = 0.0;
    EXPECT_EQ(link.SetPageDouble(20101, std::nan("")), 0) << "a clamping field still refuses NaN";
    EXPECT_EQ(link.GetPageDouble(20101, &real), 1);
    EXPECT_DOUBLE_EQ(real, 1.0);

    char text[8] = {};
    EXPECT_EQ(link.SetPageString(30004, "ABCDEFG"), 1);
    EXPECT_EQ(link.GetPageString(30004, text, sizeof text), 1);
    EXPECT_STREQ(text, "ABCD") << "cut to the field's length";
    EXPECT_EQ(link.SetPageInt(39999, 1), 0);

    // A copy of a declared field finds its value; a field of another table does not.
    const ZqField copy = *link.fieldSet().byItem(30002);
    EXPECT_DOUBLE_EQ(link.fieldSet().value(copy), 2.5);
    EXPECT_THROW(link.fieldSet().value(ZqField::check(30099, 1101)), std::invalid_argument);
}

// Two edits: a real with two decimals and a settling integer.
void addEdits(TestWindow& page)
{
    for (const char* name : {"c1401", "c1402"}) (new QLineEdit(page.root.get()))->setObjectName(name);
    page.wire();
}

TEST(FieldBinder, UntouchedTextKeepsTheExactValueAndTypedTextIsChecked)
{
    CZqFieldSet fields({ZqField::real(0, 1401, 0.0, 10.0).withDecimals(2),
                        ZqField::integer(0, 1402, 0, 255).settling()});
    TestWindow page;
    addEdits(page);
    CZqFieldBinder binder(page, fields);
    fields.setValueOf(1401, 1.0 / 3.0);
    binder.attach();
    EXPECT_EQ(page.GetDlgItemText(1401), "0.33");
    ASSERT_TRUE(binder.checkAll());
    EXPECT_DOUBLE_EQ(fields.valueOf(1401), 1.0 / 3.0) << "the shown text is not read back";

    page.SetDlgItemText(1402, "300");
    ASSERT_TRUE(binder.check(1402));
    EXPECT_EQ(page.GetDlgItemText(1402), "255");
    EXPECT_DOUBLE_EQ(fields.valueOf(1402), 255.0);

    CZqUiDriver driver{ZqUiScript()};  // the refusal's message box is answered, not waited for
    page.SetDlgItemText(1401, "10.01");
    EXPECT_FALSE(binder.checkAll());
    EXPECT_DOUBLE_EQ(fields.valueOf(1401), 1.0 / 3.0) << "a refused page keeps every value";
    ASSERT_EQ(driver.transcript().messages().size(), 1u);
    page.SetDlgItemText(1401, "9.5");
    page.SetDlgItemText(1402, "x");
    EXPECT_TRUE(binder.checkAll());
    EXPECT_DOUBLE_EQ(fields.valueOf(1401), 9.5);
    EXPECT_DOUBLE_EQ(fields.valueOf(1402), 0.0) << "a settling field takes 0 for a text that is no number";
}

TEST(FieldBinder, TextFieldsTakeTheirByteLimitAndGoBackAsTyped)
{
    CZqFieldSet fields({ZqField::text(30001, 1401, 4)});
    TestWindow page;
    (new QLineEdit(page.root.get()))->setObjectName("c1401");
    page.wire();
    CZqFieldBinder binder(page, fields);
    binder.attach();
    typeKeys(page.GetDlgItem(1401), "ABCDEF");
    ASSERT_TRUE(binder.checkAll());
    EXPECT_EQ(fields.text(*fields.byItem(30001)), "ABCD");
}

}  // namespace
