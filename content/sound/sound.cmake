# Sound effects: every content/sound/NN_name.sfx is synthesised by `fhpack sfx` to
# ${FH_CONTENT_GEN}/sound/NN_name.aiff, which the sound container's manifest
# (content/containers/resourcesQSDL__soundchunk.mrsrc.pack) stores as 'AIFF' 1000 + NN.
# Each effect depends only on its own parameter file (and on fhpack itself).
file(GLOB fh_sfx_sources CONFIGURE_DEPENDS ${FH_CONTENT_SRC}/sound/*.sfx)
file(MAKE_DIRECTORY ${FH_CONTENT_GEN}/sound)
foreach(src IN LISTS fh_sfx_sources)
  get_filename_component(name ${src} NAME_WE)
  set(out ${FH_CONTENT_GEN}/sound/${name}.aiff)
  add_custom_command(OUTPUT ${out}
    COMMAND ${FH_FHPACK} sfx ${src} ${out}
    DEPENDS fhpack ${src}
    COMMENT "fhpack sfx ${name}" VERBATIM)
  set_property(GLOBAL APPEND PROPERTY FH_CONTENT_OUTPUTS ${out})
endforeach()
