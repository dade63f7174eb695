# Music: every tune in content/music is synthesised and encoded by `fhpack tune` straight
# into the runtime tree. The output name follows the source name:
#   NNNNN_some_words.mml -> VRNresources/mus/NNNNN some words.ogg  (music number NNNNN)
#   testN.mml            -> resourcesQSDL/testN.ogg                 (settings program)
# The game finds the numbered tunes through the 'STR ' records of
# content/containers/resourcesQSDL__playlistogg.drsrc.pack, which hold these paths.
# Each tune depends only on its own source (and on fhpack itself).
file(GLOB fh_tune_sources CONFIGURE_DEPENDS ${FH_CONTENT_SRC}/music/*.mml)
foreach(src IN LISTS fh_tune_sources)
  get_filename_component(name ${src} NAME_WE)
  if(name MATCHES "^test[0-9]+$")
    set(out "${FH_RUNTIME_DIR}/resourcesQSDL/${name}.ogg")
  elseif(name MATCHES "^[0-9]+_")
    string(REPLACE "_" " " spaced "${name}")
    set(out "${FH_RUNTIME_DIR}/VRNresources/mus/${spaced}.ogg")
  else()
    message(FATAL_ERROR "content/music/${name}.mml: tune files are named NNNNN_words.mml or testN.mml")
  endif()
  add_custom_command(OUTPUT "${out}"
    COMMAND ${FH_FHPACK} tune "${src}" "${out}"
    DEPENDS fhpack "${src}"
    COMMENT "fhpack tune ${name}" VERBATIM)
  set_property(GLOBAL APPEND PROPERTY FH_CONTENT_OUTPUTS "${out}")
endforeach()
