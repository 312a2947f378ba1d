#include "tools/qvh_host/hosted_mod.hpp"

#include <cstdio>
#include <thread>

#include "StandIn/ObjectRegistry.hpp"
#include "StandIn/ScriptCalls.hpp"
#include "bridge/comms_function_path.hpp"
#include "log/escaped_name.hpp"

namespace QVH::HostTool {
namespace {

std::string Seconds(std::chrono::milliseconds Duration) {
    char Text[32];
    std::snprintf(Text, sizeof(Text), "%.1f s", static_cast<double>(Duration.count()) / 1000);
    return Text;
}

}  // namespace

std::unique_ptr<HostedMod> HostedMod::Start(const std::filesystem::path& Path, std::string& Error) {
    auto Library = StandIn::ModLibrary::Load(Path, Error);
    if (!Library) {
        // The system's message quotes the path, which may hold anything.
        Error = EscapedNameUtf8(std::string_view(Error));
        return nullptr;
    }
    RC::CppUserModBase* Mod = Library->CallStartMod();
    if (Mod == nullptr) {
        Error = "start_mod of " + EscapedNameUtf8(Path.native()) + " gave no mod object";
        return nullptr;
    }
    return std::unique_ptr<HostedMod>(new HostedMod(std::move(Library), Mod));
}

std::unique_ptr<HostedMod> HostedMod::StartHooked(const std::filesystem::path& Path,
                                                  std::chrono::milliseconds Delay,
                                                  std::chrono::milliseconds Limit,
                                                  std::string& Error) {
    auto Mod = Start(Path, Error);
    if (!Mod) {
        Error = "cannot load the mod: " + Error;
        return nullptr;
    }
    StandIn::MakeFindableAfter(QVH::CommsFunctionPathView, Delay);
    Mod->EngineReady();
    if (!WaitForHook(Limit)) {
        Error = "the mod did not hook CPPCommsCall within " + Seconds(Limit) +
                " of the engine-ready notification (the widget was loaded after " + Seconds(Delay) +
                ")";
        return nullptr;
    }
    return Mod;
}

HostedMod::~HostedMod() {
    Library->CallUninstallMod(Mod);
    // The host keeps a mod's hooks until the game ends; this run ends here. Forgotten before the
    // library goes, they cannot call into it at exit, should it not have kept itself loaded.
    StandIn::Reset();
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
