#include "ModuleFixture.h"

#include "mobr/host_api_register.h"

namespace recordinghost {

int32_t aapRunDlgHelp(int32_t topic)
{
    moduletest::hostCalls().push_back("aapRunDlgHelp(" + std::to_string(topic) + ")");
    return 0;
}

int32_t aapLcom_mwar(int32_t id)
{
    moduletest::hostCalls().push_back("aapLcom_mwar(" + std::to_string(id) + ")");
    return 0;
}

}  // namespace recordinghost

namespace moduletest {

std::string binFolder() { return MOBR_BIN_DIR "/"; }

mobr::Library& module()
{
    static mobr::Library library(binFolder() + "libmobrtmpl.so");
    return library;
}

std::vector<std::string>& hostCalls()
{
    static std::vector<std::string> calls;
    return calls;
}

void installRecordingHost()
{
    hostCalls().clear();
    MOBR_REGISTER_ONE(recordinghost, aapRunDlgHelp);
    MOBR_REGISTER_ONE(recordinghost, aapLcom_mwar);
}

}  // namespace moduletest
