# Everything that runs a built program goes through Wine, in the build tree's own prefix.
set(WINE_RUN ${CMAKE_BINARY_DIR}/wine-run)
file(WRITE ${WINE_RUN}
  "#!/bin/sh\nexec \"${CMAKE_SOURCE_DIR}/scripts/wine-run.sh\" \"${CMAKE_BINARY_DIR}\" \"$@\"\n")
file(CHMOD ${WINE_RUN} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
     WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_RUN})
