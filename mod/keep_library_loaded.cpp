#include "mod/keep_library_loaded.hpp"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#include <link.h>
#endif

namespace QVH {
namespace {

// An address inside this library, by which the system finds the library.
constexpr char Anchor = 0;

}  // namespace

bool KeepLibraryLoaded() noexcept {
#if defined(_WIN32)
    HMODULE Module = nullptr;
    // Pinned, the module stays loaded whatever FreeLibrary calls follow.
    return GetModuleHandleExW(
               GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
               reinterpret_cast<LPCWSTR>(&Anchor), &Module) != 0;
#else
    Dl_info Info{};
    link_map* Map = nullptr;
    if (dladdr1(&Anchor, &Info, reinterpret_cast<void**>(&Map), RTLD_DL_LINKMAP) == 0 ||
        Map == nullptr || Info.dli_fname == nullptr) {
        return false;
    }
    // The program itself heads the list of loaded objects and is never unloaded; it cannot be
    // opened by its name either.
    if (Map->l_prev == nullptr) {
        return true;
    }
    // Opening the library again, without loading it, takes a reference that is never given back;
    // RTLD_NODELETE makes every later dlclose leave it mapped.
    return dlopen(Info.dli_fname, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE) != nullptr;
#endif
}

}  // namespace QVH
