# copy_pages.cmake: copies the page folder beside the program when the sources have one.
if(EXISTS "${SRC}")
  file(COPY "${SRC}/" DESTINATION "${DST}")
endif()
