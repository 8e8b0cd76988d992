# The cookbook's feature texts are the tested files: each file under the cookbook folder stands
# verbatim in the document.   -DDOC=document -DFEATURE=feature file
file(READ ${DOC} doc)
file(READ ${FEATURE} text)
string(FIND "${doc}" "${text}" found)
if(found EQUAL -1)
  message(FATAL_ERROR "${FEATURE} does not stand verbatim in ${DOC}")
endif()
