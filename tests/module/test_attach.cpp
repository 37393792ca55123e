// Loading and unloading the module as a host does, and what it exports.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include "ModuleFixture.h"
#include "mobrdlg/ZqUiDriver.h"
#include "mobrdlg/ZqResources.h"

namespace fs = std::filesystem;

namespace {

std::set<std::string> exportedSymbols(const std::string& library)
{
    std::set<std::string> names;
    const std::string command = "nm -D --defined-only -C " + library;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) return names;
    char line[1024];
    while (std::fgets(line, sizeof line, pipe.get())) {
        std::string text(line);
        if (text.size() < 20) continue;
        const char kind = text[17];
        std::string name = text.substr(19);
        while (!name.empty() && (name.back() == '\n' || name.back() == '\r')) name.pop_back();
        if (name == "_edata" || name == "_end" || name == "__bss_start") continue;  // the linker's own
        if (kind == 'T' || kind == 'W' || kind == 'V' || kind == 'D' || kind == 'B' || kind == 'R' || kind == 'u')
            names.insert(name);
    }
    return names;
}

TEST(ModuleAttach, LoadsWithItsResourceFileAndFindsItsStrings)
{
    ASSERT_TRUE(moduletest::module().isLoaded()) << moduletest::module().error();
    std::string name;
    EXPECT_TRUE(ZqLoadString(7005, name));
    EXPECT_FALSE(name.empty());
}

TEST(ModuleAttach, RefusesToLoadWithoutItsResourceFileAndSaysWhyOnce)
{
    // A copy of the module in a folder without the resource file.
    const fs::path folder = fs::temp_directory_path() / ("mobr-attach-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const fs::path copy = folder / "libmobrtmpl.so";
    fs::copy_file(moduletest::binFolder() + "libmobrtmpl.so", copy, fs::copy_options::overwrite_existing);

    CZqUiDriver driver;
    mobr::Library lonely(copy.string());
    EXPECT_FALSE(lonely.isLoaded());
    const auto& messages = driver.transcript().messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].messageId, 950);
    EXPECT_EQ(messages[0].argument, "ZQRCTMPL.rcc");
    EXPECT_EQ(messages[0].flags, 0x30u);
    fs::remove_all(folder);
}

// The module's C entry points: each one must be exported, and nothing else of C
// linkage may be.
const std::set<std::string> kEntryPoints = {
    "MobrDllMain", "IDD_S_001Init", "IDD_S_001Term", "aapLatr", "aapLelm", "aapLopt",
    "aapLSelUserOpt", "aapLSelWorkUserOpt", "aapLAtrCnv", "aapLAtrCnvBatch"};

TEST(ModuleAttach, ExportsExactlyTheEntryPointsAndTheTable)
{
    const std::set<std::string> symbols = exportedSymbols(moduletest::binFolder() + "libmobrtmpl.so");
    ASSERT_FALSE(symbols.empty()) << "nm -D gave nothing";
    std::set<std::string> unexpected;
    for (const std::string& symbol : symbols) {
        const bool known = kEntryPoints.count(symbol) == 1 || symbol.rfind("CComNumUs::", 0) == 0 ||
                           symbol.find(" for CComNumUs") != std::string::npos ||
                           symbol == "CAdvancedListCtrl::GetAdvancedStyle() const" ||
                           symbol == "CAdvancedListCtrl::SetAdvancedStyle(unsigned int)";
        if (!known) unexpected.insert(symbol);
    }
    EXPECT_TRUE(unexpected.empty()) << "unexpected export: " << *unexpected.begin();
    std::set<std::string> required = kEntryPoints;
    required.insert({"CComNumUs::CComNumUs()", "CComNumUs::AddPrm(char const*, double)",
                     "CAdvancedListCtrl::GetAdvancedStyle() const", "CAdvancedListCtrl::SetAdvancedStyle(unsigned int)"});
    for (const std::string& name : required) EXPECT_EQ(symbols.count(name), 1u) << "missing export: " << name;
}

TEST(ModuleAttach, TermAcceptsNull)
{
    auto term = moduletest::entry<IDD_S_001TermFn>("IDD_S_001Term");
    ASSERT_NE(term, nullptr);
    EXPECT_EQ(term(nullptr), 0);
}

}  // namespace
