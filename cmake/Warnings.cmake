# One interface target carries the project's warning and sanitizer flags; every
# target of ours links it.
add_library(varlo_flags INTERFACE)
target_compile_options(varlo_flags INTERFACE -Wall -Wextra)
if(VARLO_WERROR)
    target_compile_options(varlo_flags INTERFACE -Werror)
endif()
if(VARLO_SANITIZE)
    list(JOIN VARLO_SANITIZE "," _varlo_sanitizers)
    target_compile_options(varlo_flags INTERFACE
        -fsanitize=${_varlo_sanitizers} -fno-omit-frame-pointer -fno-sanitize-recover=all)
    target_link_options(varlo_flags INTERFACE -fsanitize=${_varlo_sanitizers})
endif()
if(VARLO_FUZZ)
    target_compile_options(varlo_flags INTERFACE -fsanitize=fuzzer-no-link)
endif()
