#include "Mod/CppUserModBase.hpp"

namespace RC {

CppUserModBase::CppUserModBase() = default;
CppUserModBase::~CppUserModBase() = default;

auto CppUserModBase::on_update() -> void {}
auto CppUserModBase::on_unreal_init() -> void {}
auto CppUserModBase::on_ui_init() -> void {}
auto CppUserModBase::on_program_start() -> void {}
auto CppUserModBase::on_lua_start(LuaMadeSimple::Lua&, LuaMadeSimple::Lua&, LuaMadeSimple::Lua&,
                                  std::vector<LuaMadeSimple::Lua*>&) -> void {}
auto CppUserModBase::on_lua_start(StringViewType, LuaMadeSimple::Lua&, LuaMadeSimple::Lua&,
                                  LuaMadeSimple::Lua&, std::vector<LuaMadeSimple::Lua*>&) -> void {}
auto CppUserModBase::on_lua_stop(LuaMadeSimple::Lua&, LuaMadeSimple::Lua&, LuaMadeSimple::Lua&,
                                 std::vector<LuaMadeSimple::Lua*>&) -> void {}
auto CppUserModBase::on_lua_stop(StringViewType, LuaMadeSimple::Lua&, LuaMadeSimple::Lua&,
                                 LuaMadeSimple::Lua&, std::vector<LuaMadeSimple::Lua*>&) -> void {}
auto CppUserModBase::on_dll_load(StringViewType) -> void {}
auto CppUserModBase::render_tab() -> void {}

}  // namespace RC
