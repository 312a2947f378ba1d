#include "StandIn/ModLibrary.hpp"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace StandIn {
namespace {

#if defined(_WIN32)
void* Open(const std::filesystem::path& Path, std::string& Error) {
    HMODULE Module = LoadLibraryW(Path.c_str());
    if (Module == nullptr) {
        Error = "cannot load " + Path.string() + ": error " + std::to_string(GetLastError());
    }
    return reinterpret_cast<void*>(Module);
}
void* Symbol(void* Handle, const char* Name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(Handle), Name));
}
void Close(void* Handle) { FreeLibrary(static_cast<HMODULE>(Handle)); }
#else
void* Open(const std::filesystem::path& Path, std::string& Error) {
    void* Handle = dlopen(Path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (Handle == nullptr) {
        Error = dlerror();
    }
    return Handle;
}
void* Symbol(void* Handle, const char* Name) { return dlsym(Handle, Name); }
void Close(void* Handle) { dlclose(Handle); }
#endif

}  // namespace

std::unique_ptr<ModLibrary> ModLibrary::Load(const std::filesystem::path& Path,
                                             std::string& Error) {
    void* Handle = Open(Path, Error);
    if (Handle == nullptr) {
        return nullptr;
    }
    auto* Start = reinterpret_cast<StartMod>(Symbol(Handle, "start_mod"));
    auto* Uninstall = reinterpret_cast<UninstallMod>(Symbol(Handle, "uninstall_mod"));
    if (Start == nullptr || Uninstall == nullptr) {
        Error = Path.string() + " does not export start_mod and uninstall_mod";
        Close(Handle);
        return nullptr;
    }
    return std::unique_ptr<ModLibrary>(new ModLibrary(Handle, Start, Uninstall));
}

ModLibrary::~ModLibrary() { Close(Handle); }

}  // namespace StandIn
