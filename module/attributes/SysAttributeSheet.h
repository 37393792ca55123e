#pragma once

#include <array>
#include <cstdint>
#include <memory>

class CPageSysAttribute1;
class CPageSysAttribute2;
class CPageSysAttribute3;
class CPageSysAttribute4;
class CPageSysAttribute5;
class CPageSysAttribute6;
class CZqPropertySheet;

// One call of the system attribute sheet. It takes edit copies of the current
// figure's pens, pen colours, widths, colours, fonts, tips and extended
// characters, hands them with the figure-wide values to six pages, runs the
// sheet, and then commits (OK) or throws away (anything else) every copy.
// Nothing reaches the figure before the copies are committed.
//
// Every copy taken is ended exactly once: by the regular commit or discard
// after the sheet, or by the exit steps, which throw away whatever is still
// held whenever the call ends early (a refused value, a failed host call, a
// missing host function).
class CSysAttributeSheet {
public:
    // Item ids of the values handed to the pages.
    enum Item : int {
        kItem1 = 30001,
        kItem2 = 30002,
        kItem3 = 30003,
        kItem4 = 30004,
        kItem5 = 30005,
    };
    static constexpr int kCaption = 7008;
    static constexpr int kWarnNotShown = 9000;
    // Attribute displays refreshed after OK, in this order; -1 ends the series.
    static constexpr std::array<int32_t, 9> kAttributeDisplays = {
        20009, 20011, 20008, 20010, 24003, 24001, 24002, 24004, -1};

    CSysAttributeSheet();
    virtual ~CSysAttributeSheet();
    CSysAttributeSheet(const CSysAttributeSheet&) = delete;
    CSysAttributeSheet& operator=(const CSysAttributeSheet&) = delete;

    // Runs the whole call; always 0.
    int run();

    // The error-distance exponent shown for a host error distance: the
    // number of decimal places of `distance` (0.001 gives 3, 1000 gives -3).
    // False for a distance that has none (zero, negative, not finite).
    static bool exponentOf(double distance, int* exponent);
    // The error distance written back for an exponent: 1 / 1.0E<exponent>.
    static double distanceOf(int exponent);

protected:
    // Runs the sheet modally; its result (1 OK, 2 Cancel, -1 or 3 when it
    // could not be shown).
    virtual int runSheet();

private:
    // An edit copy and whether it still has to be ended.
    struct Copy {
        void* handle = nullptr;
        bool held = false;
    };
    enum CopyIndex { kPens, kPenColours, kWidths, kColours, kFonts, kTips, kCharEx, kCopyCount };

    void runSteps();
    bool readHost();
    bool takeCopy(CopyIndex index, void* (*edit)(short));
    void buildSheet();
    bool handValues();
    bool applyRenames();
    bool endCopies(int32_t discard);
    bool endCopy(CopyIndex index, int32_t discard);
    bool writeFigureValues();
    void refreshDisplays();
    void exitSteps();
    void* currentOrderTable() const;

    short figure_ = 0;
    std::array<Copy, kCopyCount> copies_{};
    void* orderTable_ = nullptr;
    std::array<double, 3> dimValues_{};
    int exponent_ = 0;
    int colourDepth_ = 0;
    int drawOrder_ = 0;
    double tipLength_ = 0.0;

    std::unique_ptr<CZqPropertySheet> sheet_;
    std::unique_ptr<CPageSysAttribute1> page1_;
    std::unique_ptr<CPageSysAttribute2> page2_;
    std::unique_ptr<CPageSysAttribute3> page3_;
    std::unique_ptr<CPageSysAttribute4> page4_;
    std::unique_ptr<CPageSysAttribute5> page5_;
    std::unique_ptr<CPageSysAttribute6> page6_;
};
