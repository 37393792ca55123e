#pragma once

// Base of the fixtures that run the module's dialogs against a fresh
// reference host: the module's resource file loaded once, and a UI driver
// acting as the person, whose errors fail the test and whose transcript the
// test reads afterwards. Needs MOBR_RESOURCE_FILE and tests/host on the
// include path.

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "HostFixture.h"
#include "TranscriptLookups.h"
#include "mobrdlg/ZqResources.h"
#include "mobrdlg/ZqUiDriver.h"

class DriverHarness : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        static const long resources = ZqLoadResourceFile(MOBR_RESOURCE_FILE);
        ASSERT_NE(resources, 0);
    }

    void TearDown() override
    {
        driver_.reset();
        HostFixture::TearDown();
    }

    // Installs the driver that acts out `script` in the dialogs opened next.
    void drive(ZqUiScript script) { driver_ = std::make_unique<CZqUiDriver>(std::move(script)); }
    // Every script action must have run: each of the driver's errors fails the test.
    void expectNoDriverErrors() const
    {
        for (const auto& error : driver_->transcript().errors()) ADD_FAILURE() << error.message;
    }

    // What the driver saw in the last run.
    const ZqUiTranscript& transcript() const { return driver_->transcript(); }
    std::vector<int> messageIds() const { return transcriptlookup::messageIds(transcript()); }
    // The state a read labelled `label` recorded (ZqUiScript::read(id, label)).
    const ZqControlState& readOf(const std::string& label) const
    {
        return transcriptlookup::readOf(transcript(), label);
    }

    // The names of the journal's calls, in call order, that are among `names`.
    static std::vector<std::string> callsAmong(const std::vector<std::string>& names)
    {
        std::vector<std::string> calls;
        for (const auto& entry : mobrhost::journalEntries()) {
            if (std::find(names.begin(), names.end(), entry.name) != names.end()) calls.push_back(entry.name);
        }
        return calls;
    }
    // The argument lists of every call of `name`.
    static std::vector<std::vector<std::string>> argsOf(const std::string& name)
    {
        std::vector<std::vector<std::string>> args;
        for (const auto& entry : mobrhost::journalEntries(name)) args.push_back(entry.args);
        return args;
    }

    std::unique_ptr<CZqUiDriver> driver_;
};
