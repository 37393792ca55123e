#pragma once

// Base of the element settings tests: a fresh reference host with default
// figure 0, the module's resource file, and the UI driver acting as the
// person in the element settings sheet (CElementSheet, as aapLelm runs it).

#include <memory>
#include <string>
#include <vector>

#include "DriverHarness.h"
#include "FigureTestSupport.h"
#include "elements/ElementSheet.h"
#include "mobr/Bytes.h"
#include "mobr/host_blocks.h"
#include "store/FigureJson.h"

class ElementTestHarness : public DriverHarness {
protected:
    // Runs aapLelm's sheet with `script`; the driver's errors fail the test.
    void runSheet(ZqUiScript script, CElementSheet&& sheet = CElementSheet())
    {
        drive(std::move(script));
        mobrhost::journalClear();
        EXPECT_EQ(sheet.run(), 0);
        expectNoDriverErrors();
    }
    static std::vector<std::string> callNames()
    {
        std::vector<std::string> names;
        for (const auto& e : mobrhost::journalEntries()) names.push_back(e.name);
        return names;
    }
    static int callCount(const std::string& name) { return static_cast<int>(mobrhost::journalEntries(name).size()); }

    static mobrhost::Figure& figure() { return *figtest::model().figure(0); }
    static uint32_t word(const std::array<unsigned char, 16>& block) { return mobr::bytes::u32(block.data(), 0); }
    static std::string figureJson() { return mobrhost::FigureJson::toJson(figure()).dump(); }
};
