#pragma once

#include <array>
#include <cstdint>
#include <memory>

class CSysElem1;
class CSysElem2;
class CSysElem3;
class CSysElem4;
class CZqPropertySheet;

// One call of the element settings sheet: reads the attributes that new
// elements of the current figure get, hands them to the four pages, runs the
// sheet and, on OK, writes the pages back in the order 1 to 4.
//
// A failing read ends the call without a sheet. A failing write stops the
// writes: the pages written before it stay written (the host has them), the
// host still refreshes its attribute display and the person is told (host
// warning 9000), so a partial change never passes silently.
class CElementSheet {
public:
    static constexpr int kCaption = 7010;
    static constexpr int kWarnFailed = 9000;

    CElementSheet();
    virtual ~CElementSheet();
    CElementSheet(const CElementSheet&) = delete;
    CElementSheet& operator=(const CElementSheet&) = delete;

    // Runs the whole call; always 0.
    int run();

    // The hatch pattern ratio shown for a figure: the stored ratio within
    // 0.01 to 999999.0, else the scale ratio numerator / denominator, and
    // 1.0 when that is not a finite positive number.
    static double hatchRatio(double stored, int32_t numerator, int32_t denominator);

protected:
    // Runs the sheet modally; its result (1 OK, 2 Cancel, -1 or 3 when it
    // could not be shown).
    virtual int runSheet();
    CZqPropertySheet* sheet() const { return sheet_.get(); }

private:
    enum Table { kPens, kColours, kTips, kFonts, kPenEx, kTableCount };

    void runSteps();
    void buildSheet();
    void readLayerColour();
    bool loadTables();
    bool loadPage1();
    bool loadPage2();
    bool loadPage3();
    bool loadPage4();
    bool applyPage1();
    bool applyPage2();
    bool applyPage3();
    bool applyPage4();
    bool paperUnits() const { return charSizeMode_ == 1; }
    double toPaper(double real) const;
    double toReal(double paper) const;
    std::intptr_t table(Table t) const { return reinterpret_cast<std::intptr_t>(tables_[t]); }

    short figure_ = 0;
    int layerFlag_ = 0;
    int layerColour_ = 0;
    int charSizeMode_ = 0;
    std::array<void*, kTableCount> tables_{};
    // Declared before the pages: the pages go first, then the sheet.
    std::unique_ptr<CZqPropertySheet> sheet_;
    std::unique_ptr<CSysElem1> page1_;
    std::unique_ptr<CSysElem2> page2_;
    std::unique_ptr<CSysElem3> page3_;
    std::unique_ptr<CSysElem4> page4_;
};
