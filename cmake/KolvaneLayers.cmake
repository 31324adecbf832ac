# kolvane_layer(<target> <folder>): gives the target an include path that holds
# only its own folder and the layers cmake/layers.txt lets it use, so that an
# include of a higher layer does not compile. The path is a folder of links in
# the build tree: <build>/layers/<target>/<layer> -> <source>/<layer>.
file(STRINGS "${PROJECT_SOURCE_DIR}/cmake/layers.txt" _kolvane_layer_lines REGEX "^[a-z]")
set_property(DIRECTORY "${PROJECT_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
    "${PROJECT_SOURCE_DIR}/cmake/layers.txt")

function(kolvane_layer target folder)
    set(uses "")
    foreach(line IN LISTS _kolvane_layer_lines)
        string(REGEX REPLACE "[ \t]+" ";" fields "${line}")
        list(POP_FRONT fields name)
        if(name STREQUAL folder)
            set(uses ${fields})
            set(found TRUE)
        endif()
    endforeach()
    if(NOT found)
        message(FATAL_ERROR "${folder} is not a layer of cmake/layers.txt")
    endif()
    set(root "${CMAKE_BINARY_DIR}/layers/${target}")
    file(REMOVE_RECURSE "${root}")
    file(MAKE_DIRECTORY "${root}")
    foreach(layer IN LISTS uses folder)
        # A sublayer's folder is reached through its parent's link.
        if(layer MATCHES "/")
            continue()
        endif()
        file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${layer}" "${root}/${layer}" SYMBOLIC)
    endforeach()
    target_include_directories(${target} PRIVATE "${root}")
endfunction()
