# The content build: every file the programs load is compiled from content/ into the
# runtime tree by fhpack. Included from tools/fhpack/CMakeLists.txt, so every custom
# command below (and in the included art, sound and music rules) lives in this folder.
#
# Rules append their outputs to the global property FH_CONTENT_OUTPUTS; the target
# fh_content (part of ALL) depends on all of them. Generated intermediates go to
# ${FH_CONTENT_GEN} and are referred to from manifests as @gen/<path>.
if(NOT TARGET fhpack)
  return()
endif()

set(FH_CONTENT_SRC ${PROJECT_SOURCE_DIR}/content)
set(FH_CONTENT_GEN ${CMAKE_BINARY_DIR}/content)
set(FH_FHPACK $<TARGET_FILE:fhpack>)
file(MAKE_DIRECTORY ${FH_CONTENT_GEN} ${FH_RUNTIME_DIR}/resourcesQSDL ${FH_RUNTIME_DIR}/VRNresources/mus)

foreach(part art/art.cmake sound/sound.cmake music/music.cmake)
  if(EXISTS ${FH_CONTENT_SRC}/${part})
    include(${FH_CONTENT_SRC}/${part})
  endif()
endforeach()

# Plain text files of the runtime tree (UTF-8 sources converted to the game's encoding).
file(GLOB fh_text_sources CONFIGURE_DEPENDS ${FH_CONTENT_SRC}/text/*.dttx.txt)
foreach(src IN LISTS fh_text_sources)
  get_filename_component(name ${src} NAME)
  string(REGEX REPLACE "\\.txt$" "" name ${name})
  set(out ${FH_RUNTIME_DIR}/resourcesQSDL/${name})
  add_custom_command(OUTPUT ${out}
    COMMAND ${FH_FHPACK} text ${src} ${out}
    DEPENDS fhpack ${src}
    COMMENT "fhpack text ${name}" VERBATIM)
  set_property(GLOBAL APPEND PROPERTY FH_CONTENT_OUTPUTS ${out})
endforeach()

# Containers: one manifest per container, named after its runtime path with '/' as "__".
get_property(fh_generated GLOBAL PROPERTY FH_CONTENT_OUTPUTS)
file(GLOB fh_manifests CONFIGURE_DEPENDS ${FH_CONTENT_SRC}/containers/*.pack)
foreach(manifest IN LISTS fh_manifests)
  get_filename_component(name ${manifest} NAME)
  string(REGEX REPLACE "\\.pack$" "" rel ${name})
  string(REPLACE "__" "/" rel ${rel})
  set(out ${FH_RUNTIME_DIR}/${rel})
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${manifest})
  # Exact dependencies from the manifest's source column. A generated source that no
  # rule makes yet (another area still in progress) is left out of the container with a
  # warning instead of breaking everyone's build.
  set(deps ${manifest})
  set(optional "")
  file(STRINGS ${manifest} mlines)
  foreach(line IN LISTS mlines)
    if(line MATCHES "^[ \t]*('[^']*'|[^ \t#]+)[ \t]+-?[0-9]+[ \t]+([^ \t#\"]+)")
      set(srcword ${CMAKE_MATCH_2})
      if(srcword MATCHES "^@gen/(.*)")
        set(gen ${FH_CONTENT_GEN}/${CMAKE_MATCH_1})
        if(gen IN_LIST fh_generated OR EXISTS ${gen})
          list(APPEND deps ${gen})
        else()
          set(optional --optional-gen)
          message(STATUS "content: ${name} line source ${srcword} has no rule yet; left out for now")
        endif()
      elseif(NOT srcword MATCHES "^(@|text:)")
        list(APPEND deps ${FH_CONTENT_SRC}/${srcword})
      endif()
    endif()
  endforeach()
  add_custom_command(OUTPUT ${out}
    COMMAND ${FH_FHPACK} pack ${manifest} ${out} --content ${FH_CONTENT_SRC} --gen ${FH_CONTENT_GEN} ${optional}
    DEPENDS fhpack ${deps}
    COMMENT "fhpack pack ${rel}" VERBATIM)
  set_property(GLOBAL APPEND PROPERTY FH_CONTENT_OUTPUTS ${out})
endforeach()

get_property(fh_all_outputs GLOBAL PROPERTY FH_CONTENT_OUTPUTS)
add_custom_target(fh_content ALL DEPENDS ${fh_all_outputs})
