# Run by `cmake --install`: writes the desktop entry with the absolute path of the installed game
# window under this installation's prefix, quoted as desktop entries ask when it holds a blank or a
# reserved character, and installs it beside the other desktop entries.

set(program "${CMAKE_INSTALL_PREFIX}/${TEIJIROKU_INSTALL_GAMESDIR}/teijiroku")
set(exec "${program}")
if(program MATCHES "[ \t\"'\\\\$`%<>~|&;*?#()]")
  string(REPLACE "\\" "\\\\" exec "${exec}")
  string(REPLACE "\"" "\\\"" exec "${exec}")
  string(REPLACE "`" "\\`" exec "${exec}")
  string(REPLACE "$" "\\$" exec "${exec}")
  # A backslash of the quoted argument is itself escaped in the entry's value.
  string(REPLACE "\\" "\\\\" exec "${exec}")
  string(REPLACE "%" "%%" exec "${exec}")
  set(exec "\"${exec}\"")
endif()
file(READ "${TEIJIROKU_DESKTOP_TEMPLATE}" entry)
string(REPLACE "Exec=@PROGRAM@" "Exec=${exec}" entry "${entry}")
string(REPLACE "@PROGRAM@" "${program}" entry "${entry}")
file(WRITE "${TEIJIROKU_DESKTOP_STAGING}" "${entry}")
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${TEIJIROKU_DESKTOP_DIR}" TYPE FILE
     FILES "${TEIJIROKU_DESKTOP_STAGING}")
