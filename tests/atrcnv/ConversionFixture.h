#pragma once

// A current figure (the default one, with a few elements) and a reference
// figure file that differs from it: THICK is 0.7 there, and it adds the
// width HAIR, the colour ORANGE and the pen PHANTOM (HAIR, ORANGE).

#include <memory>

#include "AtrCnvTestSupport.h"
#include "atrcnv/CAtrCnvTargets.h"

namespace cnvtest {

// Default figure: pens SOLID 1, DASHED 2, DOTTED 3, CHAIN 4, ASSIST 5;
// widths THIN 1, MEDIUM 2, THICK 3, EXTRA 4; colours BLACK 1, RED 2, GREEN 3,
// BLUE 4, YELLOW 5, CYAN 6, MAGENTA 7, GRAY 8.
constexpr int kSolid = 1, kDashed = 2, kDotted = 3, kChain = 4;
constexpr int kThin = 1, kMedium = 2;
constexpr int kBlack = 1, kRed = 2, kGreen = 3;

class ConversionFixture : public HostFixture {
protected:
    using Figure = CAtrCnvTargets::Figure;
    using Table = CAtrCnvTargets::Table;

    void SetUp() override
    {
        HostFixture::SetUp();
        writeReference(ref_, [this](const Tables& t) {
            hostapi::aatWidSetWidth(t.widths, hostapi::aatWidFindName(t.widths, "THICK"), 0.7);
            addWidth(t, "HAIR", 0.05, 5);
            addColour(t, "ORANGE", 255, 128, 0);
            addPen(t, "PHANTOM", 5, "HAIR", "ORANGE");
            editReference(t);
        });
    }

    // The conversion ends (its copies and the reference go back) before the
    // fixture checks that everything was ended.
    void TearDown() override
    {
        owner_.reset();
        HostFixture::TearDown();
    }

    // More changes to the reference figure.
    virtual void editReference(const Tables&) {}

    void writeDefinition(const std::string& sections)
    {
        writeBytes(def_, "[System]\r\nZqAtrCnv=ZQV10_01\r\nRefFile=" + ref_ + "\r\n" + sections);
    }

    void load()
    {
        ASSERT_GE(targets_.prepare(), 0);
        ASSERT_EQ(targets_.loadReference(ref_), CAtrCnvTargets::kLoaded);
    }

    void* current(Table t) const { return targets_.table(Figure::Current, t); }
    void* reference(Table t) const { return targets_.table(Figure::Reference, t); }

    std::string ref_ = tempPath("reference.fig");
    std::string def_ = tempPath("definition.fac");
    RecordingListener listener_;
    std::unique_ptr<CAtrCnvTargets> owner_ = std::make_unique<CAtrCnvTargets>(listener_);
    CAtrCnvTargets& targets_ = *owner_;
};

}  // namespace cnvtest
