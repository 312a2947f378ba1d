cmake_minimum_required(VERSION 3.25)
# Fails when a layer's file includes a header of a layer above it, one of the stand-in host's own
# controls (StandIn/...), or a host header that the real host does not have, or tells the host's
# generations apart by the stand-in's own number for them; and when the folder check
# (tools/check) includes a header of qvh-host's own or of the stand-in's controls. Run as
#   cmake -DROOT=<project root> -P check_layers.cmake
# The host's real-shaped headers (Mod/, Unreal/, DynamicOutput/, ...) are open to every layer.
set(layers engine text log anim_files bridge mod)
set(not_for_production StandIn tests tools bench fuzz examples)
# The headers a mod may include of the host: those the real host has, at its paths, in either
# generation (3.x: Unreal/UFunction.hpp; 4.x: Unreal/CoreUObject/UObject/Class.hpp). The stand-in
# has a few more of its own, which a build against the real host would not find.
set(real_host_folders Mod String File DynamicOutput Unreal LuaMadeSimple HostApi)
set(real_host_headers
    Mod/CppUserModBase.hpp
    String/StringType.hpp
    File/Macros.hpp
    DynamicOutput/Output.hpp
    DynamicOutput/DynamicOutput.hpp
    DynamicOutput/OutputDevice.hpp
    Unreal/FString.hpp
    Unreal/UObject.hpp
    Unreal/UFunction.hpp
    Unreal/CoreUObject/UObject/Class.hpp
    Unreal/UObjectGlobals.hpp
    Unreal/UFunctionStructs.hpp
    Unreal/FFrame.hpp)

set(failures "")
function(check_folder folder allowed_above check_host)
    file(GLOB_RECURSE sources "${ROOT}/${folder}/*.hpp" "${ROOT}/${folder}/*.cpp")
    foreach(source IN LISTS sources)
        if(check_host)
            file(STRINGS "${source}" numbered REGEX "QVH_STAND_IN_HOST_GENERATION|HostGeneration")
            if(numbered)
                file(RELATIVE_PATH name "${ROOT}" "${source}")
                list(APPEND failures "${name} uses the stand-in's generation number")
                set(failures "${failures}" PARENT_SCOPE)
            endif()
        endif()
        file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*$" "\\1"
                header "${line}")
            string(REGEX MATCH "^[^/]+" top "${header}")
            if(NOT header MATCHES "/" AND NOT header STREQUAL "HostApi.hpp")
                continue()
            endif()
            if(header STREQUAL "HostApi.hpp")
                set(top HostApi)
            endif()
            if(top IN_LIST allowed_above OR top IN_LIST not_for_production OR
               (check_host AND top IN_LIST real_host_folders AND
                NOT header IN_LIST real_host_headers))
                file(RELATIVE_PATH name "${ROOT}" "${source}")
                list(APPEND failures "${name} includes ${header}")
                set(failures "${failures}" PARENT_SCOPE)
            endif()
        endforeach()
    endforeach()
endfunction()

# Each layer may include its own headers and those below it.
set(above ${layers})
foreach(layer IN LISTS layers)
    list(REMOVE_ITEM above ${layer})
    check_folder(${layer} "${above}" ON)
endforeach()
# The stand-in's real-shaped headers are what the mod sees of the host: no layer of the mod, and
# none of the controls.
check_folder(host/include "${layers}" OFF)
check_folder(host/generation "${layers}" OFF)

# The folder check is a library that qvh-host runs: it sees nothing of the runner, nor of the
# stand-in host's controls.
file(GLOB_RECURSE sources "${ROOT}/tools/check/*.hpp" "${ROOT}/tools/check/*.cpp")
foreach(source IN LISTS sources)
    file(STRINGS "${source}" includes
        REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](tools/qvh_host|StandIn)/")
    if(includes)
        file(RELATIVE_PATH name "${ROOT}" "${source}")
        list(APPEND failures "${name} includes the runner or the stand-in's controls: ${includes}")
    endif()
endforeach()

if(failures)
    list(JOIN failures "\n  " text)
    message(FATAL_ERROR "Includes across the layers:\n  ${text}")
endif()
message(STATUS "Every layer includes only itself, the layers below it and the real host's headers")
