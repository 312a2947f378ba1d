#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "File/Macros.hpp"
#include "HostApi.hpp"
#include "HostGeneration.hpp"
#include "LuaMadeSimple/LuaMadeSimple.hpp"

namespace RC::GUI {
class GUITab;
}  // namespace RC::GUI

namespace RC {

// Base of every native mod. The host creates the mod through the library's start_mod export and
// calls these notifications on its own threads. The order of the virtuals is the host's ABI
// (MSVC puts each pair of on_lua_start and on_lua_stop overloads in its table in reverse order).
// Generation 3 lacks on_ui_init, the overloads taking one hook Lua and on_cpp_mods_loaded, and its
// on_dll_load takes a std::wstring_view whatever the host's own string type.
class RC_UE4SS_API CppUserModBase {
protected:
    std::vector<std::shared_ptr<GUI::GUITab>> GUITabs;

public:
    StringType ModName;
    StringType ModVersion;
    StringType ModDescription;
    StringType ModAuthors;
    StringType ModIntendedSDKVersion;

    CppUserModBase();
    virtual ~CppUserModBase();

    CppUserModBase(const CppUserModBase&) = delete;
    CppUserModBase& operator=(const CppUserModBase&) = delete;

    // About every 5 ms, on the host's event-loop thread: not the game thread, not once a frame.
    // Nothing is caught around it.
    virtual auto on_update() -> void;
    // Once, on the host's start-up thread, when the engine's object system is ready. Only
    // std::runtime_error is caught around it; anything else ends the process.
    virtual auto on_unreal_init() -> void;
#if QVH_STAND_IN_HOST_GENERATION >= 4
    virtual auto on_ui_init() -> void;
#endif
    virtual auto on_program_start() -> void;
    virtual auto on_lua_start(StringViewType mod_name, LuaMadeSimple::Lua& lua,
                              LuaMadeSimple::Lua& main_lua, LuaMadeSimple::Lua& async_lua,
                              std::vector<LuaMadeSimple::Lua*>& hook_luas) -> void;
    virtual auto on_lua_start(LuaMadeSimple::Lua& lua, LuaMadeSimple::Lua& main_lua,
                              LuaMadeSimple::Lua& async_lua,
                              std::vector<LuaMadeSimple::Lua*>& hook_luas) -> void;
    virtual auto on_lua_stop(StringViewType mod_name, LuaMadeSimple::Lua& lua,
                             LuaMadeSimple::Lua& main_lua, LuaMadeSimple::Lua& async_lua,
                             std::vector<LuaMadeSimple::Lua*>& hook_luas) -> void;
    virtual auto on_lua_stop(LuaMadeSimple::Lua& lua, LuaMadeSimple::Lua& main_lua,
                             LuaMadeSimple::Lua& async_lua,
                             std::vector<LuaMadeSimple::Lua*>& hook_luas) -> void;
#if QVH_STAND_IN_HOST_GENERATION >= 4
    virtual auto on_dll_load(StringViewType dll_name) -> void;
#else
    virtual auto on_dll_load(std::wstring_view dll_name) -> void;
#endif
    virtual auto render_tab() -> void;
#if QVH_STAND_IN_HOST_GENERATION >= 4
    virtual auto on_lua_start(StringViewType mod_name, LuaMadeSimple::Lua& lua,
                              LuaMadeSimple::Lua& main_lua, LuaMadeSimple::Lua& async_lua,
                              LuaMadeSimple::Lua* hook_lua) -> void;
    virtual auto on_lua_start(LuaMadeSimple::Lua& lua, LuaMadeSimple::Lua& main_lua,
                              LuaMadeSimple::Lua& async_lua, LuaMadeSimple::Lua* hook_lua) -> void;
    virtual auto on_lua_stop(StringViewType mod_name, LuaMadeSimple::Lua& lua,
                             LuaMadeSimple::Lua& main_lua, LuaMadeSimple::Lua& async_lua,
                             LuaMadeSimple::Lua* hook_lua) -> void;
    virtual auto on_lua_stop(LuaMadeSimple::Lua& lua, LuaMadeSimple::Lua& main_lua,
                             LuaMadeSimple::Lua& async_lua, LuaMadeSimple::Lua* hook_lua) -> void;
    virtual auto on_cpp_mods_loaded() -> void;
#endif
};

}  // namespace RC
