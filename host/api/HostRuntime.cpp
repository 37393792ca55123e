#include "api/HostRuntime.h"

#include <charconv>
#include <map>
#include <mutex>
#include <stdexcept>

#include <nlohmann/json.hpp>

#include "model/HostSession.h"
#include "platform/CodePage.h"

namespace mobrhost {

namespace {

struct RowRecord {
    void* trampoline = nullptr;
    runtime::RowSlot* slot = nullptr;
    std::string signature;
};

struct HandleName {
    std::string name;
};

// Everything the runtime keeps, behind one mutex: the host is called from the
// GUI thread, but tests and print jobs may look at the journal from others.
struct RuntimeState {
    std::recursive_mutex mutex;
    bool journalOn = false;
    std::vector<JournalEntry> entries;
    std::map<const void*, std::string> handleNames;
    std::map<std::string, int> handleCounters;
    std::map<std::string, RowRecord> rows;
    std::map<std::string, LiveReporter> reporters;
    std::vector<std::pair<std::string, ResetHandler>> resetHandlers;
    HostStart start;
};

RuntimeState& state()
{
    static RuntimeState s;
    return s;
}

}  // namespace

// ---------------------------------------------------------------------------
// Journal
// ---------------------------------------------------------------------------

void journalEnable(bool on)
{
    std::lock_guard lock(state().mutex);
    state().journalOn = on;
}

bool journalEnabled()
{
    std::lock_guard lock(state().mutex);
    return state().journalOn;
}

void journalClear()
{
    std::lock_guard lock(state().mutex);
    state().entries.clear();
}

std::vector<JournalEntry> journalEntries()
{
    std::lock_guard lock(state().mutex);
    return state().entries;
}

std::vector<JournalEntry> journalEntries(const std::string& name)
{
    std::lock_guard lock(state().mutex);
    std::vector<JournalEntry> out;
    for (const JournalEntry& e : state().entries) {
        if (e.name == name) out.push_back(e);
    }
    return out;
}

std::string journalToJson()
{
    nlohmann::json array = nlohmann::json::array();
    for (const JournalEntry& e : journalEntries()) {
        array.push_back({{"name", e.name}, {"args", e.args}, {"result", e.result}});
    }
    return array.dump(1);
}

void journalNote(const std::string& name, std::vector<std::string> args, const std::string& result)
{
    std::lock_guard lock(state().mutex);
    if (!state().journalOn) return;
    state().entries.push_back({name, std::move(args), result});
}

void journalNameHandle(const void* handle, const char* kind)
{
    if (!handle) return;
    std::lock_guard lock(state().mutex);
    const std::string k = kind && *kind ? kind : "handle";
    const int n = ++state().handleCounters[k];
    state().handleNames[handle] = k + "#" + std::to_string(n);
}

void journalForgetHandle(const void* handle)
{
    std::lock_guard lock(state().mutex);
    state().handleNames.erase(handle);
}

std::string journalHandleName(const void* handle)
{
    if (!handle) return "null";
    std::lock_guard lock(state().mutex);
    auto it = state().handleNames.find(handle);
    return it == state().handleNames.end() ? std::string("block") : it->second;
}

namespace runtime {

std::string formatText(const char* text)
{
    if (!text) return "null";
    return "\"" + mobr::cp932::toUtf8(text) + "\"";
}

std::string formatDouble(double value)
{
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (ec != std::errc()) return "nan";
    return std::string(buffer, end);
}

long beginEntry(const char* name)
{
    std::lock_guard lock(state().mutex);
    if (!state().journalOn) return -1;
    state().entries.push_back({name ? name : "?", {}, {}});
    return static_cast<long>(state().entries.size()) - 1;
}

void finishEntry(long entry, std::vector<std::string> args, std::string result)
{
    std::lock_guard lock(state().mutex);
    // The journal may have been cleared by the call itself.
    if (entry < 0 || static_cast<std::size_t>(entry) >= state().entries.size()) return;
    JournalEntry& e = state().entries[static_cast<std::size_t>(entry)];
    e.args = std::move(args);
    e.result = std::move(result);
}

void registerRow(const char* name, void* trampoline, RowSlot* slot, const char* signature)
{
    std::lock_guard lock(state().mutex);
    slot->name = name;
    state().rows[name] = RowRecord{trampoline, slot, signature};
    aatDlgDllSetZqProcPtr(name, trampoline);
}

}  // namespace runtime

void unregisterAll()
{
    std::lock_guard lock(state().mutex);
    for (auto& [name, row] : state().rows) row.slot->replacement = nullptr;
    state().rows.clear();
    aatDlgDllClearZqProcPtr();
}

std::vector<std::string> missingRows()
{
    std::vector<std::string> out;
    for (const char* name : hostapi::allNames()) {
        if (!aatDlgDllGetZqProcPtr(name)) out.emplace_back(name);
    }
    return out;
}

std::vector<std::string> implementedRows()
{
    std::lock_guard lock(state().mutex);
    std::vector<std::string> out;
    for (const char* name : hostapi::allNames()) {
        if (state().rows.count(name)) out.emplace_back(name);
    }
    return out;
}

// ---------------------------------------------------------------------------
// Replacement
// ---------------------------------------------------------------------------

ScopedHostOverride::ScopedHostOverride(const char* name, void* function, const char* signature, int)
    : name_(name ? name : "")
{
    const int row = hostapi::rowIndex(name);
    if (row < 0) throw std::invalid_argument("no host function is called '" + name_ + "'");
    std::lock_guard lock(state().mutex);
    auto it = state().rows.find(name_);
    if (it == state().rows.end()) {
        // Not implemented by the host: the test provides it for a while.
        direct_ = true;
        previous_ = aatDlgDllSetZqProcPtr(name, function);
        return;
    }
    if (it->second.signature != signature) {
        throw std::invalid_argument("the replacement of '" + name_ + "' does not have the row's type");
    }
    previous_ = it->second.slot->replacement;
    it->second.slot->replacement = function;
}

ScopedHostOverride::~ScopedHostOverride()
{
    std::lock_guard lock(state().mutex);
    if (direct_) {
        aatDlgDllSetZqProcPtr(name_.c_str(), previous_);
        return;
    }
    auto it = state().rows.find(name_);
    if (it != state().rows.end()) it->second.slot->replacement = previous_;
}

// ---------------------------------------------------------------------------
// Resources
// ---------------------------------------------------------------------------

void setLiveReporter(const std::string& owner, LiveReporter reporter)
{
    std::lock_guard lock(state().mutex);
    if (reporter) state().reporters[owner] = std::move(reporter);
    else state().reporters.erase(owner);
}

std::vector<std::string> unendedResources()
{
    std::map<std::string, LiveReporter> reporters;
    {
        std::lock_guard lock(state().mutex);
        reporters = state().reporters;
    }
    std::vector<std::string> out;
    for (const auto& [owner, reporter] : reporters) {
        for (const LiveCount& c : reporter()) {
            if (c.open != 0) {
                out.push_back(owner + ": " + std::to_string(c.open) + " " + c.kind + " not ended");
            }
            if (c.badEnds != 0) {
                out.push_back(owner + ": " + std::to_string(c.badEnds) + " " + c.kind
                              + " ended more than once or never handed out");
            }
            if (c.usesAfterEnd != 0) {
                out.push_back(owner + ": " + std::to_string(c.usesAfterEnd) + " calls on an ended " + c.kind);
            }
        }
    }
    return out;
}

// ---------------------------------------------------------------------------
// Start
// ---------------------------------------------------------------------------

void setResetHandler(const std::string& owner, ResetHandler handler)
{
    std::lock_guard lock(state().mutex);
    auto& handlers = state().resetHandlers;
    for (auto it = handlers.begin(); it != handlers.end(); ++it) {
        if (it->first == owner) {
            if (handler) it->second = std::move(handler);
            else handlers.erase(it);
            return;
        }
    }
    if (handler) handlers.emplace_back(owner, std::move(handler));
}

const HostStart& hostStart()
{
    return state().start;
}

bool startHost(const HostStart& start, std::string* error)
{
    std::vector<std::pair<std::string, ResetHandler>> handlers;
    {
        std::lock_guard lock(state().mutex);
        state().start = start;
        state().entries.clear();
        state().handleNames.clear();
        state().handleCounters.clear();
        handlers = state().resetHandlers;
    }
    registerAll();
    try {
        HostSession::instance().reset(start);
    } catch (const std::exception& e) {
        if (error) *error = std::string("system settings: ") + e.what();
        return false;
    }
    for (const auto& [owner, handler] : handlers) {
        try {
            handler(start);
        } catch (const std::exception& e) {
            if (error) *error = owner + ": " + e.what();
            return false;
        }
    }
    return true;
}

}  // namespace mobrhost
