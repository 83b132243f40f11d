# SPDX-License-Identifier: GPL-3.0-or-later
# Run with cmake -P: copies schemi/ and lang/data/{lingue.txt,*.lng} beside the program.
if(EXISTS ${SOURCE_DIR}/schemi)
  file(COPY ${SOURCE_DIR}/schemi DESTINATION ${DESTINATION})
endif()
file(GLOB language_files ${SOURCE_DIR}/lang/data/lingue.txt ${SOURCE_DIR}/lang/data/*.lng)
if(language_files)
  file(COPY ${language_files} DESTINATION ${DESTINATION})
endif()
