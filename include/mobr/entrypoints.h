#pragma once

// The settings module's exported entry points, as a host declares them. A host
// loads the module (libmobrtmpl.so) with the platform's library loader and
// looks these names up with dlsym.

#include "mobr/datalink.h"

extern "C" {

// Creates the drawing size dialog object ("IDD_S_001") without showing it;
// null when it cannot be allocated. The host drives it through its data-link
// operations: SetPageInt (30001, paper index), SetPageDouble (20102 width,
// 20103 height), RunDialog, GetPageDouble (20102, 20103), GetPageInt (30001).
typedef CZqDataLink* (*IDD_S_001InitFn)(void);
// Destroys an object made by IDD_S_001Init (null is allowed); always 0.
typedef int (*IDD_S_001TermFn)(CZqDataLink* dialog);

// Runs the system attribute sheet on the current figure (modal); its tables
// change only when the person confirms with OK. Always 0.
typedef int (*aapLatrFn)(void);

// Receives the batch conversion's report: one JSON object in UTF-8.
typedef void (*AtrCnvReportFn)(void* context, const char* json);
// Applies a conversion definition file to the current figure without any
// dialog: opens `referencePath` (host path) as the reference figure, resolves
// the definition's entries (`definitionPath`, host path) and converts the
// figure's colours, widths and pens. Every message is reported as text, none
// is shown. Returns 0 converted, 1 definition refused, 2 reference not
// loaded, 3 the current tables could not be taken, 4 another failure; the
// report (when `report` is given) says what was applied and skipped and why.
typedef int (*aapLAtrCnvBatchFn)(const char* referencePath, const char* definitionPath,
                                 AtrCnvReportFn report, void* context);

}
