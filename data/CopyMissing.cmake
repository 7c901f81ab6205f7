# Copies every file of SOURCE into TARGET unless TARGET already has it.
file(MAKE_DIRECTORY ${TARGET})
file(GLOB files RELATIVE ${SOURCE} ${SOURCE}/*)
foreach(name ${files})
    if(NOT EXISTS ${TARGET}/${name})
        file(COPY ${SOURCE}/${name} DESTINATION ${TARGET})
    endif()
endforeach()
