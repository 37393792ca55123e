// The module's exported entry points of the module frame.
#include <new>

#include "atrcnv/CAtrCnvSheet.h"
#include "attributes/SysAttributeSheet.h"
#include "elements/ElementSheet.h"
#include "frame/DrawingSizeDlg.h"
#include "frame/ModuleLog.h"
#include "mobr/export.h"

extern "C" MOBR_API CZqDataLink* IDD_S_001Init(void)
{
    try {
        // Ownership passes to the host until IDD_S_001Term.
        return new CDrawingSizeDlg(nullptr);
    } catch (...) {
        logCaughtException("IDD_S_001Init");
        return nullptr;
    }
}

extern "C" MOBR_API int IDD_S_001Term(CZqDataLink* dialog)
{
    delete dialog;
    return 0;
}

extern "C" MOBR_API int aapLatr(void)
{
    try {
        return CSysAttributeSheet().run();
    } catch (...) {
        logCaughtException("aapLatr");
        return 0;
    }
}

extern "C" MOBR_API int aapLelm(void)
{
    try {
        return CElementSheet().run();
    } catch (...) {
        logCaughtException("aapLelm");
        return 0;
    }
}

extern "C" MOBR_API void aapLAtrCnv(void)
{
    try {
        CAtrCnvSheet::runConversion();
    } catch (...) {
        logCaughtException("aapLAtrCnv");
    }
}
