// Checks over every row of the table: each module wrapper looks up its own
// name and reaches the function registered under it, and the names themselves
// are unique and belong to the host's families.
#include <gtest/gtest.h>

#include <cstring>
#include <iostream>
#include <map>
#include <set>
#include <string>

#include "frame/HostApi.h"
#include "mobr/host_api_register.h"

namespace {

// The row (identified by its line in host_api.def) whose stub ran last.
int lastRowCalled = 0;

// A stand-in for any row: records its row and returns a zero value.
template <int Row, typename Signature>
struct Stub;

template <int Row, typename Result, typename... Params>
struct Stub<Row, Result (*)(Params...)> {
    static Result call(Params...)
    {
        lastRowCalled = Row;
        if constexpr (!std::is_void_v<Result>) return Result{};
    }
};

// Calls a wrapper with zero arguments of its parameter types.
template <typename Result, typename... Params>
void callWithZeros(Result (*wrapper)(Params...))
{
    wrapper(Params{}...);
}

bool inFamily(const std::string& name)
{
    static const char* const prefixes[] = {"aat", "aas", "aap", "as_", "aag", "aau"};
    for (const char* prefix : prefixes) {
        if (name.compare(0, std::strlen(prefix), prefix) == 0 && name.size() > std::strlen(prefix)) return true;
    }
    static const std::set<std::string> renameLists = {
        "AddPenNameStringList",   "ClearPenNameStringList",   "ChangeSketchPenName",
        "AddWidthNameStringList", "ClearWidthNameStringList", "ChangeSketchWidthName",
        "AddColorNameStringList", "ClearColorNameStringList", "ChangeSketchColorName"};
    return renameLists.count(name) == 1;
}

std::string familyOf(const std::string& name)
{
    for (const char* prefix : {"aat", "aas", "aap", "as_", "aag", "aau"}) {
        if (name.rfind(prefix, 0) == 0) return prefix;
    }
    return "rename lists";
}

}  // namespace

TEST(HostApiRows, EveryWrapperReachesTheFunctionRegisteredUnderItsOwnName)
{
    aatDlgDllClearZqProcPtr();
    std::map<std::string, int> rowOf;
#define MOBR_HOST_FN(ReturnType, fn, params, args)                                           \
    rowOf[#fn] = __LINE__;                                                                    \
    hostapi::registerHostFunction(#fn, &Stub<__LINE__, hostapi::signature::fn>::call);
#include "mobr/host_api.def"
#undef MOBR_HOST_FN
    ASSERT_EQ(rowOf.size(), hostapi::kHostFunctionCount);

#define MOBR_HOST_FN(ReturnType, fn, params, args)                       \
    lastRowCalled = 0;                                                      \
    callWithZeros(&hostapi::fn);                                          \
    EXPECT_EQ(lastRowCalled, rowOf[#fn]) << "wrapper " #fn;
#include "mobr/host_api.def"
#undef MOBR_HOST_FN
    aatDlgDllClearZqProcPtr();
}

TEST(HostApiRows, EveryWrapperReportsItsOwnNameWhenMissing)
{
    aatDlgDllClearZqProcPtr();
    ::testing::internal::CaptureStderr();
#define MOBR_HOST_FN(ReturnType, fn, params, args)                         \
    try {                                                                     \
        callWithZeros(&hostapi::fn);                                        \
        ADD_FAILURE() << #fn " did not throw";                              \
    } catch (const hostapi::MissingHostFunction& e) {                         \
        EXPECT_EQ(e.name(), #fn);                                           \
    }
#include "mobr/host_api.def"
#undef MOBR_HOST_FN
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("'aatSysInfCFigno'"), std::string::npos);
}

TEST(HostApiRows, NamesAreUniqueHostNamesWithTheirRowIndex)
{
    std::set<std::string> names;
    std::map<std::string, int> perFamily;
    for (std::size_t i = 0; i < hostapi::allNames().size(); ++i) {
        const std::string name = hostapi::allNames()[i];
        EXPECT_TRUE(names.insert(name).second) << "duplicate row " << name;
        EXPECT_TRUE(inFamily(name)) << name << " is not a host function name";
        EXPECT_EQ(hostapi::rowIndex(name.c_str()), static_cast<int>(i));
        ++perFamily[familyOf(name)];
    }
    // The module's own entry points and the registry are not host functions.
    for (const char* own : {"aapLatr", "aapLelm", "aapLopt", "aapLSelUserOpt", "aapLSelWorkUserOpt",
                            "aapLAtrCnv", "aatDlgDllGetZqProcPtr"}) {
        EXPECT_EQ(hostapi::rowIndex(own), -1) << own;
    }
    EXPECT_EQ(hostapi::rowIndex("noSuchFunction"), -1);
    EXPECT_EQ(perFamily["rename lists"], 9);

    std::cout << "host functions: " << hostapi::kHostFunctionCount;
    for (const auto& [family, count] : perFamily) std::cout << ", " << family << " " << count;
    std::cout << '\n';
}
