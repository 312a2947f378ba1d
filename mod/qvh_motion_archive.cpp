#include "mod/qvh_motion_archive.hpp"

#include "log/log_current_exception.hpp"
#include "mod/keep_library_loaded.hpp"
#include "mod/release_hooks.hpp"

namespace QVH {

std::atomic<QVH_MotionArchive*> ModInstance{nullptr};

QVH_MotionArchive::QVH_MotionArchive() {
    // The name's letter case differs from the class's; the host shows it as is.
    ModName = STR("QVH_MOtionArchive");
    ModVersion = STR("0.0.1");
    ModDescription = STR("Quenvarholt - Animation Framework");
    ModAuthors = STR("Ostrander");
}

QVH_MotionArchive::~QVH_MotionArchive() {
    // The scan writes the fields below and reads ModInstance, so it ends first.
    Scan.Stop();
    if (HookCalls) {
        // In this order: no call is inside the hooks any more, their code stays mapped whatever
        // the host frees next, and only then is it decided what becomes of them.
        HookCalls->CloseAndWait();
        ReleaseHooks(HookIds, KeepLibraryLoaded());
    }
    QVH_MotionArchive* Self = this;
    ModInstance.compare_exchange_strong(Self, nullptr);
}

auto QVH_MotionArchive::on_update() -> void {}

auto QVH_MotionArchive::on_unreal_init() -> void {
    if (ModInstance.load() != this) {
        return;
    }
    try {
        Scan.Start(&QVH_MotionArchive::ScanForBPToCPPCaller);
    } catch (...) {
        // The host does not expect an exception from its notification.
        LogCurrentException(STR("Scan for CPPCommsCall could not start: "));
    }
}

}  // namespace QVH
