# The WebAssembly build with Emscripten (web preset): the layers without a
# toolkit or an operating system call (the calculation core, the layout
# tables, the main window's commands and the System Information launcher over
# the platform interface), their tests run under node.
#
#   zenalto_run_under_node(TARGET)   links an executable to be run by node, as
#                                    CTest does through CMAKE_CROSSCOMPILING_EMULATOR
if(NOT EMSCRIPTEN)
  return()
endif()

# The launcher catches the platform's errors, and the commands let them pass:
# C++ exceptions must be thrown and caught, which Emscripten leaves off unless
# every object and the link ask for them.
add_compile_options(-fexceptions)
add_link_options(-fexceptions)

function(zenalto_run_under_node target)
  target_link_options(${target} PRIVATE
    -sENVIRONMENT=node
    # Emscripten 3.1.6 loads the .wasm file with fetch() wherever fetch exists,
    # as it does in node 18 and later, and fails on a file path: node compiles
    # it from the file instead.
    -sWASM_ASYNC_COMPILATION=0
    # The long texts of the tests (millions of characters) outgrow the 16 MiB
    # a module starts with.
    -sALLOW_MEMORY_GROWTH=1)
endfunction()
