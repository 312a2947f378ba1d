// The stand-in host's objects and script hooks: just enough of the engine to find a Blueprint
// function by path and call it with hooks around it. The real host's hook registry has no lock,
// and its game thread runs the callables where they are stored. This one keeps a lock around its
// own bookkeeping, so that tests may drive it from many threads, and calls the stored callables in
// place outside it, as the host does: a change to a function's hooks while a call walks them,
// which in the host can destroy a callable as it runs, ends the process here.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <typeinfo>
#include <vector>

#include "DynamicOutput/Output.hpp"
#include "HostGeneration.hpp"
#include "StandIn/ObjectRegistry.hpp"
#include "StandIn/ScriptCalls.hpp"
#include "Unreal/UObjectGlobals.hpp"
#if QVH_STAND_IN_HOST_GENERATION >= 4
#include "Unreal/CoreUObject/UObject/Class.hpp"
#else
#include "Unreal/UFunction.hpp"
#endif

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

// The hooks of one function, and how many calls are walking them at this moment.
struct HookList {
    std::vector<Hook> Hooks;
    int Walkers = 0;
};

struct ObjectSystem {
    std::mutex Mutex;
    std::map<RC::StringType, Object, std::less<>> Objects;
    std::map<RC::StringType, int, std::less<>> Lookups;
    std::map<RC::StringType, HookList, std::less<>> Hooks;
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
    } else if (!It->second.Function) {
        // Loaded again after it was unloaded: a new object.
        It->second.Function = std::make_unique<RC::Unreal::UFunction>();
        It->second.FindableFrom = From;
    } else {
        It->second.FindableFrom = std::min(It->second.FindableFrom, From);
    }
    return It->second;
}

[[noreturn]] void Crash(const char* What) {
    std::fprintf(stderr, "stand-in host: %s\n", What);
    std::abort();
}

// The function loaded at Path, or null. Under the lock.
RC::Unreal::UFunction* Loaded(ObjectSystem& S, RC::StringViewType Path) {
    const auto It = S.Objects.find(Path);
    if (It == S.Objects.end() || !It->second.Function || Clock::now() < It->second.FindableFrom) {
        return nullptr;
    }
    return It->second.Function.get();
}

// The hooks of Path, about to change. Under the lock.
std::vector<Hook>& ChangingHooks(ObjectSystem& S, const RC::StringType& Path) {
    HookList& List = S.Hooks[Path];
    if (List.Walkers > 0) {
        Crash("the hooks of a function changed while a call was running them");
    }
    return List.Hooks;
}

// The full path of a loaded function. The host reads the object itself, so a function the
// engine has unloaded is a use of freed memory here as well. Under the lock.
RC::StringType PathOf(ObjectSystem& S, RC::Unreal::UFunction* Function) {
    if (Function == nullptr) {
        throw std::runtime_error("RegisterHook/UnregisterHook: no function");
    }
    static_cast<void>(typeid(*Function));
    for (const auto& [Path, Obj] : S.Objects) {
        if (Obj.Function.get() == Function) {
            return Path;
        }
    }
    throw std::runtime_error("RegisterHook/UnregisterHook: not a function of this engine");
}

// Sends one of the host's own lines to its default devices, as its Output::send does.
void SendHostLine(const RC::StringType& Line) {
    for (const auto& Device : RC::Output::DefaultTargets::get_default_devices_ref()) {
        if (!Device) {
            throw std::runtime_error(
                "[Output::send] Attempted to send but there were no default devices. Please "
                "specify at least one default device or construct a Targets object and supply "
                "your own devices.");
        }
        Device->receive(Line);
    }
}

void Unhook(const RC::StringType& Path, std::pair<int, int> HookIds) {
    auto& S = System();
    {
        std::scoped_lock Lock(S.Mutex);
        if (std::erase_if(ChangingHooks(S, Path),
                          [&](const Hook& H) { return H.Ids == HookIds; }) == 0) {
            return;
        }
    }
    SendHostLine(STR("[UnregisterHook] Unregistered the hooks of ") + Path + STR("\n"));
}

}  // namespace

