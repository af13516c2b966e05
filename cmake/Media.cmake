# The demo clip and the test media, made with ffmpeg next to the program (bin/media).
set(MEDIA_DIR ${RUNTIME_DIR}/media)
set(MEDIA_STAMP ${CMAKE_BINARY_DIR}/media.stamp)
add_custom_command(OUTPUT ${MEDIA_STAMP}
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/make_media.sh ${MEDIA_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${MEDIA_STAMP}
  DEPENDS ${PROJECT_SOURCE_DIR}/scripts/make_media.sh
  COMMENT "Generating the demo clip and test media")
add_custom_target(media ALL DEPENDS ${MEDIA_STAMP})

# The DVD-Video volume of the DVD tests (bin/media/dvd/VIDEO_TS), authored with dvdauthor.
set(DVD_STAMP ${CMAKE_BINARY_DIR}/media_dvd.stamp)
add_custom_command(OUTPUT ${DVD_STAMP}
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/make_dvd.sh ${MEDIA_DIR}/dvd
  COMMAND ${CMAKE_COMMAND} -E touch ${DVD_STAMP}
  DEPENDS ${PROJECT_SOURCE_DIR}/scripts/make_dvd.sh
  COMMENT "Authoring the test DVD-Video volume")
add_custom_target(media_dvd ALL DEPENDS ${DVD_STAMP})

# The navigator's test volumes (bin/media/navigator): coloured titles and chapters, two audio
# languages and a subtitle, and the broken volumes (scripts/make_nav_discs.sh).
set(NAV_DISCS_STAMP ${CMAKE_BINARY_DIR}/media_navigator.stamp)
add_custom_command(OUTPUT ${NAV_DISCS_STAMP}
  COMMAND ${CMAKE_COMMAND} -E env PYTHON_FOR_ART=${PYTHON_FOR_ART}
          ${PROJECT_SOURCE_DIR}/scripts/make_nav_discs.sh ${MEDIA_DIR}/navigator
  COMMAND ${CMAKE_COMMAND} -E touch ${NAV_DISCS_STAMP}
  DEPENDS ${PROJECT_SOURCE_DIR}/scripts/make_nav_discs.sh
  COMMENT "Authoring the navigator's test DVD-Video volumes")
add_custom_target(media_navigator ALL DEPENDS ${NAV_DISCS_STAMP})

# A DVD-Video volume of moving pictures for the navigator's tests (bin/media/demo-dvd/VIDEO_TS).
set(DEMO_DVD_STAMP ${CMAKE_BINARY_DIR}/media_demo_dvd.stamp)
add_custom_command(OUTPUT ${DEMO_DVD_STAMP}
  COMMAND ${CMAKE_COMMAND} -E env PYTHON_FOR_ART=${PYTHON_FOR_ART}
          ${PROJECT_SOURCE_DIR}/scripts/make_demo_dvd.sh ${MEDIA_DIR}/demo-dvd
  COMMAND ${CMAKE_COMMAND} -E touch ${DEMO_DVD_STAMP}
  DEPENDS ${PROJECT_SOURCE_DIR}/scripts/make_demo_dvd.sh
  COMMENT "Authoring the demo DVD-Video volume")
add_custom_target(media_demo_dvd ALL DEPENDS ${DEMO_DVD_STAMP})

# The volume of the navigator benchmark (bin/media/bench-dvd/VIDEO_TS): a minute and more of
# a moving pattern at the usual DVD bit rate.
set(BENCH_DVD_STAMP ${CMAKE_BINARY_DIR}/media_bench_dvd.stamp)
add_custom_command(OUTPUT ${BENCH_DVD_STAMP}
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/make_bench_dvd.sh ${MEDIA_DIR}/bench-dvd
  COMMAND ${CMAKE_COMMAND} -E touch ${BENCH_DVD_STAMP}
  DEPENDS ${PROJECT_SOURCE_DIR}/scripts/make_bench_dvd.sh
  COMMENT "Authoring the navigator benchmark's DVD-Video volume")
add_custom_target(media_bench_dvd DEPENDS ${BENCH_DVD_STAMP})

# The navigator's volumes with menus (bin/media/menus): a main menu, title set menus with a
# moving background, chapters and a time-out, subtitles, and a volume without menus
# (scripts/make_menu_discs.sh). The main menu volume is what `scripts/run.sh --dvd` opens.
set(MENU_DISCS_STAMP ${CMAKE_BINARY_DIR}/media_menus.stamp)
add_custom_command(OUTPUT ${MENU_DISCS_STAMP}
  COMMAND ${CMAKE_COMMAND} -E env PYTHON_FOR_ART=${PYTHON_FOR_ART}
          ${PROJECT_SOURCE_DIR}/scripts/make_menu_discs.sh ${MEDIA_DIR}/menus
  COMMAND ${CMAKE_COMMAND} -E touch ${MENU_DISCS_STAMP}
  DEPENDS ${PROJECT_SOURCE_DIR}/scripts/make_menu_discs.sh
  COMMENT "Authoring the navigator's DVD-Video volumes with menus")
add_custom_target(media_menus ALL DEPENDS ${MENU_DISCS_STAMP})
