# Copies each level file of SOURCE_DIR into DESTINATION unless one of that name is there.
file(GLOB sources "${SOURCE_DIR}/*.lvbk")
foreach(source IN LISTS sources)
  get_filename_component(name "${source}" NAME)
  if(NOT EXISTS "${DESTINATION}/${name}")
    file(COPY "${source}" DESTINATION "${DESTINATION}")
  endif()
endforeach()
