# The shared corpus of movies made by other tools lies beside the checkout, in
# ../shared/corpus; no other place is searched.
function(greetix_corpus_folder checkout result)
  get_filename_component(candidate "${checkout}/../shared/corpus" ABSOLUTE)
  if(IS_DIRECTORY "${candidate}")
    set(${result} "${candidate}" PARENT_SCOPE)
  else()
    set(${result} "" PARENT_SCOPE)
  endif()
endfunction()

# Run as a script (cmake -DCHECKOUT=... -DEXPECTED=... -P CorpusFolder.cmake) it checks
# what the function finds for a checkout.
if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  greetix_corpus_folder("${CHECKOUT}" found)
  if(NOT found STREQUAL "${EXPECTED}")
    message(FATAL_ERROR "corpus for \"${CHECKOUT}\": \"${found}\", expected \"${EXPECTED}\"")
  endif()
endif()
