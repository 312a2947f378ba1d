#pragma once

namespace RC::LuaMadeSimple {
// The host's Lua state. Mods of this kind only pass it through, so it stays incomplete.
class Lua;
}  // namespace RC::LuaMadeSimple
