#pragma once

// The host's runtime: how each named function is bound to its implementation,
// the journal of calls, replacement of single functions in tests, the check
// that every resource handed out was ended, and the start of a fresh host.
//
// A family file implements its rows as free functions with exactly the row's
// signature in namespace mobrhost and registers them in its registration
// function:
//
//     void registerPenApi()
//     {
//         MOBR_HOST_IMPLEMENT(aatPenGetCount);
//         MOBR_HOST_IMPLEMENT(aatPenGetName);
//     }
//
// The registry does not receive mobrhost::aatPenGetCount itself but a
// trampoline made for that row: it looks for a replacement installed by a
// test, calls the replacement or the implementation, and, while the journal
// is on, records the call (name, argument texts, result text).

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <utility>
#include <vector>

#include "mobr/export.h"
#include "mobr/host_api_register.h"
#include "mobr/host_types.h"

namespace mobrhost {

// ---------------------------------------------------------------------------
// Journal
// ---------------------------------------------------------------------------

// One call through the registry. Texts:
//   integers       decimal ("114")
//   doubles        shortest text that reads back exactly ("0.25")
//   const char*    the text in double quotes, UTF-8 ("\"PEN1\""), or null
//   char*          "buf" (a caller's buffer of unknown size is never read)
//   int/short/double pointers  "*" and the value after the call ("*255"), or null
//   other pointers the handle's symbolic name ("pen#1"), "block", or null
//   HostPrintRecord60  "font"
//   void result    empty
struct JournalEntry {
    std::string name;
    std::vector<std::string> args;
    std::string result;
};

MOBR_API void journalEnable(bool on);
MOBR_API bool journalEnabled();
MOBR_API void journalClear();
MOBR_API std::vector<JournalEntry> journalEntries();
// Entries of one function only, in call order.
MOBR_API std::vector<JournalEntry> journalEntries(const std::string& name);
// The journal as a JSON array of {"name", "args", "result"} objects.
MOBR_API std::string journalToJson();
// Adds an entry that is not a named call (a printed line, a redraw forwarded
// to the display); recorded only while the journal is on.
MOBR_API void journalNote(const std::string& name, std::vector<std::string> args,
                          const std::string& result = std::string());

// Symbolic names for handles, so that the journal is the same from run to
// run: the model names each handle it hands out ("pen" gives pen#1, pen#2...)
// and forgets it when the handle ends (the address may be reused).
MOBR_API void journalNameHandle(const void* handle, const char* kind);
MOBR_API void journalForgetHandle(const void* handle);
// The handle's name, "null" for null, "block" for an unnamed address.
MOBR_API std::string journalHandleName(const void* handle);

// ---------------------------------------------------------------------------
// Rows and their trampolines
// ---------------------------------------------------------------------------

namespace runtime {

// Per-row state shared by the trampoline and the runtime's table of rows.
struct RowSlot {
    const char* name = nullptr;
    void* replacement = nullptr;   // a test's function of the row's type, or null
};

MOBR_API std::string formatText(const char* text);
MOBR_API std::string formatDouble(double value);

template <typename T>
std::string formatBefore(T value)
{
    if constexpr (std::is_same_v<T, const char*>) {
        return formatText(value);
    } else if constexpr (std::is_same_v<T, char*>) {
        return "buf";
    } else if constexpr (std::is_pointer_v<T>) {
        using Pointee = std::remove_cv_t<std::remove_pointer_t<T>>;
        if constexpr (std::is_arithmetic_v<Pointee>) return std::string();   // filled after the call
        else return journalHandleName(value);
    } else if constexpr (std::is_floating_point_v<T>) {
        return formatDouble(value);
    } else if constexpr (std::is_integral_v<T>) {
        return std::to_string(value);
    } else {
        return "font";
    }
}

template <typename T>
void formatAfter(T value, std::string& text)
{
    if constexpr (std::is_pointer_v<T> && !std::is_same_v<T, const char*> && !std::is_same_v<T, char*>) {
        using Pointee = std::remove_cv_t<std::remove_pointer_t<T>>;
        if constexpr (std::is_arithmetic_v<Pointee>) {
            if (!value) { text = "null"; return; }
            if constexpr (std::is_floating_point_v<Pointee>) text = "*" + formatDouble(*value);
            else text = "*" + std::to_string(*value);
        }
    }
}

template <typename R>
std::string formatResult(R value)
{
    if constexpr (std::is_same_v<R, char*>) return value ? formatText(value) : "null";
    else return formatBefore(value);
}

// Reserves a journal entry (so that entries keep the order in which calls
// began) and fills it in when the call returns; -1 when the journal is off.
MOBR_API long beginEntry(const char* name);
MOBR_API void finishEntry(long entry, std::vector<std::string> args, std::string result);

template <typename F, F Impl>
struct Trampoline;

template <typename R, typename... A, R (*Impl)(A...)>
struct Trampoline<R (*)(A...), Impl> {
    static inline RowSlot slot;

