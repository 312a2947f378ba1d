// The stand-in host's objects and script hooks: just enough of the engine to find a Blueprint
// function by path and call it with hooks around it. One lock guards everything; hooks run
// outside it, so a hook may call back into the host.
#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "StandIn/ObjectRegistry.hpp"
#include "StandIn/ScriptCalls.hpp"
#include "Unreal/UObjectGlobals.hpp"

namespace {

using Clock = std::chrono::steady_clock;
using RC::Unreal::UnrealScriptFunctionCallable;

struct Object {
    std::unique_ptr<RC::Unreal::UFunction> Function = std::make_unique<RC::Unreal::UFunction>();
    Clock::time_point FindableFrom;
};

struct Hook {
    std::pair<int, int> Ids;
    UnrealScriptFunctionCallable Pre;
    UnrealScriptFunctionCallable Post;
    void* CustomData;
};

struct ObjectSystem {
    std::mutex Mutex;
    std::map<RC::StringType, Object, std::less<>> Objects;
    std::map<RC::StringType, int, std::less<>> Lookups;
    std::map<RC::StringType, std::vector<Hook>, std::less<>> Hooks;
    StandIn::Faults Faults;
    int NextHookId = 1;
};

ObjectSystem& System() {
    static ObjectSystem Instance;
    return Instance;
}

Object& Define(ObjectSystem& S, RC::StringViewType Path, Clock::time_point From) {
    auto It = S.Objects.find(Path);
    if (It == S.Objects.end()) {
        It = S.Objects.emplace(RC::StringType(Path), Object{}).first;
        It->second.FindableFrom = From;
    } else {
        It->second.FindableFrom = std::min(It->second.FindableFrom, From);
    }
    return It->second;
}

}  // namespace

namespace RC::Unreal::UObjectGlobals {

UObject* FindObject(UClass*, UObject*, const File::CharType* Name, bool, FObjectSearcher*) {
    auto& S = System();
    std::function<void()> Fault;
    {
        std::scoped_lock Lock(S.Mutex);
        ++S.Lookups[RC::StringType(Name)];
        Fault = S.Faults.InFindObject;
    }
    if (Fault) {
        Fault();
    }
    std::scoped_lock Lock(S.Mutex);
    const auto It = S.Objects.find(File::StringViewType(Name));
    if (It == S.Objects.end() || Clock::now() < It->second.FindableFrom) {
        return nullptr;
    }
    return It->second.Function.get();
}

std::pair<int, int> RegisterHook(File::StringViewType UFunctionPath,
                                 const UnrealScriptFunctionCallable& PreCallback,
                                 const UnrealScriptFunctionCallable& PostCallback,
                                 void* CustomData) {
    auto& S = System();
    std::function<void()> Fault;
    {
        std::scoped_lock Lock(S.Mutex);
        Fault = S.Faults.InRegisterHook;
    }
    if (Fault) {
        Fault();
    }
    std::scoped_lock Lock(S.Mutex);
    Hook NewHook{{S.NextHookId, S.NextHookId + 1}, PreCallback, PostCallback, CustomData};
    S.NextHookId += 2;
    S.Hooks[File::StringType(UFunctionPath)].push_back(NewHook);
    return S.Faults.ZeroHookIds ? std::pair{0, 0} : NewHook.Ids;
}

bool UnregisterHook(File::StringViewType UFunctionPath, std::pair<int, int> HookIds) {
    auto& S = System();
    std::scoped_lock Lock(S.Mutex);
    const auto It = S.Hooks.find(UFunctionPath);
    if (It == S.Hooks.end()) {
        return false;
    }
    return std::erase_if(It->second, [&](const Hook& H) { return H.Ids == HookIds; }) > 0;
}

bool UnregisterHook(UFunction* Function, std::pair<int, int> HookIds) {
    File::StringType Path;
    {
        auto& S = System();
        std::scoped_lock Lock(S.Mutex);
        for (const auto& [ObjectPath, Obj] : S.Objects) {
            if (Obj.Function.get() == Function) {
                Path = ObjectPath;
            }
        }
    }
    return !Path.empty() && UnregisterHook(Path, HookIds);
}

}  // namespace RC::Unreal::UObjectGlobals

namespace StandIn {

RC::Unreal::UObject* MakeFindable(RC::StringViewType Path) {
    auto& S = System();
    std::scoped_lock Lock(S.Mutex);
    return Define(S, Path, Clock::now()).Function.get();
}

void MakeFindableAfter(RC::StringViewType Path, std::chrono::milliseconds Delay) {
    auto& S = System();
    std::scoped_lock Lock(S.Mutex);
    Define(S, Path, Clock::now() + Delay);
}

int LookupCount(RC::StringViewType Path) {
    auto& S = System();
    std::scoped_lock Lock(S.Mutex);
    const auto It = S.Lookups.find(Path);
    return It == S.Lookups.end() ? 0 : It->second;
}

void SetFaults(Faults NewFaults) {
    auto& S = System();
    std::scoped_lock Lock(S.Mutex);
    S.Faults = std::move(NewFaults);
}

void Reset() {
    auto& S = System();
    std::scoped_lock Lock(S.Mutex);
    S.Objects.clear();
    S.Lookups.clear();
    S.Hooks.clear();
    S.Faults = {};
}

void InvokeScriptFunction(RC::StringViewType Path, void* Params,
                          const std::function<void(void*)>& Body) {
    std::vector<Hook> Hooks;
    {
        auto& S = System();
        std::scoped_lock Lock(S.Mutex);
        if (const auto It = S.Hooks.find(Path); It != S.Hooks.end()) {
            Hooks = It->second;
        }
    }
    RC::Unreal::FFrame Frame;
    Frame.Locals() = static_cast<RC::Unreal::uint8*>(Params);
    RC::Unreal::UnrealScriptFunctionCallableContext Context(nullptr, Frame, nullptr);
    for (const Hook& H : Hooks) {
        if (H.Pre) {
            H.Pre(Context, H.CustomData);
        }
    }
    if (Body) {
        Body(Params);
    }
    for (const Hook& H : Hooks) {
        if (H.Post) {
            H.Post(Context, H.CustomData);
        }
    }
}

int HookCount(RC::StringViewType Path) {
    auto& S = System();
    std::scoped_lock Lock(S.Mutex);
    const auto It = S.Hooks.find(Path);
    return It == S.Hooks.end() ? 0 : static_cast<int>(It->second.size());
}

}  // namespace StandIn
