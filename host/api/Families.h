#pragma once

// The registration function of every family of named functions. Each
// host/api/<Family>Api.cpp file ends with its function, which registers the
// family's rows with MOBR_HOST_IMPLEMENT (HostRuntime.h); registerAll() calls
// them all.

namespace mobrhost {

// System side: settings, displays, files, help, printing.
void registerSysApi();      // aatSys..., aatSysInf..., aatRubAngMode, aatOpCmdGetStatus, aatGetMakeDrag, aatSetMakeDrag, aauSysCLineDist, aapGetRecMdef, aapSetRecMdef
void registerDrwApi();      // aatDrw...
void registerSchApi();      // aatSch..., aasSch...
void registerPModeApi();    // aasPMode...
void registerNaviApi();     // aasNavi..., aasPeekDispatch
void registerAtrApi();      // aatAtr...
void registerComApi();      // aatComNum..., aatComPathJoint, aapLComDoubleRevise
void registerGrpApi();      // aatGrp..., aasGrp...
void registerTbarApi();     // aatTbar...
void registerFileApi();     // aatFilCrpath, INI files, templates, directory lists, recent files, aag...
void registerPaletteApi();  // aatPalette..., aatColGetIndex
void registerHelpApi();     // aapRunDlgHelp, aapLcom_mwar
void registerPrintApi();    // aatDevPrn..., aapLcom_popen3, aapLcom_pclose

// Figure side: the figure, its tables, edit copies, elements, index tables.
void registerFigApi();
void registerPenApi();
void registerPenExApi();
void registerWidApi();
void registerColApi();
void registerFntApi();
void registerTipApi();
void registerCharExApi();
void registerDbApi();
void registerIndexTableApi();
void registerRenameListApi();

}  // namespace mobrhost
