#pragma once

// Base of the host's tests: every test starts a fresh host (a fresh system
// folder in a temporary directory, filled with the default settings files; a
// fresh figure), with the journal on, and ends by checking that every edit
// copy, index table and reference figure it took was ended exactly once.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <string>

#include "api/HostRuntime.h"

class HostFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        start_.systemFolder = systemFolder();
        adjustStart(start_);
        std::string error;
        ASSERT_TRUE(mobrhost::startHost(start_, &error)) << error;
        mobrhost::journalEnable(true);
    }

    void TearDown() override
    {
        for (const std::string& problem : mobrhost::unendedResources()) ADD_FAILURE() << problem;
        mobrhost::journalEnable(false);
        mobrhost::unregisterAll();
    }

    // A test changes how the host starts (boot state, PDF printing) here.
    virtual void adjustStart(mobrhost::HostStart&) {}

    // The system folder as the host hands it out, ending with "/".
    std::string systemFolder() const { return dir_.path().toStdString() + "/system/"; }
    std::string tempPath(const std::string& name) const { return dir_.path().toStdString() + "/" + name; }

    QTemporaryDir dir_;
    mobrhost::HostStart start_;
};
