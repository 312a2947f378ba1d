#include "Mod/CppUserModBase.hpp"

namespace RC {

using LuaMadeSimple::Lua;

CppUserModBase::CppUserModBase() = default;
CppUserModBase::~CppUserModBase() = default;

auto CppUserModBase::on_update() -> void {}
auto CppUserModBase::on_unreal_init() -> void {}
#if QVH_STAND_IN_HOST_GENERATION >= 4
auto CppUserModBase::on_ui_init() -> void {}
#endif
auto CppUserModBase::on_program_start() -> void {}
auto CppUserModBase::on_lua_start(StringViewType, Lua&, Lua&, Lua&, std::vector<Lua*>&) -> void {}
auto CppUserModBase::on_lua_start(Lua&, Lua&, Lua&, std::vector<Lua*>&) -> void {}
auto CppUserModBase::on_lua_stop(StringViewType, Lua&, Lua&, Lua&, std::vector<Lua*>&) -> void {}
auto CppUserModBase::on_lua_stop(Lua&, Lua&, Lua&, std::vector<Lua*>&) -> void {}
#if QVH_STAND_IN_HOST_GENERATION >= 4
auto CppUserModBase::on_dll_load(StringViewType) -> void {}
#else
auto CppUserModBase::on_dll_load(std::wstring_view) -> void {}
#endif
auto CppUserModBase::render_tab() -> void {}
#if QVH_STAND_IN_HOST_GENERATION >= 4
auto CppUserModBase::on_lua_start(StringViewType, Lua&, Lua&, Lua&, Lua*) -> void {}
auto CppUserModBase::on_lua_start(Lua&, Lua&, Lua&, Lua*) -> void {}
auto CppUserModBase::on_lua_stop(StringViewType, Lua&, Lua&, Lua&, Lua*) -> void {}
auto CppUserModBase::on_lua_stop(Lua&, Lua&, Lua&, Lua*) -> void {}
auto CppUserModBase::on_cpp_mods_loaded() -> void {}
#endif

}  // namespace RC
