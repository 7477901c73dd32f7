# Writes the help page's text as a C++ source file (cmake -P):
#   -DVERSION=1.2.3 -DDESCRIPTION=... -DLICENSE=... -DNOTICES=... -DOUTPUT=...
# The text is Huemira's description, its licence and the libraries' notices,
# read from the files themselves so that what the program shows never drifts
# from them.
foreach(input DESCRIPTION LICENSE NOTICES)
  if(NOT EXISTS "${${input}}")
    message(FATAL_ERROR "help text: ${input} file '${${input}}' is missing")
  endif()
endforeach()
file(READ "${DESCRIPTION}" description)
file(READ "${LICENSE}" license)
file(READ "${NOTICES}" notices)
string(REPLACE "@HUEMIRA_VERSION@" "${VERSION}" description "${description}")

string(REPEAT "-" 40 rule)
set(text "${description}\n${rule}\n\n${license}\n${rule}\n\n${notices}")
string(REPLACE "\r\n" "\n" text "${text}")
if(text MATCHES "\\)help\"")
  message(FATAL_ERROR "help text: the texts must not contain the raw string's end )help\"")
endif()

set(source "// Made by app/make_help_source.cmake from app/help_description.txt, LICENSE
// and THIRD-PARTY-NOTICES; edit those instead.
#include \"app/help_text.h\"

namespace huemira {

const wchar_t kHelpSource[] = LR\"help(${text})help\";

}  // namespace huemira
")
file(WRITE "${OUTPUT}" "${source}")
