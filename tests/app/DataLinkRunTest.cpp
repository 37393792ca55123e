// The scenario runner's data-link step drives any dialog with a field table,
// not only the drawing size dialog.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <memory>

#include "DataLinkRun.h"
#include "mobrcctl/ZqFieldBinder.h"
#include "mobrdlg/ZqLinkDialog.h"
#include "mobrdlg/ZqUiDriver.h"

namespace {

constexpr int kCount = 1401;

// A small dialog built in code: a count typed into 1401 (item 30001), a
// ratio handed in and read back (item 20101), a label text (item 30002).
class CountDialog : public CZqLinkDialog {
public:
    CountDialog()
        : CZqLinkDialog(nullptr, {ZqField::integer(30001, kCount, 1, 99).withInitial(1),
                                  ZqField::real(20101, 0, 0.0, 1.0).withReceipt(ZqReceipt::Clamp),
                                  ZqField::text(30002, 0, 8)})
    {
        (new QLineEdit(this))->setObjectName("c1401");
        (new QPushButton("OK", this))->setObjectName("c1");
        setCreated();
    }

protected:
    bool OnInitDialog() override
    {
        binder_ = std::make_unique<CZqFieldBinder>(*this, fieldSet());
        binder_->attach();
        return true;
    }
    void OnOK() override
    {
        if (binder_->checkAll()) EndDialog(ZQ_RESULT_OK);
    }

private:
    std::unique_ptr<CZqFieldBinder> binder_;
};

TEST(DataLinkRun, AnyDialogWithAFieldTableIsSetRunAndReadBack)
{
    CountDialog dialog;
    CZqUiDriver driver(ZqUiScript().read(kCount, "count").type(kCount, "42").ok());
    const DataLinkRun::Result run =
        DataLinkRun::drive(dialog, QJsonObject{{"30001", 7}, {"20101", 2.5}, {"30002", "label"}, {"30009", 1}});
    EXPECT_EQ(run.runResult, 1);
    EXPECT_EQ(run.modalResult, 1);
    ASSERT_NE(driver.transcript().read("count"), nullptr);
    EXPECT_EQ(driver.transcript().read("count")->state.text, "7") << "the value set shows in its field";
    EXPECT_EQ(run.readBack.value("30001").toInt(), 42);
    EXPECT_DOUBLE_EQ(run.readBack.value("20101").toDouble(), 1.0) << "clamped on receipt";
    EXPECT_EQ(run.readBack.value("30002").toString(), "label");
    EXPECT_EQ(run.errors, QStringList{"item 30009 is not an item of the dialog"});
}

TEST(DataLinkRun, RefusedAndMistypedValuesAreReported)
{
    CountDialog dialog;
    CZqUiDriver driver(ZqUiScript().cancel());
    const DataLinkRun::Result run = DataLinkRun::drive(dialog, QJsonObject{{"30001", 100}, {"20101", "half"}});
    EXPECT_EQ(run.modalResult, 2);
    EXPECT_EQ(run.errors, (QStringList{"item 20101 is not a number", "item 30001 was refused"}));
    EXPECT_EQ(run.readBack.value("30001").toInt(), 1);
}

}  // namespace
