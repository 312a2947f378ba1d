#pragma once

// The mod library loaded into the stand-in host, for the length of one qvh-host run.

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "StandIn/ModLibrary.hpp"

namespace QVH::HostTool {

class HostedMod {
public:
    // Loads the library at Path and calls its start_mod. Null, with the reason in Error, when it
    // cannot be loaded or gives no mod object.
    static std::unique_ptr<HostedMod> Start(const std::filesystem::path& Path, std::string& Error);

    // Start, then the engine-ready notification with the widget's function made findable after
    // Delay, then the wait for the hook, for at most Limit: what each command does before its
    // calls. Null, with the reason in Error, when the library cannot be loaded or the function is
    // not hooked in time.
    static std::unique_ptr<HostedMod> StartHooked(const std::filesystem::path& Path,
                                                  std::chrono::milliseconds Delay,
                                                  std::chrono::milliseconds Limit,
                                                  std::string& Error);

    // Calls uninstall_mod, then unloads the library.
    ~HostedMod();
    HostedMod(const HostedMod&) = delete;
    HostedMod& operator=(const HostedMod&) = delete;

    // The engine-ready notification.
    void EngineReady();

    // The version the mod object carries.
    const RC::StringType& ModVersion() const { return Mod->ModVersion; }

    // Waits until CPPCommsCall carries a hook, for at most Limit. False when it never did.
    static bool WaitForHook(std::chrono::milliseconds Limit);

private:
    HostedMod(std::unique_ptr<StandIn::ModLibrary> InLibrary, RC::CppUserModBase* InMod)
        : Library(std::move(InLibrary)), Mod(InMod) {}

    std::unique_ptr<StandIn::ModLibrary> Library;
    RC::CppUserModBase* Mod;
};

}  // namespace QVH::HostTool
