#pragma once

// What a UI driver's transcript holds, looked up the way the tests ask.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mobrdlg/ZqUiTranscript.h"

namespace transcriptlookup {

// The ids of the message boxes shown, in order.
inline std::vector<int> messageIds(const ZqUiTranscript& transcript)
{
    std::vector<int> ids;
    for (const auto& m : transcript.messages()) ids.push_back(m.messageId);
    return ids;
}

// The state a read labelled `label` recorded (ZqUiScript::read(id, label));
// a missing read fails the test and gives an empty state.
inline const ZqControlState& readOf(const ZqUiTranscript& transcript, const std::string& label)
{
    static const ZqControlState none;
    const auto* read = transcript.read(label);
    if (!read) ADD_FAILURE() << "no read labelled " << label;
    return read ? read->state : none;
}

}  // namespace transcriptlookup
