#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "platform/Library.h"

namespace {

class LibraryLoading : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("MOBR_TEST_MODULE_LOG", log.c_str(), 1); }
    void TearDown() override { ::unsetenv("MOBR_TEST_MODULE_LOG"); }

    static std::string call(unsigned reason, void* handle)
    {
        char line[64];
        std::snprintf(line, sizeof line, "%u %p\n", reason, handle);
        return line;
    }

    TempFolder folder;
    std::string log = folder.file("calls.log");
};

}  // namespace

TEST_F(LibraryLoading, AttachesAndDetachesOnce)
{
    void* handle = mobr::loadLibrary(TEST_MODULE_ACCEPT);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(readBytes(log), call(1, handle));
    // A second load of the same library is counted, not attached again.
    EXPECT_EQ(mobr::loadLibrary(TEST_MODULE_ACCEPT), handle);
    EXPECT_EQ(mobr::freeLibrary(handle), 1);
    EXPECT_EQ(readBytes(log), call(1, handle));
    EXPECT_EQ(mobr::freeLibrary(handle), 1);
    EXPECT_EQ(readBytes(log), call(1, handle) + call(0, handle));
    EXPECT_EQ(mobr::freeLibrary(nullptr), 0);
}

TEST_F(LibraryLoading, ClosesALibraryThatRefusesToLoad)
{
    std::string error;
    EXPECT_EQ(mobr::loadLibrary(TEST_MODULE_REFUSE, &error), nullptr);
    EXPECT_NE(error.find("refused"), std::string::npos);
    const std::string calls = readBytes(log);
    EXPECT_EQ(calls.substr(0, 2), "1 ");
    EXPECT_EQ(calls.find('\n'), calls.size() - 1);  // attach only, no detach
}

TEST_F(LibraryLoading, LoadsWithoutAnEntryAndReportsLoaderErrors)
{
    {
        mobr::Library library(TEST_MODULE_NONE);
        ASSERT_TRUE(library.isLoaded()) << library.error();
        const auto value = library.symbol<int (*)()>("platformTestValue");
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value(), 42);
        EXPECT_EQ(library.symbol<void*>("MobrDllMain"), nullptr);
    }
    EXPECT_EQ(readBytes(log), "");

    mobr::Library missing(folder.file("libnothing.so"));
    EXPECT_FALSE(missing.isLoaded());
    EXPECT_NE(missing.error().find("libnothing.so"), std::string::npos);

    void* handle = nullptr;
    {
        mobr::Library library(TEST_MODULE_ACCEPT);
        handle = library.handle();
        mobr::Library moved(std::move(library));
        EXPECT_FALSE(library.isLoaded());
        EXPECT_EQ(moved.handle(), handle);
    }
    EXPECT_EQ(readBytes(log), call(1, handle) + call(0, handle));
}
