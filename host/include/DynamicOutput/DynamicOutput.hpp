#pragma once

#include "DynamicOutput/Output.hpp"
#include "DynamicOutput/OutputDevice.hpp"
