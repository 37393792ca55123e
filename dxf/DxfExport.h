#pragma once

// Writes a figure in the exchange format through dxflib's writer: R2000 by
// default, R12 on request. Texts and names stay in the host code page
// ($DWGCODEPAGE ANSI_932). The file is replaced atomically.

#include <string>

#include "DxfReport.h"
#include "model/Figure.h"

namespace mobrdxf {

enum class DxfVersion { R12, R2000 };

// The whole file as text.
std::string writeDxf(const mobrhost::Figure& figure, DxfVersion version, DxfReport& report);
bool saveDxfFile(const mobrhost::Figure& figure, const std::string& path, DxfVersion version, DxfReport& report,
                 std::string* error);

}  // namespace mobrdxf
