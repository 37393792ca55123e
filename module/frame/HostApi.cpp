#include "frame/HostApi.h"

#include <cstdio>

namespace hostapi {

MissingHostFunction::MissingHostFunction(const std::string& name)
    : std::runtime_error("the host does not provide the function '" + name + "'"), name_(name)
{
}

void missingHostFunction(const char* name)
{
    const std::string text = name ? name : "";
    std::fprintf(stderr, "the host does not provide the function '%s'\n", text.c_str());
    std::fflush(stderr);
    throw MissingHostFunction(text);
}

}  // namespace hostapi
