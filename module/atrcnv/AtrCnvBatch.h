#pragma once

// The conversion without a dialog, for the batch entry point: the same
// CAtrCnvTargets and application as the sheet, with every message collected
// as text instead of shown.

#include <string>
#include <vector>

#include "atrcnv/AtrCnvApply.h"
#include "atrcnv/AtrCnvTypes.h"

namespace atrcnv {

// Result codes of runBatchConversion (and of aapLAtrCnvBatch).
enum BatchStatus {
    kBatchConverted = 0,          // every step ran (the figure may be unchanged)
    kBatchDefinitionRefused = 1,  // missing file or wrong version tag
    kBatchReferenceFailed = 2,    // the reference figure did not load
    kBatchNoCurrentTables = 3,    // the current figure's copies could not be taken
    kBatchFailed = 4,             // a host failure ended the run
};

struct BatchMessage {
    int id = 0;              // message id, 0 for a note
    std::string text;        // host code page
};

struct BatchReport {
    int status = kBatchFailed;
    ApplyReport widths, colours, pens;
    CommitReport commit;
    std::vector<BatchMessage> messages;
};

// Loads `referencePath` as the reference figure, applies the width, colour
// and pen entries of `definitionPath` (host paths) and commits the result to
// the current figure.
BatchReport runBatchConversion(const std::string& referencePath, const std::string& definitionPath,
                               const CommitOptions& options = {});

// The report as one JSON object (UTF-8), as the batch entry point hands it
// out: status, per kind read/applied/skipped (with entry, names, reason),
// what changed, and the messages.
std::string batchReportJson(const BatchReport& report);

}  // namespace atrcnv
