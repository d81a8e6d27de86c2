# Writes a page with the manual's style sheet written into it, so that no page of the help file
# names a resource of its own: a page that names none has nothing to be looked for outside the
# help file when a reader parses it without knowing where it came from.
#   cmake -DSTYLE_SHEET=huevra.css -DPAGE=in.htm -DOUTPUT=out.htm -P InlineStyleSheet.cmake
foreach(var STYLE_SHEET PAGE OUTPUT)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "InlineStyleSheet.cmake needs -D${var}=...")
    endif()
endforeach()

file(READ "${STYLE_SHEET}" style_sheet)
file(READ "${PAGE}" page)
set(link "<link rel=\"stylesheet\" type=\"text/css\" href=\"huevra.css\">")
string(FIND "${page}" "${link}" at)
if(at EQUAL -1)
    message(FATAL_ERROR "${PAGE} does not link huevra.css as the other pages do")
endif()
string(STRIP "${style_sheet}" style_sheet)
string(REPLACE "${link}" "<style type=\"text/css\">\n${style_sheet}\n</style>" page "${page}")
# Whatever else a page names would be read from outside the help file.
string(TOLOWER "${page}" lower_page)
foreach(pattern "<link[ \t\n]" "src[ \t\n]*=" "@import" "url[ \t\n]*\\(")
    if(lower_page MATCHES "${pattern}")
        message(FATAL_ERROR "${PAGE} names a resource (${CMAKE_MATCH_0}); pages may name none")
    endif()
endforeach()
file(WRITE "${OUTPUT}" "${page}")
