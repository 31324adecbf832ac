# kolvane_embed_text(<target> <file> <symbol>): compiles the text of <file> into
# <target> as `extern const char* const <symbol>` (and `<symbol>_size`).
function(kolvane_embed_text target file symbol)
    get_filename_component(abs "${file}" ABSOLUTE)
    set(out "${CMAKE_CURRENT_BINARY_DIR}/${symbol}.cpp")
    add_custom_command(
        OUTPUT "${out}"
        COMMAND ${CMAKE_COMMAND} -DIN=${abs} -DOUT=${out} -DSYMBOL=${symbol}
                -P "${PROJECT_SOURCE_DIR}/cmake/EmbedTextRun.cmake"
        DEPENDS "${abs}" "${PROJECT_SOURCE_DIR}/cmake/EmbedTextRun.cmake"
        COMMENT "Embedding ${file}")
    target_sources(${target} PRIVATE "${out}")
endfunction()
