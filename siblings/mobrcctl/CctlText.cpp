#include "mobrcctl/CctlText.h"

#include "platform/CodePage.h"

namespace cctltext {

QString toQ(const std::string& bytes) { return mobr::cp932::toQString(bytes); }

std::string fromQ(const QString& text) { return mobr::cp932::fromQString(text); }

}  // namespace cctltext
