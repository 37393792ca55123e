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

// A value within [low, high], allowing the rounding error of a typed-in
// decimal number.
inline bool inRange(double value, double low, double high)
{
    constexpr double kTolerance = 2.220446049250313e-15;
    return std::isfinite(value) && value >= low - kTolerance && value <= high + kTolerance;
}

}  // namespace mobrhost::figapi
