#pragma once

#include <string>

#include <QString>

// Host-code-page text <-> QString at the widgets of this library; the one
// place where the controls convert text.
namespace cctltext {
QString toQ(const std::string& bytes);
std::string fromQ(const QString& text);
}  // namespace cctltext
