#pragma once

// The mod object that the host creates through start_mod and drives through its notifications.

#include <atomic>
#include <memory>
#include <utility>

#include "Mod/CppUserModBase.hpp"
#include "Unreal/UObject.hpp"
#include "mod/hook_gate.hpp"
#include "mod/scan_thread.hpp"

namespace QVH {

class QVH_MotionArchive : public RC::CppUserModBase {
public:
    // Public, as the mod's design lays the object out: the scan writes these fields, the object's
    // hooks and destructor read them, and the tests set BPToCPPCaller and HookIds to try the
    // scan's entry check. No other code of the mod touches them.
    //
    // CPPCommsCall once the scan has found it; null until then.
    RC::Unreal::UObject* BPToCPPCaller = nullptr;
    // The identifiers of the hooks installed on BPToCPPCaller, as the host returned them.
    std::pair<int, int> HookIds{0, 0};
    // The gate that the installed hooks hold a share of; null until the host has installed them.
    std::shared_ptr<HookGate> HookCalls;
    // The thread that looks for CPPCommsCall; read the two fields above only once it has
    // finished or been stopped.
    ScanThread Scan;

    QVH_MotionArchive();
    // Stops the scan and waits for it; once it has hooked, closes the hooks' gate, waits for the
    // calls inside, keeps the library loaded and leaves the hooks in the host doing nothing (see
    // ReleaseHooks). Clears ModInstance when it points here.
    ~QVH_MotionArchive() override;

    auto on_update() -> void override;
    // Starts the scan for CPPCommsCall on its own thread and returns at once. Only the
    // object that ModInstance points at scans, and only once.
    auto on_unreal_init() -> void override;

    // Body of the scan thread: finds CPPCommsCall and hooks it. Reaches the mod object
    // through ModInstance, and stops once ModInstance points at another object.
    static void ScanForBPToCPPCaller();

private:
    // Registers the comms hooks on BPToCPPCaller and keeps their ids and gate. The scan's own.
    void HookCommsFunction();
};

// The one mod object, set by start_mod; null before it and after uninstall_mod. Only the object
// it points at scans and answers calls: should the host start a second object without ending the
// first, the newer one takes over. Atomic, since the scan and the hooks read it on their threads.
extern std::atomic<QVH_MotionArchive*> ModInstance;

}  // namespace QVH
