// The library's only exports, under plain names; everything else is hidden.

#include "log/log_current_exception.hpp"
#include "log/log_message.hpp"
#include "mod/qvh_motion_archive.hpp"

#if defined(_WIN32)
#define QVH_EXPORT extern "C" __declspec(dllexport)
#else
#define QVH_EXPORT extern "C" __attribute__((visibility("default")))
#endif

// The host cannot take an exception across this boundary; a mod that fails to start is reported
// to it as no mod at all, and to the modder in one line, where a line can still be sent.
using QVH::ModInstance;
using QVH::QVH_MotionArchive;

QVH_EXPORT RC::CppUserModBase* start_mod() {
    QVH_MotionArchive* Mod = nullptr;
    try {
        Mod = new QVH_MotionArchive();
        ModInstance = Mod;
        QVH::LogMessage(STR("QVH_MotionArchive C++ Side Initialized!"));
        return Mod;
    } catch (...) {
        delete Mod;
        QVH::LogCurrentException(STR("The mod could not start: "));
        return nullptr;
    }
}

QVH_EXPORT void uninstall_mod(RC::CppUserModBase* Mod) { delete Mod; }
