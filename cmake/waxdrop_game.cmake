# waxdrop_game(NAME SOURCES ... LIBS ... [INCLUDES ...] [LINK_OPTIONS ...]
#              [WIN32] [RESOURCE_FILES] [FAULTS])
#
# One build of the game, for either shell: the executable in the top of the
# build folder, linked with the core, the shell's ports (LIBS) and one files
# port, with the song and the effects copied into media/ beside it.
#   WIN32           a program of the Windows GUI subsystem
#   RESOURCE_FILES  the shell reads the sprite bitmaps and the icon from files,
#                   so they are copied into resources/ beside it too
#   FAULTS          link the files port with the fault switch
#                   (WAXDROP_FAIL_WRITE_AFTER) in place of the plain one

# What the game reads at run time, relative to the source and build folders.
set(WAXDROP_MEDIA_FILES media/song.mid media/doing.wav media/hit.wav media/brick.wav media/buzz.wav)

# Files are refreshed on every build; the score file is the game's own and is
# never touched. One copy serves every game of the build.
function(waxdrop_copy_beside target)
  set(copied)
  foreach(rel ${ARGN})
    add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/${rel}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROJECT_SOURCE_DIR}/${rel} ${PROJECT_BINARY_DIR}/${rel}
      DEPENDS ${PROJECT_SOURCE_DIR}/${rel})
    list(APPEND copied ${PROJECT_BINARY_DIR}/${rel})
  endforeach()
  add_custom_target(${target} ALL DEPENDS ${copied})
endfunction()

function(waxdrop_game name)
  cmake_parse_arguments(G "WIN32;RESOURCE_FILES;FAULTS" "" "SOURCES;LIBS;INCLUDES;LINK_OPTIONS" ${ARGN})
  if(G_WIN32)
    add_executable(${name} WIN32 ${G_SOURCES})
  else()
    add_executable(${name} ${G_SOURCES})
  endif()
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${G_INCLUDES})
  target_link_options(${name} PRIVATE ${G_LINK_OPTIONS})
  # waxdrop_files, which the shells' ports link, reads this to pick the files
  # port for the program (platform/CMakeLists.txt).
  if(G_FAULTS)
    set_target_properties(${name} PROPERTIES WAXDROP_FILES_PORT faults)
  endif()
  target_link_libraries(${name} PRIVATE waxdrop_core ${G_LIBS} waxdrop_files)

  if(NOT TARGET waxdrop_media)
    waxdrop_copy_beside(waxdrop_media ${WAXDROP_MEDIA_FILES})
  endif()
  add_dependencies(${name} waxdrop_media)
  if(G_RESOURCE_FILES)
    if(NOT TARGET waxdrop_resource_files)
      file(GLOB bitmaps RELATIVE ${PROJECT_SOURCE_DIR} CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/bitmaps/*.bmp)
      waxdrop_copy_beside(waxdrop_resource_files ${bitmaps} resources/icons/waxdrop.ico)
    endif()
    add_dependencies(${name} waxdrop_resource_files)
  endif()
endfunction()
