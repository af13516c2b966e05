# The demo clip and the test media, made with ffmpeg next to the program (bin/media).
set(MEDIA_DIR ${RUNTIME_DIR}/media)
set(MEDIA_STAMP ${CMAKE_BINARY_DIR}/media.stamp)
add_custom_command(OUTPUT ${MEDIA_STAMP}
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/make_media.sh ${MEDIA_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${MEDIA_STAMP}
  DEPENDS ${PROJECT_SOURCE_DIR}/scripts/make_media.sh
  COMMENT "Generating the demo clip and test media")
add_custom_target(media ALL DEPENDS ${MEDIA_STAMP})
