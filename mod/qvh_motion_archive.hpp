#pragma once

// The mod object that the host creates through start_mod and drives through its notifications.

#include <utility>

#include "Mod/CppUserModBase.hpp"
#include "Unreal/UObject.hpp"

class QVH_MotionArchive : public RC::CppUserModBase {
public:
    // The comms Blueprint function once the scan has found it; null until then.
    RC::Unreal::UObject* BPToCPPCaller = nullptr;
    // The identifiers of the hooks installed on BPToCPPCaller, as the host returned them.
    std::pair<int, int> HookIds{0, 0};

    QVH_MotionArchive();
    ~QVH_MotionArchive() override;

    auto on_update() -> void override;
    auto on_unreal_init() -> void override;

    // Body of the scan thread: finds the comms function and hooks it.
    static void ScanForBPToCPPCaller();
};

// The one mod object, set by start_mod; null before it and after uninstall_mod.
extern QVH_MotionArchive* ModInstance;
