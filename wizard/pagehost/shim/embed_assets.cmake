# embed_assets.cmake: writes the shim and its stylesheet as C++ strings (OUT from SHIM, CSS).
function(as_literal file var)
  file(READ "${file}" text)
  if(text MATCHES "\\)torvelasset\"")
    message(FATAL_ERROR "${file} contains the raw string delimiter")
  endif()
  set(${var} "R\"torvelasset(${text})torvelasset\"" PARENT_SCOPE)
endfunction()
as_literal("${SHIM}" shim)
as_literal("${CSS}" css)
file(WRITE "${OUT}.tmp" "// Generated from the shim sources: do not edit.\n"
  "#include \"shim_assets.h\"\n"
  "namespace torvel {\n"
  "const char* const kShimJs = ${shim};\n"
  "const char* const kDialogsCss = ${css};\n"
  "}  // namespace torvel\n")
execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different "${OUT}.tmp" "${OUT}")
