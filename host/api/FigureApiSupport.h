#pragma once

// Small helpers shared by the figure-side families of named functions: the
// model, name output into callers' buffers, and handle naming for the
// journal.

#include <cmath>
#include <cstdint>
#include <string>

#include "api/HostRuntime.h"
#include "mobr/host_types.h"
#include "model/FigureModel.h"
#include "model/HostSession.h"
#include "platform/CodePage.h"

namespace mobrhost::figapi {

inline FigureModel& model()
{
    return FigureModel::instance();
}

// Writes a name into a caller's buffer of kHostNameBufferBytes; 0, or -1
// for a null buffer.
inline int32_t putName(const std::string& name, char* out)
{
    if (!out) return -1;
    mobr::cp932::copyToBuffer(name, out, mobr::kHostNameBufferBytes);
    return 0;
}

// A handle handed out: named in the journal ("pen#1") so that journals are
// the same from run to run.
inline void* handedOut(void* handle, const char* kind)
{
    if (handle) journalNameHandle(handle, kind);
    return handle;
}

// A figure file that could not be opened: the message (naming the file and
// the problem) is kept for the caller and given to the host's listener.
inline void refusedFile(const std::string& message)
{
    model().setLastError(message);
    HostSession::instance().message(message);
}

inline void ended(const void* handle)
{
    journalForgetHandle(handle);
}

// The table behind a handle as one family of named functions sees it: one
// of the model's typed lookups (FigureModel::pens, ::widths, ...). Null for a
// handle of another kind.
template <class T>
using TableOf = T* (FigureModel::*)(const void*);

template <class T>
T* tableAt(TableOf<T> of, void* table)
{
    return (model().*of)(table);
}

// Entry n of a table; null for an unknown handle or number.
template <class T>
auto* entryAt(TableOf<T> of, void* table, int32_t n)
{
    T* t = tableAt(of, table);
    return t ? t->at(n) : nullptr;
}

// A new empty table of `kind`, named in the journal as `journalName`.
inline void* tableOpen(TableKind kind, const char* journalName)
{
    return handedOut(model().open(kind), journalName);
}

// Ends a table made by tableOpen: 0, or -1 for a handle that is not one.
inline int32_t tableClose(void* table, TableKind kind)
{
    if (!model().close(table, kind)) return -1;
    ended(table);
    return 0;
}

// The common entry operations of the named tables. Each answers -1 for an
// unknown handle or number, as the named functions do.
template <class T>
int32_t tableCount(TableOf<T> of, void* table)
{
    const T* t = tableAt(of, table);
    return t ? t->count() : -1;
}

template <class T>
int32_t tableAdd(TableOf<T> of, void* table, const char* name)
{
    T* t = tableAt(of, table);
    return t ? t->add(nameArg(name)) : -1;
}

// Removes entry n unless `inUse` says something still refers to it.
template <class T, class InUse>
int32_t tableRemove(TableOf<T> of, void* table, int32_t n, InUse inUse)
{
    T* t = tableAt(of, table);
    const auto* e = t ? t->at(n) : nullptr;
    if (!e || inUse(*e)) return -1;
    return t->remove(n) ? 0 : -1;
}

template <class T>
int32_t tableFind(TableOf<T> of, void* table, const char* name)
{
    const T* t = tableAt(of, table);
    return t ? t->find(nameArg(name)) : -1;
}

template <class T>
int32_t tableGetName(TableOf<T> of, void* table, int32_t n, char* name)
{
    const auto* e = entryAt(of, table, n);
    return e ? putName(e->name, name) : -1;
}

template <class T>
int32_t tableSetName(TableOf<T> of, void* table, int32_t n, const char* name)
{
    T* t = tableAt(of, table);
    return t && t->rename(n, nameArg(name)) ? 0 : -1;
}

template <class T>
int32_t tableAttrib(TableOf<T> of, void* table, int32_t n)
{
    const auto* e = entryAt(of, table, n);
    return e ? e->attrib : -1;
}

// The fixed-layout record of entry n, for the record readers; null when
// there is none.
template <class T>
void* tableRecord(TableOf<T> of, void* table, int32_t n)
{
    T* t = tableAt(of, table);
    return t ? const_cast<unsigned char*>(t->record(n)) : nullptr;
}

// A value within [low, high], allowing the rounding error of a typed-in
// decimal number.
inline bool inRange(double value, double low, double high)
{
    constexpr double kTolerance = 2.220446049250313e-15;
    return std::isfinite(value) && value >= low - kTolerance && value <= high + kTolerance;
}

}  // namespace mobrhost::figapi
