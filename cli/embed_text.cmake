# Turns a text file into a C++ header holding it as one string constant.
# cmake -DIN=help.txt -DOUT=help_text.h -DNAME=kHelpText -P embed_text.cmake
file(READ ${IN} text)
file(WRITE ${OUT} "#pragma once\ninline constexpr const char* ${NAME} = R\"veltrum(${text})veltrum\";\n")
