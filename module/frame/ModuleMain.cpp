#include "frame/ModuleMain.h"

#include <dlfcn.h>

#include <string>

#include "frame/ModuleLog.h"
#include "mobr/export.h"
#include "mobrdlg/ZqMessageBox.h"
#include "mobrdlg/ZqResources.h"
#include "platform/Library.h"

namespace {

struct ModuleState {
    void* instance = nullptr;   // set while the module is attached
    long resources = 0;         // handle of the registered resource file
    std::string folder;         // where this library lies, ending in "/"
};

ModuleState& state()
{
    static ModuleState s;
    return s;
}

std::string folderOfThisLibrary()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&folderOfThisLibrary), &info) == 0 || !info.dli_fname) return "./";
    std::string path(info.dli_fname);
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

bool attach(void* instance)
{
    ModuleState& s = state();
    s.instance = instance;
    s.folder = folderOfThisLibrary();
    const std::string resourcePath = s.folder + module::kResourceFileName;
    s.resources = ZqLoadResourceFile(resourcePath.c_str());
    if (s.resources == 0) {
        ZqDlgMessageBox(nullptr, ZQ_MB_ICONEXCLAMATION, 0, module::kMsgResourceMissing, module::kResourceFileName);
        s.instance = nullptr;
        return false;
    }
    return true;
}

void detach()
{
    ModuleState& s = state();
    s.instance = nullptr;
    if (s.resources != 0) ZqFreeResourceFile(s.resources);
    s.resources = 0;
}

}  // namespace

namespace module {

void* instanceHandle() { return state().instance; }
const char* moduleFolder() { return state().folder.c_str(); }

}  // namespace module

// The loader's notification entry: called with reason 1 right after the
// library is loaded (a 0 result makes the loader unload it again) and with
// reason 0 just before it is unloaded.
extern "C" MOBR_API int MobrDllMain(void* instance, unsigned reason)
{
    try {
        switch (reason) {
        case mobr::kProcessAttach:
            return attach(instance) ? 1 : 0;
        case mobr::kProcessDetach:
            detach();
            return 1;
        case mobr::kThreadAttach:
        case mobr::kThreadDetach:
        default:
            return 1;
        }
    } catch (...) {
        logCaughtException("MobrDllMain");
        return reason == mobr::kProcessAttach ? 0 : 1;
    }
}
