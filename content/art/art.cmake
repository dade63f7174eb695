# Art: fonts, sprite atlases, pictures and block sheets compiled to PNG by fhpack.
# Included from tools/fhpack/content.cmake. Container pictures go to
# ${FH_CONTENT_GEN}/art/<name>.png (named as @gen/art/<name>.png in the container
# manifests); the settings program's pictures go straight to the runtime tree.
# Each rule writes a dependency file listing every source it read (included palettes,
# recipes and glyph files), so a changed source rebuilds exactly the pictures that use it.
set(FH_ART_SRC ${FH_CONTENT_SRC}/art)
set(FH_ART_GEN ${FH_CONTENT_GEN}/art)
file(MAKE_DIRECTORY ${FH_ART_GEN} ${FH_ART_GEN}/deps)

# fh_art(<command> <source relative to content/art> <output file> [extra fhpack arguments])
# The dependency file goes beside the generated pictures, never into the runtime tree.
function(fh_art command src out)
  get_filename_component(base ${out} NAME)
  set(dep ${FH_ART_GEN}/deps/${base}.d)
  add_custom_command(OUTPUT ${out}
    COMMAND ${FH_FHPACK} ${command} ${FH_ART_SRC}/${src} ${out} --dep ${dep} ${ARGN}
    DEPENDS fhpack ${FH_ART_SRC}/${src}
    DEPFILE ${dep}
    COMMENT "fhpack ${command} ${src}" VERBATIM)
  set_property(GLOBAL APPEND PROPERTY FH_CONTENT_OUTPUTS ${out})
endfunction()

# Fonts 0..3 (pictures 100..103 of fontpic.mrsrc)
foreach(n 0 1 2 3)
  fh_art(art-font fonts/font${n}.font ${FH_ART_GEN}/font${n}.png)
endforeach()

# Sprite atlases (pictures 128..132 of mediachunk.mrsrc)
foreach(a atlas16 atlas32 atlas64a atlas64b atlas128)
  fh_art(art-atlas sprites/${a}.atlas ${FH_ART_GEN}/${a}.png)
endforeach()

# Full-screen, panel and overlay pictures
foreach(p title demo panel gameover gameover2 clear clear2 clear3 clear4 loading chapterend
          fg-leaves fg-rain fg-dark fg-deep browse0 browse1 browse2 browse3 browse4
          bg-meadow bg-forest bg-hollow bg-dusk bg-lake
          bg-blossom bg-hive bg-twilight-garden
          bg-sky-morning fg-sky-clouds bg-sky-gale fg-sky-islands)
  fh_art(art-recipe pictures/${p}.rcp ${FH_ART_GEN}/${p}.png)
endforeach()
# The storm backgrounds of map group 2 (pictures 1117..1119)
foreach(p bg-storm-sky bg-storm-below bg-storm-eyrie)
  fh_art(art-recipe pictures/${p}.rcp ${FH_ART_GEN}/${p}.png)
endforeach()
fh_art(art-atlas pictures/chaptitles.atlas ${FH_ART_GEN}/chaptitles.png)
fh_art(art-atlas pictures/tiles990.atlas ${FH_ART_GEN}/tiles990.png)

# Block sheets (picture 1000 of each map group)
fh_art(art-atlas blocks/blocks_lv1.atlas ${FH_ART_GEN}/blocks_lv1.png)
fh_art(art-atlas blocks/blocks_lv2.atlas ${FH_ART_GEN}/blocks_lv2.png)
fh_art(art-atlas blocks/blocks_lv3.atlas ${FH_ART_GEN}/blocks_lv3.png)
fh_art(art-atlas blocks/blocks_lv4.atlas ${FH_ART_GEN}/blocks_lv4.png)

# The settings program's pictures, loaded as files
fh_art(art-atlas config/menuback.atlas ${FH_RUNTIME_DIR}/resourcesQSDL/menuback.png)
fh_art(art-atlas config/menutext.atlas ${FH_RUNTIME_DIR}/resourcesQSDL/menuText.png)
fh_art(art-atlas config/configicon.atlas ${FH_RUNTIME_DIR}/resourcesQSDL/configicon.png)
fh_art(art-recipe config/testpattern.rcp ${FH_RUNTIME_DIR}/resourcesQSDL/testpattern.png)

# Desktop icons of both programs, each drawn once and written at every size the install
# puts under share/icons/hicolor (cmake/FhInstall.cmake names them there).
set(FH_ICON_DIR ${FH_ART_GEN}/icons CACHE INTERNAL "")
set(FH_ICON_SIZES 48 128 256 CACHE INTERNAL "")
set(FH_ICON_NAMES org.fernhollow.Fernhollow org.fernhollow.Configurator CACHE INTERNAL "")
foreach(size IN LISTS FH_ICON_SIZES)
  fh_art(art-recipe icons/fernhollow.rcp ${FH_ICON_DIR}/org.fernhollow.Fernhollow-${size}.png --size ${size})
  fh_art(art-recipe icons/configurator.rcp ${FH_ICON_DIR}/org.fernhollow.Configurator-${size}.png --size ${size})
endforeach()
