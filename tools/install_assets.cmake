# Copies the authored asset files into the runnable tree.
# The high-score table is the player's: it is installed only when the tree has none yet.
file(GLOB_RECURSE files RELATIVE ${SRC} ${SRC}/*)
foreach(f ${files})
  if(f STREQUAL "2D/HighScores/HighScores.txt" AND EXISTS ${DST}/${f})
    continue()
  endif()
  get_filename_component(dir ${DST}/${f} DIRECTORY)
  file(MAKE_DIRECTORY ${dir})
  file(COPY_FILE ${SRC}/${f} ${DST}/${f} ONLY_IF_DIFFERENT)
endforeach()
