#pragma once

// Marks what the host library exports to its mods. Mods are built with hidden visibility, so the
// host's declarations must say explicitly that they live in another module.
#if defined(_WIN32)
#if defined(RC_UE4SS_EXPORTS)
#define RC_UE4SS_API __declspec(dllexport)
#else
#define RC_UE4SS_API __declspec(dllimport)
#endif
#else
#define RC_UE4SS_API __attribute__((visibility("default")))
#endif
