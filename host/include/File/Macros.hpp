#pragma once

// Mods reach the host's text types and STR() through this header in every host version (older
// ones define STR here themselves).
#include "String/StringType.hpp"