    static R call(A... a)
    {
        using Fn = R (*)(A...);
        Fn fn = slot.replacement ? reinterpret_cast<Fn>(slot.replacement) : Impl;
        const long entry = beginEntry(slot.name);
        if (entry < 0) return fn(a...);
        std::vector<std::string> texts{formatBefore<A>(a)...};
        try {
            if constexpr (std::is_void_v<R>) {
                fn(a...);
                fillAfter(texts, a...);
                finishEntry(entry, std::move(texts), std::string());
            } else {
                R result = fn(a...);
                fillAfter(texts, a...);
                finishEntry(entry, std::move(texts), formatResult<R>(result));
                return result;
            }
        } catch (...) {
            finishEntry(entry, std::move(texts), "threw");
            throw;
        }
    }

private:
    static void fillAfter([[maybe_unused]] std::vector<std::string>& texts, [[maybe_unused]] A... a)
    {
        [[maybe_unused]] std::size_t i = 0;
        (formatAfter<A>(a, texts[i++]), ...);
    }
};

template <typename Fn>
const char* signatureText()
{
    return typeid(Fn).name();
}

// Puts the row into the runtime's table and the registry. `signature` is the
// type name of the row's pointer type, checked when a test replaces the row.
MOBR_API void registerRow(const char* name, void* trampoline, RowSlot* slot, const char* signature);

}  // namespace runtime

// Implements row `name` with ns::name: compile-time check of the exact type,
// then registration of the row's trampoline.
#define MOBR_HOST_IMPLEMENT_NS(ns, name)                                                        \
    do {                                                                                        \
        static_assert(std::is_same_v<decltype(&ns::name), ::hostapi::signature::name>,          \
                      #ns "::" #name " does not have the type of its row in host_api.def");     \
        using MobrTrampoline_ = ::mobrhost::runtime::Trampoline<::hostapi::signature::name, &ns::name>; \
        ::mobrhost::runtime::registerRow(#name, reinterpret_cast<void*>(&MobrTrampoline_::call), \
                                         &MobrTrampoline_::slot,                                \
                                         ::mobrhost::runtime::signatureText<::hostapi::signature::name>()); \
    } while (false)

#define MOBR_HOST_IMPLEMENT(name) MOBR_HOST_IMPLEMENT_NS(mobrhost, name)

// Every family's rows (Families.h), then the registry holds all of them.
MOBR_API void registerAll();
// Removes every row from the registry and the runtime's table.
MOBR_API void unregisterAll();
// Names of host_api.def that have no registered implementation, in row order.
MOBR_API std::vector<std::string> missingRows();
// Names registered through the runtime, in row order.
MOBR_API std::vector<std::string> implementedRows();

// ---------------------------------------------------------------------------
// Replacing one named function in a test
// ---------------------------------------------------------------------------

// While it lives, calls of row `name` go to `function` (a plain function
// pointer of the row's exact type; a lambda without captures converts with
// unary +). The journal still records the calls. Replacements nest; the
// destructor restores what was there before. A row without a registered
// implementation is put into the registry directly (not journalled) and
// removed again. A function of another type throws std::invalid_argument.
class MOBR_API ScopedHostOverride {
public:
    template <typename Fn>
    ScopedHostOverride(const char* name, Fn function)
        : ScopedHostOverride(name, reinterpret_cast<void*>(function), typeid(Fn).name(), 0)
    {
        static_assert(std::is_pointer_v<Fn> && std::is_function_v<std::remove_pointer_t<Fn>>,
                      "a replacement is a plain function pointer");
    }
    ~ScopedHostOverride();
    ScopedHostOverride(const ScopedHostOverride&) = delete;
    ScopedHostOverride& operator=(const ScopedHostOverride&) = delete;

private:
    ScopedHostOverride(const char* name, void* function, const char* signature, int);

    std::string name_;
    void* previous_ = nullptr;
    bool direct_ = false;
};

// ---------------------------------------------------------------------------
// Resources that must be ended exactly once
// ---------------------------------------------------------------------------

// What a model reports at the end of a test: per kind of resource (edit
// copy of the pen table, index table, reference figure...), how many are
// still open and how many ends named a handle that was not open (ended twice
// or never handed out).
struct LiveCount {
    std::string kind;
    int open = 0;
    int badEnds = 0;
    int usesAfterEnd = 0;  // calls that named one after its end
};
using LiveReporter = std::function<std::vector<LiveCount>()>;

// Installs (or, with an empty function, removes) the reporter of `owner`.
MOBR_API void setLiveReporter(const std::string& owner, LiveReporter reporter);
// One text per kind with open or badly ended resources ("figures: 1 pen edit
// copy not ended"), or used after their end; empty when everything was ended
// exactly once and nothing was named after its end.
MOBR_API std::vector<std::string> unendedResources();

// ---------------------------------------------------------------------------
// Starting a host
// ---------------------------------------------------------------------------

// How a host starts. A system folder without the settings files gets the
// default ones (the folder "system" next to the host library).
struct HostStart {
    std::string systemFolder;       // host path; empty keeps no folder (aatFilCrpath fails)
    int32_t bootState = 0;          // aatSysGetBoot
    int32_t commandStatus = 0;      // aatOpCmdGetStatus
    int32_t loginUser = 0;          // aatSysGetLoginUser
    int32_t platformKind = 1;       // aatCheckOsPlatform (0 enables login-user templates)
    std::string loginName = "USER"; // the login user's template is <loginName>.INI in template folder 1
    std::string printToPdf;         // non-empty: print jobs go to this PDF file
};

// Called by startHost after the system settings are in place; each model
// (figures, settings) puts itself in its fresh state. Handlers run in the
// order they were added; adding again under the same owner replaces.
using ResetHandler = std::function<void(const HostStart&)>;
MOBR_API void setResetHandler(const std::string& owner, ResetHandler handler);

// Registers every row, clears the journal and the handle names, resets the
// system settings (HostSession) and then every other model. Returns false (with a message in *error) when the system
// folder cannot be prepared.
MOBR_API bool startHost(const HostStart& start, std::string* error = nullptr);
// The options of the last start.
MOBR_API const HostStart& hostStart();

}  // namespace mobrhost
