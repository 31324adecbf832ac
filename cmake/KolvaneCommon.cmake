# Compile settings shared by every target of the project.
add_library(kolvane_cfg INTERFACE)
target_compile_features(kolvane_cfg INTERFACE cxx_std_20)
target_compile_options(kolvane_cfg INTERFACE -Wall -Wextra $<$<BOOL:${KOLVANE_WERROR}>:-Werror>)
# Shift_JIS bytes must never become a QString except through the code-page converter.
target_compile_definitions(kolvane_cfg INTERFACE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)

if(KOLVANE_SANITIZE)
    target_compile_definitions(kolvane_cfg INTERFACE _GLIBCXX_ASSERTIONS)
    target_compile_options(kolvane_cfg INTERFACE -fsanitize=address,undefined
                           -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(kolvane_cfg INTERFACE -fsanitize=address,undefined)
endif()

if(KOLVANE_FUZZ)
    # Coverage for the fuzzers in every library they reach.
    target_compile_options(kolvane_cfg INTERFACE -fsanitize=fuzzer-no-link)
endif()
