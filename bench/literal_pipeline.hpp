#pragma once

#include "Unreal/FString.hpp"

// The straightforward way to serve the two calls, kept as the reference the mod is measured
// against: each step done the plain way, with no thought for copies or passes.
namespace QVH::Bench {

// Reads the file Name of the animation folder through a text-mode std::ifstream and
// std::istreambuf_iterator, removes CR and then LF with two erase-remove passes, widens each
// byte to one unit and builds the engine string from the NUL-terminated units.
RC::Unreal::FString LiteralReadAnimationFile(RC::Unreal::FString Name);

// Lists the animation folder with std::filesystem::directory_iterator, joins each entry's
// generic_string() with "|" into a std::string, widens it and builds the engine string.
RC::Unreal::FString LiteralListAnimationFiles();

}  // namespace QVH::Bench
