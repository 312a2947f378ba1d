#pragma once

#include <vector>

#include "File/Macros.hpp"
#include "HostApi.hpp"
#include "LuaMadeSimple/LuaMadeSimple.hpp"

namespace RC {

// Base of every native mod. The host creates the mod through the library's start_mod export and
// calls these notifications on its own threads; the order of the virtuals is the host's ABI.
class RC_UE4SS_API CppUserModBase {
public:
    StringType ModName;
    StringType ModVersion;
    StringType ModDescription;
    StringType ModAuthors;

    CppUserModBase();
    virtual ~CppUserModBase();

    CppUserModBase(const CppUserModBase&) = delete;
    CppUserModBase& operator=(const CppUserModBase&) = delete;

    // Once per engine tick, on the game thread.
    virtual auto on_update() -> void;
    // Once, when the engine's object system is ready.
    virtual auto on_unreal_init() -> void;
    virtual auto on_ui_init() -> void;
    virtual auto on_program_start() -> void;
    virtual auto on_lua_start(LuaMadeSimple::Lua& lua, LuaMadeSimple::Lua& main_lua,
                              LuaMadeSimple::Lua& async_lua,
                              std::vector<LuaMadeSimple::Lua*>& hook_luas) -> void;
    virtual auto on_lua_start(StringViewType mod_name, LuaMadeSimple::Lua& lua,
                              LuaMadeSimple::Lua& main_lua, LuaMadeSimple::Lua& async_lua,
                              std::vector<LuaMadeSimple::Lua*>& hook_luas) -> void;
    virtual auto on_lua_stop(LuaMadeSimple::Lua& lua, LuaMadeSimple::Lua& main_lua,
                             LuaMadeSimple::Lua& async_lua,
                             std::vector<LuaMadeSimple::Lua*>& hook_luas) -> void;
    virtual auto on_lua_stop(StringViewType mod_name, LuaMadeSimple::Lua& lua,
                             LuaMadeSimple::Lua& main_lua, LuaMadeSimple::Lua& async_lua,
                             std::vector<LuaMadeSimple::Lua*>& hook_luas) -> void;
    virtual auto on_dll_load(StringViewType dll_name) -> void;
    virtual auto render_tab() -> void;
};

}  // namespace RC
