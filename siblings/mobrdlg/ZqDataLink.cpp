#include "mobr/datalink.h"

// Every operation does nothing and returns 0 unless a dialog or page
// overrides it.

int CZqDataLink::SetPageData(int, std::intptr_t) { return 0; }
int CZqDataLink::SetPageDouble(int, double) { return 0; }
int CZqDataLink::SetPageString(int, const char*) { return 0; }
int CZqDataLink::SetPageShort(int, short) { return 0; }
int CZqDataLink::SetPageInt(int, int) { return 0; }
int CZqDataLink::GetPageData(int, void*, int) { return 0; }
int CZqDataLink::GetPageDouble(int, double*) { return 0; }
int CZqDataLink::GetPageString(int, char*, int) { return 0; }
int CZqDataLink::GetPageShort(int, short*) { return 0; }
int CZqDataLink::GetPageInt(int, int*) { return 0; }
int CZqDataLink::SetPageList(int, const char* const*, int) { return 0; }
int CZqDataLink::SetPageTable(int, const void*, int) { return 0; }
int CZqDataLink::SetPageUInt(int, std::uint32_t) { return 0; }
int CZqDataLink::GetPageUInt(int, std::uint32_t*) { return 0; }
int CZqDataLink::SetPageBlock(int, const void*, int) { return 0; }
int CZqDataLink::SetPagePoint(int, double, double) { return 0; }
int CZqDataLink::GetPagePoint(int, double*, double*) { return 0; }
int CZqDataLink::GetPageCount(int, int*) { return 0; }
int CZqDataLink::GetPageTable(int, void*, int) { return 0; }
int CZqDataLink::GetPageList(int, char*, int, int) { return 0; }
int CZqDataLink::SetPageEnable(int, int) { return 0; }
int CZqDataLink::IsPageModified(int) { return 0; }
int CZqDataLink::CheckPageData() { return 0; }
int CZqDataLink::ApplyPageData() { return 0; }
int CZqDataLink::RunDialog(int*) { return 0; }
void* CZqDataLink::GetPageWindow() { return nullptr; }
int CZqDataLink::ReservedLink27(int, std::intptr_t) { return 0; }
int CZqDataLink::ReservedLink28(int, std::intptr_t) { return 0; }
CZqDataLink::~CZqDataLink() = default;
