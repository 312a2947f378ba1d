#include "mod/qvh_motion_archive.hpp"

QVH_MotionArchive* ModInstance = nullptr;

QVH_MotionArchive::QVH_MotionArchive() {
    // The name's letter case differs from the class's; the host shows it as is.
    ModName = STR("QVH_MOtionArchive");
    ModVersion = STR("0.0.1");
    ModDescription = STR("Quenvarholt - Animation Framework");
    ModAuthors = STR("Ostrander");
}

QVH_MotionArchive::~QVH_MotionArchive() {
    // The scan writes the fields below and reads ModInstance, so it ends first. The hooks' code
    // lives in this library, which the host may unload next.
    Scan.Stop();
    RemoveHooks();
    if (ModInstance == this) {
        ModInstance = nullptr;
    }
}

auto QVH_MotionArchive::on_update() -> void {}
