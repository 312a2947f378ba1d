#include "tools/hosted_mod.hpp"

#include <cstdio>
#include <thread>

#include "StandIn/ObjectRegistry.hpp"
#include "StandIn/ScriptCalls.hpp"
#include "bridge/comms_function_path.hpp"

namespace QVH::HostTool {

std::unique_ptr<HostedMod> HostedMod::Start(const std::filesystem::path& Path, std::string& Error) {
    auto Library = StandIn::ModLibrary::Load(Path, Error);
    if (!Library) {
        return nullptr;
    }
    RC::CppUserModBase* Mod = Library->CallStartMod();
    if (Mod == nullptr) {
        Error = "start_mod of " + Path.string() + " gave no mod object";
        return nullptr;
    }
    return std::unique_ptr<HostedMod>(new HostedMod(std::move(Library), Mod));
}

HostedMod::~HostedMod() {
    Library->CallUninstallMod(Mod);
    // Hooks left behind hold code of the library that is about to go; the host's table would
    // call into it when it is cleaned up at exit.
    if (const int Left = StandIn::HookCount(QVH::CommsFunctionPathView); Left > 0) {
        std::fprintf(stderr,
                     "qvh-host: the mod left %d hook(s) on CPPCommsCall after uninstall_mod\n",
                     Left);
        StandIn::Reset();
    }
    Library.reset();
}

void HostedMod::EngineReady() { Mod->on_unreal_init(); }

bool HostedMod::WaitForHook(std::chrono::milliseconds Limit) {
    const auto Deadline = std::chrono::steady_clock::now() + Limit;
    while (StandIn::HookCount(QVH::CommsFunctionPathView) == 0) {
        if (std::chrono::steady_clock::now() >= Deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

}  // namespace QVH::HostTool
