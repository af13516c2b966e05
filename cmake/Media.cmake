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