namespace RC::Unreal::UObjectGlobals {

UObject* FindObject(UClass*, UObject*, const TCHAR* Name, bool, ObjectSearcher*) {
    return FindObject(nullptr, nullptr, StringViewType(Name), false, nullptr);
}

UObject* FindObject(UClass*, UObject*, StringViewType Name, bool, ObjectSearcher*) {
    auto& S = System();
    std::function<void()> Fault;
    {
        std::scoped_lock Lock(S.Mutex);
        ++S.Lookups[StringType(Name)];
        Fault = S.Faults.InFindObject;
    }
    if (Fault) {
        Fault();
    }
    std::scoped_lock Lock(S.Mutex);
    return Loaded(S, Name);
}

std::pair<int, int> RegisterHook(const StringType& FunctionFullNameNoType,
                                 UnrealScriptFunctionCallable PreCallback,
                                 UnrealScriptFunctionCallable PostCallback, void* CustomData) {
    UFunction* Function = nullptr;
    {
        auto& S = System();
        std::scoped_lock Lock(S.Mutex);
        Function = Loaded(S, FunctionFullNameNoType);
    }
    if (Function == nullptr) {
        // The host uses the result of its lookup unchecked.
        Crash("RegisterHook by the path of a function that is not loaded");
    }
    return RegisterHook(Function, std::move(PreCallback), std::move(PostCallback), CustomData);
}

std::pair<int, int> RegisterHook(UFunction* Function, UnrealScriptFunctionCallable PreCallback,
                                 UnrealScriptFunctionCallable PostCallback, void* CustomData) {
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
    const StringType Path = PathOf(S, Function);
    // A Blueprint function's two hooks share one id.
    const int Id = S.NextHookId++;
    ChangingHooks(S, Path).push_back(
        Hook{{Id, Id}, std::move(PreCallback), std::move(PostCallback), CustomData});
    return S.Faults.ZeroHookIds ? std::pair{0, 0} : std::pair{Id, Id};
}

#if QVH_STAND_IN_HOST_GENERATION < 4
void UnregisterHook(const StringType& FunctionFullNameNoType, std::pair<int, int> HookIds) {
    {
        auto& S = System();
        std::scoped_lock Lock(S.Mutex);
        if (Loaded(S, FunctionFullNameNoType) == nullptr) {
            throw std::runtime_error("UnregisterHook: no function is loaded at the path");
        }
    }
    Unhook(FunctionFullNameNoType, HookIds);
}
#endif

void UnregisterHook(UFunction* Function, std::pair<int, int> HookIds) {
    StringType Path;
    {
        auto& S = System();
        std::scoped_lock Lock(S.Mutex);
        Path = PathOf(S, Function);
    }
    Unhook(Path, HookIds);
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
    for (const auto& [Path, List] : S.Hooks) {
        if (List.Walkers > 0) {
            Crash("the hooks of a function were forgotten while a call was running them");
        }
    }
    S.Objects.clear();
    S.Lookups.clear();
    S.Hooks.clear();
    S.Faults = {};
}

void InvokeScriptFunction(RC::StringViewType Path, void* Params,
                          const std::function<void(void*)>& Body) {
    auto& S = System();
    // The list itself, not a copy: the host's game thread calls each callable where it is stored.
    // A list once made stays in the map until Reset, so the reference outlives the lock.
    HookList* List = nullptr;
    {
        std::scoped_lock Lock(S.Mutex);
        if (const auto It = S.Hooks.find(Path); It != S.Hooks.end()) {
            List = &It->second;
            ++List->Walkers;
        }
    }
    struct EndWalk {
        ObjectSystem& S;
        HookList* List;
        ~EndWalk() {
            if (List != nullptr) {
                std::scoped_lock Lock(S.Mutex);
                --List->Walkers;
            }
        }
    } const Walk{S, List};
    RC::Unreal::FFrame Frame = ScriptFrames::For(Params);
    RC::Unreal::UnrealScriptFunctionCallableContext Context(nullptr, Frame, nullptr);
    // Every stored callable is called, an empty one too, which throws std::bad_function_call.
    if (List != nullptr) {
        for (const Hook& H : List->Hooks) {
            H.Pre(Context, H.CustomData);
        }
    }
    if (Body) {
        Body(Params);
    }
    if (List != nullptr) {
        for (const Hook& H : List->Hooks) {
            H.Post(Context, H.CustomData);
        }
    }
}

RC::Unreal::FFrame ScriptFrames::For(void* Params) {
    RC::Unreal::FFrame Frame;
    Frame.LocalsBuffer = static_cast<RC::Unreal::uint8*>(Params);
    return Frame;
}

void Unload(RC::StringViewType Path) {
    auto& S = System();
    std::scoped_lock Lock(S.Mutex);
    // The hooks stay: the host keeps them by the function's name.
    if (const auto It = S.Objects.find(Path); It != S.Objects.end()) {
        It->second.Function.reset();
    }
}

int HookCount(RC::StringViewType Path) {
    auto& S = System();
    std::scoped_lock Lock(S.Mutex);
    const auto It = S.Hooks.find(Path);
    return It == S.Hooks.end() ? 0 : static_cast<int>(It->second.Hooks.size());
}

}  // namespace StandIn
