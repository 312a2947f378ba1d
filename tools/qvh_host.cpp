// qvh-host: runs the mod inside the stand-in host, without the game.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "DynamicOutput/DefaultTargets.hpp"
#include "StandIn/Devices.hpp"
#include "StandIn/ModLibrary.hpp"
#include "StandIn/ProgramFolder.hpp"

namespace {

std::filesystem::path ProgramFolder(const char* Argv0) {
    try {
        return StandIn::ProgramFolder();
    } catch (const std::filesystem::filesystem_error&) {
        return std::filesystem::absolute(Argv0).parent_path();
    }
}

}  // namespace

int main(int Argc, char** Argv) {
    const std::filesystem::path ModPath =
        Argc > 1 ? std::filesystem::path(Argv[1]) : ProgramFolder(Argv[0]) / QVH_MOD_FILE_NAME;
    RC::Output::DefaultTargets::get_default_devices_ref().push_back(
        std::make_unique<StandIn::ConsoleDevice>());

    std::string Error;
    auto Library = StandIn::ModLibrary::Load(ModPath, Error);
    if (!Library) {
        std::fprintf(stderr, "qvh-host: %s\n", Error.c_str());
        return 1;
    }
    RC::CppUserModBase* Mod = Library->CallStartMod();
    if (Mod == nullptr) {
        std::fprintf(stderr, "qvh-host: start_mod gave no mod object\n");
        return 1;
    }
    Mod->on_unreal_init();
    Mod->on_update();
    Library->CallUninstallMod(Mod);
    return 0;
}
