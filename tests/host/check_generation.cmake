# Fails unless the stand-in's headers, as configured for GENERATION, accept what that generation
# of the host declares and refuse what it does not, deprecated calls included. Each case is
# compiled alone with COMPILER, warnings as errors, against the include folders INCLUDES
# (separated by "|"); WORK holds the sources.
cmake_minimum_required(VERSION 3.25)
string(REPLACE "|" ";" includes "${INCLUDES}")
list(TRANSFORM includes PREPEND "-I")

set(strings "#include \"Unreal/FString.hpp\"\nusing namespace RC::Unreal;\n")
set(globals "#include \"Unreal/UObjectGlobals.hpp\"\nusing namespace RC::Unreal;\n")
set(new_class "#include \"Unreal/CoreUObject/UObject/Class.hpp\"\n")
set(old_class "#include \"Unreal/UFunction.hpp\"\n")
set(function_is_object "UObject* F(UFunction* Function) { return Function; }\n")
set(chars_by_get "const TCHAR* F(const FString& S) { return S.GetCharArray(); }\n")
set(chars_by_star "const TCHAR* F(const FString& S) { return *S; }\n")
set(array_by_get "TArray<TCHAR>& F(FString& S) { return S.GetCharArray(); }\n")
set(array_by_old_name "TArray<TCHAR>& F(FString& S) { return S.GetCharTArray(); }\n")

set(failures "")
file(MAKE_DIRECTORY ${WORK})
# Compiles Source alone and records a failure unless it compiles exactly when Expected is YES.
function(expect name expected source)
    string(MAKE_C_IDENTIFIER "${name}" file)
    file(WRITE ${WORK}/${file}.cpp "${source}")
    execute_process(COMMAND ${COMPILER} -std=c++20 -fsyntax-only -Wall -Wextra -Werror
        ${includes} ${WORK}/${file}.cpp RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
    if(status EQUAL 0)
        set(compiled YES)
    else()
        set(compiled NO)
    endif()
    if(compiled STREQUAL expected)
        message(STATUS "generation ${GENERATION}: ${name}")
    else()
        list(APPEND failures "${name}: expected to compile: ${expected}, compiled: ${compiled}")
        set(failures "${failures}" PARENT_SCOPE)
    endif()
endfunction()

# UObjectGlobals.hpp only declares UFunction, in both: a mod must include UFunction's own header,
# whose path differs.
expect("UObjectGlobals.hpp leaves UFunction incomplete" NO "${globals}${function_is_object}")
if(GENERATION EQUAL 4)
    expect("UFunction from Class.hpp" YES "${globals}${new_class}${function_is_object}")
    expect("no Unreal/UFunction.hpp" NO "${old_class}")
    expect("GetCharArray gives the array" YES "${strings}${array_by_get}")
    expect("GetCharArray gives no characters" NO "${strings}${chars_by_get}")
    expect("operator* gives the characters" YES "${strings}${chars_by_star}")
    expect("GetCharTArray is deprecated" NO "${strings}${array_by_old_name}")
else()
    expect("UFunction from UFunction.hpp" YES "${globals}${old_class}${function_is_object}")
    expect("no Unreal/CoreUObject/UObject/Class.hpp" NO "${new_class}")
    expect("GetCharArray gives the characters" YES "${strings}${chars_by_get}")
    expect("no operator*" NO "${strings}${chars_by_star}")
    expect("GetCharTArray gives the array" YES "${strings}${array_by_old_name}")
endif()

if(failures)
    list(JOIN failures "\n  " text)
    message(FATAL_ERROR "The stand-in's headers for generation ${GENERATION}:\n  ${text}")
endif()
