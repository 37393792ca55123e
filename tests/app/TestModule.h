#pragma once

#include <gtest/gtest.h>

#include "SettingsModule.h"

// One settings module for the whole test program, as in the application:
// the loader attaches it once and it stays until the program ends.
inline SettingsModule& testModule()
{
    static SettingsModule module;
    static const bool loaded = module.load(SettingsModule::defaultPath());
    EXPECT_TRUE(loaded) << module.error();
    return module;
}
