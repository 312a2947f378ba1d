#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "HostApi.hpp"
#include "Mod/CppUserModBase.hpp"

namespace StandIn {

// A native mod library loaded as the host loads one: by path, reached only through its two
// exports. Unloads the library when destroyed.
class RC_UE4SS_API ModLibrary {
public:
    using StartMod = RC::CppUserModBase* (*)();
    using UninstallMod = void (*)(RC::CppUserModBase*);

    // Loads the library at Path. Null, with the reason in Error, when it cannot be loaded or
    // lacks an export.
    static std::unique_ptr<ModLibrary> Load(const std::filesystem::path& Path, std::string& Error);

    ~ModLibrary();
    ModLibrary(const ModLibrary&) = delete;
    ModLibrary& operator=(const ModLibrary&) = delete;

    RC::CppUserModBase* CallStartMod() const { return Start(); }
    void CallUninstallMod(RC::CppUserModBase* Mod) const { Uninstall(Mod); }

private:
    ModLibrary(void* InHandle, StartMod InStart, UninstallMod InUninstall)
        : Handle(InHandle), Start(InStart), Uninstall(InUninstall) {}

    void* Handle;
    StartMod Start;
    UninstallMod Uninstall;
};

}  // namespace StandIn
